// A source is read once per analysis: a file at ConnectOLEDB, kept for Run
// while it is unchanged; a SQL source described at ConnectOLEDB and read at
// Run; a component that takes another's connection reads nothing again.
#include <gtest/gtest.h>

#include <vector>

#include "server/category_map.h"
#include "server/regression_map.h"
#include "server_test_support.h"

namespace orlix::server {
namespace {

using testing::csvSource;
using test::TempDir;
using testing::sqliteSource;

// The reading stages a component reported.
struct Reads {
  std::vector<std::string> events;
  RunProgress progress() {
    return [this](RunStage stage, long count) {
      if (stage == RunStage::Reading) events.push_back("reading");
      if (stage == RunStage::Read) events.push_back("read " + std::to_string(count));
    };
  }
  std::vector<std::string> take() { return std::exchange(events, {}); }
};

const char* kTable = "A,B,T\n1,x,2.5\n2,y,3.5\n3,x,4.5\n4,y,5.5\n5,x,6.5\n6,y,7.5\n";

std::string rulesOf(IMap& map) {
  std::string rules;
  EXPECT_EQ(map.MAPRules(&rules), com::S_OK);
  return rules;
}

TEST(OneRead, AFileReadAtConnectIsNotReadAgainAtRun) {
  TempDir dir;
  const auto source = csvSource(dir, "t.csv", kTable);
  RegressionMap map;
  Reads reads;
  map.SetProgress(reads.progress());
  ASSERT_EQ(map.ConnectOLEDB(source.connection, source.table), com::S_OK);
  EXPECT_EQ(reads.take(), std::vector<std::string>{"read 6"});
  map.SetAsTarget("T");
  map.SetMinimumN(2);
  ASSERT_EQ(map.Run(), com::S_OK);
  EXPECT_TRUE(reads.take().empty());
  // What was read is gone with the run: another run reads again.
  ASSERT_EQ(map.Run(), com::S_OK);
  EXPECT_EQ(reads.take(), (std::vector<std::string>{"reading", "read 6"}));
}

TEST(OneRead, AFileChangedSinceConnectIsReadAgain) {
  TempDir dir;
  const auto source = csvSource(dir, "t.csv", kTable);
  RegressionMap map;
  Reads reads;
  map.SetProgress(reads.progress());
  ASSERT_EQ(map.ConnectOLEDB(source.connection, source.table), com::S_OK);
  reads.take();
  dir.write("t.csv", std::string(kTable) + "7,x,8.5\n");
  map.SetAsTarget("T");
  map.SetMinimumN(2);
  ASSERT_EQ(map.Run(), com::S_OK);
  EXPECT_EQ(reads.take(), (std::vector<std::string>{"reading", "read 7"}));
  EXPECT_EQ(map.analysisTable().RowCount(), 7);
}

TEST(OneRead, ASqlSourceIsDescribedAtConnectAndReadAtRun) {
  TempDir dir;
  const auto source = sqliteSource(dir,
                                   "create table t (A integer, B text, T double);"
                                   "insert into t values (1, 'x', 2.5), (2, 'y', 3.5), (3, 'x', 4.5), (4, 'y', 5.5);",
                                   "t");
  RegressionMap map;
  Reads reads;
  map.SetProgress(reads.progress());
  ASSERT_EQ(map.ConnectOLEDB(source.connection, source.table), com::S_OK);
  EXPECT_TRUE(reads.take().empty());
  ASSERT_EQ(map.SourceFields().size(), 3u);
  EXPECT_EQ(map.SourceFields()[2].type, ado::adDouble);
  map.SetAsTarget("T");
  map.SetMinimumN(1);
  ASSERT_EQ(map.Run(), com::S_OK);
  EXPECT_EQ(reads.take(), (std::vector<std::string>{"reading", "read 4"}));
}

// The batch front end learns that the target is text only once connected,
// and moves to a CategoryMap without reading the source again.
TEST(OneRead, TakingAConnectionReadsNothingAgainAndGivesTheSameResults) {
  TempDir dir;
  const auto source = csvSource(dir, "t.csv", kTable);
  RegressionMap first;
  ASSERT_EQ(first.ConnectOLEDB(source.connection, source.table), com::S_OK);
  CategoryMap taken;
  Reads reads;
  taken.SetProgress(reads.progress());
  ASSERT_EQ(taken.TakeConnection(first), com::S_OK);
  ASSERT_EQ(taken.SourceFields().size(), 3u);
  EXPECT_TRUE(first.SourceFields().empty());
  EXPECT_EQ(first.SetAsTarget("B"), com::DISP_E_EXCEPTION);  // left unconnected
  taken.SetAsTarget("B");
  taken.SetMinimumN(2);
  ASSERT_EQ(taken.Run(), com::S_OK);
  EXPECT_TRUE(reads.take().empty());

  CategoryMap connected;
  ASSERT_EQ(connected.ConnectOLEDB(source.connection, source.table), com::S_OK);
  connected.SetAsTarget("B");
  connected.SetMinimumN(2);
  ASSERT_EQ(connected.Run(), com::S_OK);
  const auto withoutTime = [](std::string text) { return text.substr(text.find("Segment Summary Report")); };
  EXPECT_EQ(withoutTime(rulesOf(taken)), withoutTime(rulesOf(connected)));

  CategoryMap never;
  EXPECT_EQ(never.TakeConnection(first), com::E_FAIL);
}

}  // namespace
}  // namespace orlix::server
