// The map component's members: field lookup, the settings, Run's failures
// with their HRESULTs and error information, Rows and Cols, the interfaces
// an object answers for, its node file and the server's registration.
#include <gtest/gtest.h>

#include <regex>

#include <filesystem>

#include "platform/com/registry_file.h"
#include "server/category_map.h"
#include "server/identifiers.h"
#include "server/map_classes.h"
#include "server/regression_map.h"
#include "server_test_support.h"

namespace orlix::server {
namespace {

using testing::csvSource;
using testing::TempDir;

// 100 rows: A int, B double (3 missing), C text, D int, T numeric target.
std::string hundredRows() {
  std::string text = "A,B,C,D,Amount\n";
  for (int i = 0; i < 100; ++i) {
    const std::string b = (i % 40 == 7) ? "" : std::to_string(i % 13) + ".5";
    text += std::to_string(i) + "," + b + "," + (i % 2 ? "x" : "y") + "," + std::to_string(i % 5) + "," +
            std::to_string((i % 10) * 3 + (i % 2) * 20) + "\n";
  }
  return text;
}

class MapComponentTest : public ::testing::Test {
 protected:
  void connect(IMap& map, const std::string& text = hundredRows()) {
    const auto source = csvSource(dir, "data.csv", text);
    ASSERT_EQ(map.ConnectOLEDB(source.connection, source.table), com::S_OK);
  }
  static com::ErrorInfo lastError() {
    auto info = com::GetErrorInfo();
    return info ? *info : com::ErrorInfo{};
  }
  TempDir dir;
};

// A generated text without its time stamp ("Tue Dec  8 08:52:27 2026").
std::string withoutStamp(const std::string& text) {
  static const std::regex stamp("[A-Z][a-z]{2} [A-Z][a-z]{2} [ 0-9][0-9] [0-9]{2}:[0-9]{2}:[0-9]{2} [0-9]{4}");
  return std::regex_replace(text, stamp, "<stamp>");
}

std::size_t occurrences(const std::string& text, const std::string& part) {
  std::size_t n = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

TEST_F(MapComponentTest, RunsOnHundredRowsDroppingThoseWithMissingNumbers) {
  RegressionMap map;
  int32_t rows = -1, cols = -1;
  EXPECT_EQ(map.Rows(&rows), com::S_OK);
  EXPECT_EQ(map.Cols(&cols), com::S_OK);
  EXPECT_EQ(rows, 0);
  EXPECT_EQ(cols, 0);
  connect(map);
  ASSERT_EQ(map.SetAsTarget("amount"), com::S_OK);
  ASSERT_EQ(map.SetMinimumN(10), com::S_OK);
  ASSERT_EQ(map.Run(), com::S_OK);
  map.Rows(&rows);
  map.Cols(&cols);
  EXPECT_EQ(rows, 97);
  EXPECT_EQ(cols, 5);
  // The target keeps the spelling of the source.
  std::string report;
  map.MAPRules(&report);
  EXPECT_NE(report.find("Amount"), std::string::npos);
  EXPECT_EQ(map.engine()->columns()[4].name, "Amount");
  // Each read makes the texts afresh: the same text but for its time stamp,
  // one copy, never a doubled text; the code assigns every segment of the report.
  std::string again, code, codeAgain;
  map.MAPRules(&again);
  EXPECT_EQ(withoutStamp(again), withoutStamp(report));
  EXPECT_EQ(occurrences(report, "Segment Summary Report"), 1u);
  const std::size_t segments = occurrences(report, "\nSEGMENT ");
  EXPECT_GE(segments, 2u);
  map.MAPCode(&code);
  map.MAPCode(&codeAgain);
  EXPECT_EQ(withoutStamp(codeAgain), withoutStamp(code));
  EXPECT_EQ(occurrences(code, "Scoring Code for Regression Map"), 1u);
  EXPECT_EQ(occurrences(code, "THEN SEGMENT = "), segments + 1);  // and the catch-all for rows no rule takes
  for (std::size_t n = 0; n < segments; ++n)
    EXPECT_NE(code.find("THEN SEGMENT = " + std::to_string(n) + ";"), std::string::npos) << n;
}

TEST_F(MapComponentTest, TargetErrorsAreDispatchExceptionsWithTheComponentsIdentity) {
  RegressionMap map;
  connect(map);
  EXPECT_EQ(map.SetAsTarget("c"), com::DISP_E_EXCEPTION);
  com::ErrorInfo error = lastError();
  EXPECT_EQ(error.description, "Specified target variable must be numeric: c");
  EXPECT_EQ(error.source, "Orlix.RegressionMap.1");
  EXPECT_EQ(error.guid, kIidIRegressionMap);

  EXPECT_EQ(map.SetAsTarget("Nothing"), com::DISP_E_EXCEPTION);
  EXPECT_EQ(lastError().description, "Specified target variable does not exist: Nothing");
  EXPECT_EQ(map.SetAsTarget(""), com::DISP_E_EXCEPTION);

  // Neither call marked a target.
  EXPECT_EQ(map.Run(), com::E_FAIL);
  EXPECT_EQ(lastError().description, "Target variable has not been specified ");
  EXPECT_EQ(map.engine(), nullptr);

  CategoryMap category;
  connect(category);
  EXPECT_EQ(category.SetAsTarget("Amount"), com::DISP_E_EXCEPTION);
  error = lastError();
  EXPECT_EQ(error.description, "Specified target variable must be character-based: Amount");
  EXPECT_EQ(error.source, "Orlix.CategoryMap.1");
  EXPECT_EQ(error.guid, kIidICategoryMap);
}

TEST_F(MapComponentTest, MinimumCountBelowOneIsAWarningAfterTheTableIsFilled) {
  RegressionMap map;
  connect(map);
  map.SetAsTarget("Amount");
  EXPECT_EQ(map.SetMinimumN(0), com::S_OK);
  EXPECT_EQ(map.Run(), com::DISP_E_EXCEPTION);
  EXPECT_EQ(lastError().description, "Warning - minimum stopping rule was improperly set");
  EXPECT_EQ(map.engine()->root(), nullptr);
}

TEST_F(MapComponentTest, SettingsFollowTheFieldLookup) {
  RegressionMap map;
  connect(map);
  EXPECT_EQ(map.SetAsExcluded("no such field"), com::S_OK);
  EXPECT_EQ(map.SetAsDecile("C"), com::E_FAIL);
  EXPECT_EQ(lastError().description, "Attempting to decile non-numeric field C");
  EXPECT_EQ(map.SetAsDecile("b"), com::S_OK);
  EXPECT_EQ(map.SetAsCharacter("d"), com::S_OK);
  EXPECT_EQ(map.SetAsDecile("D"), com::E_FAIL);  // character now
  EXPECT_EQ(map.SetAsExcluded("a"), com::S_OK);
  // Two targets: the first in source order wins, neither is a predictor; an
  // excluded target is still the target.
  EXPECT_EQ(map.SetAsTarget("A"), com::S_OK);
  EXPECT_EQ(map.SetAsTarget("Amount"), com::S_OK);
  map.SetMinimumN(10);
  ASSERT_EQ(map.Run(), com::S_OK);
  int32_t cols = 0;
  map.Cols(&cols);
  ASSERT_EQ(cols, 4);
  const auto& c = map.engine()->columns();
  EXPECT_EQ(c[0].name, "B");
  EXPECT_EQ(c[0].decile, 1);
  EXPECT_EQ(c[1].name, "C");
  EXPECT_EQ(c[2].name, "D");
  EXPECT_EQ(c[2].kind, engine::kCharacterKind);
  EXPECT_EQ(c[3].name, "A");
}

TEST_F(MapComponentTest, EngineFailuresEndRunWithTheirMessages) {
  RegressionMap map;
  // Every record has a missing number: no row reaches the engine.
  connect(map, "A,T\n,1\n,2\n5,\n");
  map.SetAsTarget("T");
  EXPECT_EQ(map.Run(), com::E_FAIL);
  EXPECT_EQ(lastError().description, "No rows found in OLE DB data source");
}

TEST_F(MapComponentTest, AnswersForItsOwnInterfacesOnly) {
  RegressionMap map;
  EXPECT_EQ(map.InterfaceSupportsErrorInfo(kIidIRegressionMap), com::S_OK);
  EXPECT_EQ(map.InterfaceSupportsErrorInfo(kIidIDispatch), com::S_FALSE);
  EXPECT_EQ(map.InterfaceSupportsErrorInfo(kIidICategoryMap), com::S_FALSE);
  for (const com::Guid& iid :
       {kIidIUnknown, kIidIDispatch, kIidIRegressionMap, kIidISupportErrorInfo, kIidIConnectionPointContainer})
    EXPECT_TRUE(map.QueryInterface(iid)) << iid.toString();
  EXPECT_FALSE(map.QueryInterface(kIidICategoryMap));
  EXPECT_FALSE(map.QueryInterface(kDiidIRegressionMapEvents));
  EXPECT_EQ(map.FindConnectionPoint(kDiidIRegressionMapEvents), com::CONNECT_E_NOCONNECTION);
  EXPECT_EQ(map.FindConnectionPoint(kIidIDispatch), com::CONNECT_E_NOCONNECTION);
  EXPECT_TRUE(map.EnumConnectionPoints().empty());

  CategoryMap category;
  EXPECT_EQ(category.InterfaceSupportsErrorInfo(kIidICategoryMap), com::S_OK);
  EXPECT_EQ(category.InterfaceSupportsErrorInfo(kIidIRegressionMap), com::S_FALSE);
  int32_t classes = -1;
  EXPECT_EQ(category.NumTargetValues(&classes), com::S_OK);
  EXPECT_EQ(classes, 0);
}

TEST_F(MapComponentTest, EachComponentHasItsOwnNodeFileRemovedWithIt) {
  std::string first, second;
  {
    RegressionMap a;
    CategoryMap b;
    first = a.NodeFileName();
    second = b.NodeFileName();
    EXPECT_NE(first, second);
    EXPECT_TRUE(std::filesystem::exists(first));
    EXPECT_EQ(std::filesystem::path(first).parent_path(), std::filesystem::temp_directory_path());
  }
  EXPECT_FALSE(std::filesystem::exists(first));
  EXPECT_FALSE(std::filesystem::exists(second));
}

TEST_F(MapComponentTest, RegistryCreatesByClassIdentityOrProgId) {
  const auto classes = mapClasses();
  std::unique_ptr<IMap> map;
  ASSERT_EQ(classes.createInstance(kClsidRegressionMap, map), com::S_OK);
  EXPECT_NE(dynamic_cast<IRegressionMap*>(map.get()), nullptr);
  ASSERT_EQ(classes.createInstance("orlix.categorymap", map), com::S_OK);
  EXPECT_NE(dynamic_cast<ICategoryMap*>(map.get()), nullptr);
  ASSERT_EQ(classes.createInstance("Orlix.CategoryMap.1", map), com::S_OK);
  EXPECT_EQ(classes.createInstance(kLibidOrlixLib, map), com::REGDB_E_CLASSNOTREG);
}

TEST_F(MapComponentTest, RegistrationWritesAndRemovesTheClassKeys) {
  com::RegistryFile registry(dir.file("registry.reg"));
  registerMapServer(registry, "/usr/lib/liborlix.so");
  com::RegistryFile reread(dir.file("registry.reg"));
  const std::string key = "HKEY_CLASSES_ROOT\\CLSID\\" + kClsidCategoryMap.toString();
  EXPECT_EQ(reread.value(key), "CategoryMap Class");
  EXPECT_EQ(reread.value(key + "\\InprocServer32"), "/usr/lib/liborlix.so");
  EXPECT_EQ(reread.value(key + "\\InprocServer32", "ThreadingModel"), "Apartment");
  EXPECT_EQ(reread.value("HKEY_CLASSES_ROOT\\Orlix.RegressionMap\\CurVer"), "Orlix.RegressionMap.1");
  unregisterMapServer(reread);
  com::RegistryFile after(dir.file("registry.reg"));
  EXPECT_FALSE(after.hasKey(key));
  EXPECT_FALSE(after.hasKey("HKEY_CLASSES_ROOT\\Orlix.RegressionMap"));
  EXPECT_TRUE(after.hasKey("HKEY_CLASSES_ROOT\\CLSID"));
}

}  // namespace
}  // namespace orlix::server
