// A raised cancel flag stops ConnectOLEDB and Run with one error, E_ABORT
// "The run was cancelled", at whichever stage it is seen; the component
// stays usable for a run that is not cancelled.
#include <gtest/gtest.h>

#include <atomic>
#include <string>

#include "server/category_map.h"
#include "server/identifiers.h"
#include "server/regression_map.h"
#include "server_test_support.h"

namespace orlix::server {
namespace {

using test::TempDir;
using testing::csvSource;
using testing::sqliteSource;

std::string table(int rows) {
  std::string text = "A,B,T\n";
  for (int i = 0; i < rows; ++i)
    text += std::to_string(i % 17) + "," + (i % 3 ? "x" : "y") + "," + std::to_string(i % 17 * 2 + i % 5) + "\n";
  return text;
}

// Expects the cancellation error from `code`, reported by `progId`.
void expectCancelled(com::HRESULT code, const std::string& progId) {
  EXPECT_EQ(code, com::E_ABORT);
  const auto info = com::GetErrorInfo();
  ASSERT_TRUE(info.has_value());
  EXPECT_EQ(info->description, kRunCancelled);
  EXPECT_EQ(info->source, progId);
}

TEST(Cancel, AFlagRaisedAsAStageBeginsStopsRunAndALaterRunSucceeds) {
  TempDir dir;
  const auto source = csvSource(dir, "t.csv", table(400));
  for (const RunStage stop : {RunStage::Statistics, RunStage::Growing}) {
    std::atomic<bool> cancel{false};
    RegressionMap map;
    map.SetCancel(&cancel);
    map.SetProgress([&](RunStage stage, long) {
      if (stage == stop) cancel = true;
    });
    ASSERT_EQ(map.ConnectOLEDB(source.connection, source.table), com::S_OK);
    ASSERT_EQ(map.SetAsTarget("T"), com::S_OK);
    map.SetMinimumN(20);
    expectCancelled(map.Run(), kRegressionMapClass.progId);

    cancel = false;
    map.SetProgress({});
    EXPECT_EQ(map.Run(), com::S_OK);
    std::string rules;
    EXPECT_EQ(map.MAPRules(&rules), com::S_OK);
    EXPECT_NE(rules.find("T"), std::string::npos);
  }
}

TEST(Cancel, AFlagRaisedWhileASourceIsReadStopsTheRead) {
  TempDir dir;
  const auto source = sqliteSource(
      dir,
      "create table t(A integer, T real);"
      "with recursive n(i) as (select 1 union all select i + 1 from n where i < 20000) "
      "insert into t select i % 13, i % 7 * 1.5 from n;",
      "t");
  std::atomic<bool> cancel{false};
  RegressionMap map;
  map.SetCancel(&cancel);
  ASSERT_EQ(map.ConnectOLEDB(source.connection, source.table), com::S_OK);
  ASSERT_EQ(map.SetAsTarget("T"), com::S_OK);
  // SQL sources are read at Run: the flag goes up as reading begins.
  map.SetProgress([&](RunStage stage, long) {
    if (stage == RunStage::Reading) cancel = true;
  });
  expectCancelled(map.Run(), kRegressionMapClass.progId);
}

TEST(Cancel, AFlagRaisedBeforeConnectingStopsConnectOLEDB) {
  TempDir dir;
  const auto source = csvSource(dir, "t.csv", table(10));
  std::atomic<bool> cancel{true};
  CategoryMap map;
  map.SetCancel(&cancel);
  expectCancelled(map.ConnectOLEDB(source.connection, source.table), kCategoryMapClass.progId);
  cancel = false;
  EXPECT_EQ(map.ConnectOLEDB(source.connection, source.table), com::S_OK);
  EXPECT_EQ(map.SetAsTarget("B"), com::S_OK);
}

}  // namespace
}  // namespace orlix::server
