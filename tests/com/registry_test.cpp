#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/com/registry_file.h"
#include "platform/com/server_registration.h"
#include "tests/support/scoped_locale.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_files.h"

using namespace orlix::com;
namespace fs = std::filesystem;

namespace {

class RegistryTest : public ::testing::Test {
 protected:
  orlix::test::TempDir temp{"orlix-reg"};
  fs::path dir = temp.file("config");  // not made yet: the registry file makes it
  fs::path file = dir / "registry.reg";
};

const ClassInfo kRegression{Guid::fromLiteral("{C33A72AD-3A5F-11D6-97C1-00E098053F2D}"),
                            Guid::fromLiteral("{C33A72AC-3A5F-11D6-97C1-00E098053F2D}"), "Orlix.RegressionMap.1",
                            "Orlix.RegressionMap", "RegressionMap Class"};
const TypeLibInfo kLib{Guid::fromLiteral("{C33A72A0-3A5F-11D6-97C1-00E098053F2D}"), "1.0", "Orlix 1.0 Type Library",
                       {{kRegression.iid, "IRegressionMap"}}};

}  // namespace

TEST_F(RegistryTest, ValuesSurviveSaveAndLoadWithAwkwardText) {
  RegistryFile reg(file);
  reg.setValue("HKEY_CLASSES_ROOT\\A\\B", "", "quote \" and back\\slash\nnew line");
  reg.setValue("HKEY_CLASSES_ROOT\\A\\B", "Name = x", "v");
  reg.createKey("HKEY_CLASSES_ROOT\\Empty");
  reg.save();
  RegistryFile again(file);
  EXPECT_EQ(again.value("hkey_classes_root\\a\\b"), "quote \" and back\\slash\nnew line");
  EXPECT_EQ(again.value("HKEY_CLASSES_ROOT\\A\\B", "Name = x"), "v");
  EXPECT_TRUE(again.hasKey("HKEY_CLASSES_ROOT\\Empty"));
  EXPECT_TRUE(again.hasKey("HKEY_CLASSES_ROOT\\A"));
  EXPECT_FALSE(again.value("HKEY_CLASSES_ROOT\\A"));
}

TEST_F(RegistryTest, DeleteTreeTakesSubkeysButNotSiblingsWithALongerName) {
  RegistryFile reg(file);
  reg.setValue("R\\K\\Sub\\Deep", "", "1");
  reg.setValue("R\\K2", "", "2");
  reg.deleteTree("R\\k");
  EXPECT_FALSE(reg.hasKey("R\\K\\Sub\\Deep"));
  EXPECT_FALSE(reg.hasKey("R\\K"));
  EXPECT_EQ(reg.value("R\\K2"), "2");
  EXPECT_EQ(reg.subkeys("R"), std::vector<std::string>{"K2"});
}

TEST_F(RegistryTest, MalformedFileIsAClearErrorNamingTheLine) {
  fs::create_directories(dir);
  std::ofstream(file) << "[Key]\n@=\"ok\"\nnot a value line\n";
  try {
    RegistryFile reg(file);
    FAIL() << "expected a RegistryError";
  } catch (const RegistryError& e) {
    EXPECT_NE(std::string(e.what()).find("registry.reg:3"), std::string::npos) << e.what();
  }
}

