// Writes and removes the registry keys of an in-process component server:
// its classes' ProgID and CLSID keys, its type library and interfaces.
#pragma once

#include <string>
#include <vector>

#include "platform/com/class_registry.h"
#include "platform/com/registry_file.h"

namespace orlix::com {

struct TypeLibInfo {
  Guid libid;
  std::string version;     // "1.0"
  std::string helpString;  // e.g. "Orlix 1.0 Type Library"
  std::vector<std::pair<Guid, std::string>> interfaces;  // dual interfaces: IID and name
};

// Registers every class and the type library into `registry` (not saved).
void registerServer(RegistryFile& registry, const std::vector<ClassInfo>& classes, const TypeLibInfo& typeLib,
                    const std::string& libraryPath);
// Removes what registerServer wrote; the top-level CLSID key stays.
void unregisterServer(RegistryFile& registry, const std::vector<ClassInfo>& classes, const TypeLibInfo& typeLib);

}  // namespace orlix::com
