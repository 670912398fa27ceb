#include "platform/com/server_registration.h"

#include <filesystem>

namespace orlix::com {
namespace {

const std::string kRoot = "HKEY_CLASSES_ROOT\\";
// The standard proxy for dual interfaces.
const char* kDispatchProxy = "{00020424-0000-0000-C000-000000000046}";

std::string classKey(const ClassInfo& c) { return kRoot + "CLSID\\" + c.clsid.toString(); }

void registerClass(RegistryFile& reg, const ClassInfo& c, const Guid& libid, const std::string& libraryPath) {
  reg.setValue(kRoot + c.progId, "", c.description);
  reg.setValue(kRoot + c.progId + "\\CLSID", "", c.clsid.toString());
  reg.setValue(kRoot + c.versionIndependentProgId, "", c.description);
  reg.setValue(kRoot + c.versionIndependentProgId + "\\CLSID", "", c.clsid.toString());
  reg.setValue(kRoot + c.versionIndependentProgId + "\\CurVer", "", c.progId);

  // The class key is rewritten whole, so nothing stale survives a re-registration.
  const std::string key = classKey(c);
  reg.deleteTree(key);
  reg.setValue(key, "", c.description);
  reg.setValue(key + "\\ProgID", "", c.progId);
  reg.setValue(key + "\\VersionIndependentProgID", "", c.versionIndependentProgId);
  reg.createKey(key + "\\Programmable");
  reg.setValue(key + "\\InprocServer32", "", libraryPath);
  reg.setValue(key + "\\InprocServer32", "ThreadingModel", "Apartment");
  reg.setValue(key + "\\TypeLib", "", libid.toString());
}

void registerTypeLib(RegistryFile& reg, const TypeLibInfo& t, const std::string& libraryPath) {
  const std::string lib = kRoot + "TypeLib\\" + t.libid.toString() + "\\" + t.version;
  reg.setValue(lib, "", t.helpString);
  reg.setValue(lib + "\\0\\linux", "", libraryPath);
  reg.setValue(lib + "\\FLAGS", "", "0");
  reg.setValue(lib + "\\HELPDIR", "", std::filesystem::path(libraryPath).parent_path().string());
  for (const auto& [iid, name] : t.interfaces) {
    const std::string key = kRoot + "Interface\\" + iid.toString();
    reg.setValue(key, "", name);
    reg.setValue(key + "\\ProxyStubClsid32", "", kDispatchProxy);
    reg.setValue(key + "\\TypeLib", "", t.libid.toString());
    reg.setValue(key + "\\TypeLib", "Version", t.version);
  }
}

}  // namespace

void registerServer(RegistryFile& registry, const std::vector<ClassInfo>& classes, const TypeLibInfo& typeLib,
                    const std::string& libraryPath) {
  for (const auto& c : classes) registerClass(registry, c, typeLib.libid, libraryPath);
  registerTypeLib(registry, typeLib, libraryPath);
}

void unregisterServer(RegistryFile& registry, const std::vector<ClassInfo>& classes, const TypeLibInfo& typeLib) {
  for (const auto& c : classes) {
    registry.deleteTree(kRoot + c.progId);
    registry.deleteTree(kRoot + c.versionIndependentProgId);
    registry.deleteTree(classKey(c));
  }
  for (const auto& [iid, name] : typeLib.interfaces) registry.deleteTree(kRoot + "Interface\\" + iid.toString());
  registry.deleteTree(kRoot + "TypeLib\\" + typeLib.libid.toString());
}

}  // namespace orlix::com