TEST_F(RegistryTest, RegistrationWritesTheComponentKeys) {
  RegistryFile reg(file);
  registerServer(reg, {kRegression}, kLib, "/opt/orlix/liborlix.so");
  const std::string clsid = "HKEY_CLASSES_ROOT\\CLSID\\{C33A72AD-3A5F-11D6-97C1-00E098053F2D}";
  EXPECT_EQ(reg.value("HKEY_CLASSES_ROOT\\Orlix.RegressionMap.1"), "RegressionMap Class");
  EXPECT_EQ(reg.value("HKEY_CLASSES_ROOT\\Orlix.RegressionMap.1\\CLSID"), kRegression.clsid.toString());
  EXPECT_EQ(reg.value("HKEY_CLASSES_ROOT\\Orlix.RegressionMap\\CurVer"), "Orlix.RegressionMap.1");
  EXPECT_EQ(reg.value("HKEY_CLASSES_ROOT\\Orlix.RegressionMap\\CLSID"), kRegression.clsid.toString());
  EXPECT_EQ(reg.value(clsid), "RegressionMap Class");
  EXPECT_EQ(reg.value(clsid + "\\ProgID"), "Orlix.RegressionMap.1");
  EXPECT_EQ(reg.value(clsid + "\\VersionIndependentProgID"), "Orlix.RegressionMap");
  EXPECT_TRUE(reg.hasKey(clsid + "\\Programmable"));
  EXPECT_EQ(reg.value(clsid + "\\InprocServer32"), "/opt/orlix/liborlix.so");
  EXPECT_EQ(reg.value(clsid + "\\InprocServer32", "ThreadingModel"), "Apartment");
  EXPECT_EQ(reg.value(clsid + "\\TypeLib"), "{C33A72A0-3A5F-11D6-97C1-00E098053F2D}");
  EXPECT_EQ(reg.value("HKEY_CLASSES_ROOT\\TypeLib\\{C33A72A0-3A5F-11D6-97C1-00E098053F2D}\\1.0"),
            "Orlix 1.0 Type Library");
}

TEST_F(RegistryTest, ReRegistrationRewritesTheClassKeyAndUnregistrationKeepsTheClsidRoot) {
  RegistryFile reg(file);
  const std::string clsid = "HKEY_CLASSES_ROOT\\CLSID\\" + kRegression.clsid.toString();
  reg.setValue("HKEY_CLASSES_ROOT\\CLSID\\{00000000-0000-0000-0000-000000000001}", "", "someone else");
  registerServer(reg, {kRegression}, kLib, "/old/path.so");
  reg.setValue(clsid + "\\Stale", "", "left over");
  registerServer(reg, {kRegression}, kLib, "/new/path.so");
  EXPECT_FALSE(reg.hasKey(clsid + "\\Stale"));
  EXPECT_EQ(reg.value(clsid + "\\InprocServer32"), "/new/path.so");

  unregisterServer(reg, {kRegression}, kLib);
  EXPECT_FALSE(reg.hasKey(clsid));
  EXPECT_FALSE(reg.hasKey("HKEY_CLASSES_ROOT\\Orlix.RegressionMap.1"));
  EXPECT_FALSE(reg.hasKey("HKEY_CLASSES_ROOT\\Orlix.RegressionMap"));
  EXPECT_FALSE(reg.hasKey("HKEY_CLASSES_ROOT\\TypeLib\\{C33A72A0-3A5F-11D6-97C1-00E098053F2D}"));
  EXPECT_TRUE(reg.hasKey("HKEY_CLASSES_ROOT\\CLSID"));
  EXPECT_EQ(reg.value("HKEY_CLASSES_ROOT\\CLSID\\{00000000-0000-0000-0000-000000000001}"), "someone else");
}

// The registry file is the same bytes whatever the process locale.
TEST_F(RegistryTest, TheFileIsTheSameInAnyLocale) {
  auto written = [this] {
    fs::remove_all(dir);
    RegistryFile reg(file);
    registerServer(reg, {kRegression}, kLib, "/opt/orlix/liborlix.so");
    reg.setValue("HKEY_CURRENT_USER\\Orlix\\Settings", "Zoom", "1234.5");
    reg.save();
    return orlix::test::readFile(file);
  };
  auto [inC, inOther] = orlix::test::InBothLocales(written);
  EXPECT_NE(inC.find("{C33A72AD-3A5F-11D6-97C1-00E098053F2D}"), std::string::npos);
  EXPECT_EQ(inOther, inC);
}
