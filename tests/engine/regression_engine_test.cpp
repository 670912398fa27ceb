// Growing regression trees: the cases the growing rules must get right.
#include "engine/regression_engine.h"

#include <gtest/gtest.h>

#include <functional>

#include "engine/cart_error.h"
#include "engine_test_support.h"

namespace orlix::engine::testing {
namespace {

struct Grown {
  RunResult result;
  std::vector<std::string> lines;
  int nodeCount = 0;
  int splitCount = 0;
};

Grown Grow(const std::vector<std::vector<TestCell>>& cells, const std::vector<ColumnDescriptor>& descriptors,
           int minimumN) {
  RowTable table;
  FillTable(table, cells);
  RegressionEngine engine(table);
  Grown grown;
  grown.result = RunEngine(engine, table, descriptors, minimumN);
  grown.lines = Lines(grown.result.nodeFile);
  grown.nodeCount = engine.nodeCount();
  grown.splitCount = engine.splitCount();
  return grown;
}

TEST(RegressionEngine, RootLineOfTheNodeFile) {
  auto g = Grow({Column(4, [](int r) { return TestCell(double(r)); }), Column(4, [](int r) { return TestCell(2.0 * r + 1); })},
                {Variable("X"), Variable("Y")}, 5);
  ASSERT_EQ(g.result.status, 0) << g.result.advisories;
  ASSERT_EQ(g.lines.size(), 1u);  // a tree of one node
  EXPECT_EQ(g.lines[0], "root,\"ALL CASES\",4,4,2.23607,1,7");
  EXPECT_EQ(g.nodeCount, 1);
}

TEST(RegressionEngine, ConstantTargetHasNoRoot) {
  auto g = Grow({Column(5, [](int r) { return TestCell(double(r)); }), Column(5, [](int) { return TestCell(0.1); })},
                {Variable("X"), Variable("Y")}, 1);
  EXPECT_EQ(g.result.status, 7);
  EXPECT_EQ(g.result.advisories,
            "Advisory at module: CreateRoot\nSeverity: Warning\nTarget variable is a constant\n"
            "Check validity of data source\n");
}

TEST(RegressionEngine, SplitsNeedMoreThanMinimumNOnEachSide) {
  // 20 rows, a perfect split 10 / 10: rejected with minimum 10, kept with 9.
  auto x = Column(20, [](int r) { return TestCell(double(r)); });
  auto y = Column(20, [](int r) { return TestCell(r < 10 ? 1.0 : 5.0); });
  auto rejected = Grow({x, y}, {Variable("X"), Variable("Y")}, 10);
  EXPECT_EQ(rejected.lines.size(), 1u);
  auto kept = Grow({x, y}, {Variable("X"), Variable("Y")}, 9);
  ASSERT_EQ(kept.lines.size(), 3u);
  EXPECT_EQ(kept.lines[1], "root_L,\"X <= 9.000000\",10,1,0,1,1");
  EXPECT_EQ(kept.lines[2], "root_R,\"X >  9.000000\",10,5,0,5,5");
}

TEST(RegressionEngine, LargeMinimumLeavesTheRootAlone) {
  auto g = Grow({Column(40, [](int r) { return TestCell(double(r)); }),
                 Column(40, [](int r) { return TestCell(double(r % 7)); })},
                {Variable("X"), Variable("Y")}, 20);
  EXPECT_EQ(g.lines.size(), 1u);
  EXPECT_EQ(g.nodeCount, 1);
}

TEST(RegressionEngine, ThresholdEqualToACellSendsItLeft) {
  auto g = Grow({Column(6, [](int r) { return TestCell(r < 3 ? 2.5 : 7.0); }),
                 Column(6, [](int r) { return TestCell(r < 3 ? 1.0 : 3.0); })},
                {Variable("X"), Variable("Y")}, 2);
  ASSERT_EQ(g.lines.size(), 3u);
  EXPECT_EQ(g.lines[1], "root_L,\"X <= 2.500000\",3,1,0,1,1");
}

TEST(RegressionEngine, AtMostTenSplitsDepthFirstLeftFirst) {
  // A target with many levels splits as long as the limit allows.
  auto g = Grow({Column(400, [](int r) { return TestCell(double(r)); }),
                 Column(400, [](int r) { return TestCell(double((r * 37) % 101)); })},
                {Variable("X"), Variable("Y")}, 3);
  EXPECT_EQ(g.splitCount, 10);
  EXPECT_EQ(g.nodeCount, 21);
  ASSERT_EQ(g.lines.size(), 21u);
  EXPECT_EQ(g.lines[1].substr(0, 7), "root_L,");
}

TEST(RegressionEngine, PureChildrenStayLeaves) {
  auto g = Grow({Column(30, [](int r) { return TestCell(double(r)); }),
                 Column(30, [](int r) { return TestCell(r < 15 ? 0.1 : 0.1 * (r % 4)); })},
                {Variable("X"), Variable("Y")}, 2);
  ASSERT_GE(g.lines.size(), 3u);
  // root_L holds rows of 0.1 only: no spread, no further split, though the
  // minimum count would allow one.
  EXPECT_EQ(g.lines[1].rfind("root_L,\"X <= 2.000000\",3,0.1,0,", 0), 0u) << g.lines[1];
  auto only = Grow({Column(30, [](int r) { return TestCell(double(r)); }),
                    Column(30, [](int r) { return TestCell(r < 20 ? 0.1 : 0.7); })},
                   {Variable("X"), Variable("Y")}, 2);
  ASSERT_EQ(only.lines.size(), 3u);
  EXPECT_EQ(only.lines[1], "root_L,\"X <= 19.000000\",20,0.1,0,0.1,0.1");
}

TEST(RegressionEngine, EarlierPredictorWinsATie) {
  auto x = Column(12, [](int r) { return TestCell(double(r)); });
  auto y = Column(12, [](int r) { return TestCell(r < 6 ? 0.0 : 4.0); });
  auto g = Grow({x, x, y}, {Variable("A"), Variable("B"), Variable("Y")}, 2);
  ASSERT_EQ(g.lines.size(), 3u);
  EXPECT_NE(g.lines[1].find("\"A <= 5.000000\""), std::string::npos) << g.lines[1];
}

TEST(RegressionEngine, ThresholdsTriedInTextOrder) {
  // Thresholds 10 and 2 (and 3) split 1 2 | 10 10 ... equally: "10.000000" sorts first.
  auto x = Column(8, [](int r) { return TestCell(r < 4 ? 2.0 : 10.0); });
  auto y = Column(8, [](int r) { return TestCell(r < 4 ? 1.0 : 9.0); });
  auto g = Grow({x, y}, {Variable("X"), Variable("Y")}, 1);
  ASSERT_EQ(g.lines.size(), 3u);
  EXPECT_NE(g.lines[1].find("X <= 2.000000"), std::string::npos);
}

TEST(RegressionEngine, CategorySplitsAndTheirRules) {
  auto region = Column(12, [](int r) { return TestCell(std::string(r % 3 == 0 ? "East" : r % 3 == 1 ? "West" : "North")); });
  auto y = Column(12, [](int r) { return TestCell(r % 3 == 2 ? 10.0 : 1.0 + (r % 2)); });
  auto g = Grow({region, y}, {Variable("REGION", kCharacterKind), Variable("Y")}, 2);
  ASSERT_GE(g.lines.size(), 3u);
  EXPECT_EQ(g.lines[1].substr(0, 38), "root_L,\"REGION IS_IN { East West }\",8,");
  bool right = false;
  for (const auto& line : g.lines) right = right || line.rfind("root_R,\"REGION IS_IN { North }\",4,10,0,", 0) == 0;
  EXPECT_TRUE(right) << g.result.nodeFile;
}

TEST(RegressionEngine, ElevenCategoriesNeverSplit) {
  auto c = Column(44, [](int r) { return TestCell(std::string(1, static_cast<char>('a' + r % 11))); });
  auto y = Column(44, [](int r) { return TestCell(double(r % 11)); });
  auto g = Grow({c, y}, {Variable("C", kCharacterKind), Variable("Y")}, 1);
  EXPECT_EQ(g.lines.size(), 1u);
}

TEST(RegressionEngine, DecimalCellsOfACharacterPredictorMatchNoCategory) {
  // Categories are "3" and "4" (rounded) but rows compare as "3.4" and "4.2".
  auto c = Column(10, [](int r) { return TestCell(r < 5 ? 3.4 : 4.2); });
  auto y = Column(10, [](int r) { return TestCell(r < 5 ? 1.0 : 2.0); });
  auto g = Grow({c, y}, {Variable("C", kCharacterKind), Variable("Y")}, 1);
  EXPECT_EQ(g.lines.size(), 1u);
  // Whole numbers match their categories.
  auto whole = Column(10, [](int r) { return TestCell(r < 5 ? 3.0 : 4.0); });
  auto split = Grow({whole, y}, {Variable("C", kCharacterKind), Variable("Y")}, 1);
  EXPECT_EQ(split.lines.size(), 3u);
}

TEST(RegressionEngine, DecileVariablesSplitOnDecileNumbers) {
  auto x = Column(100, [](int r) { return TestCell(double(r + 1)); });
  auto y = Column(100, [](int r) { return TestCell(r < 30 ? 1.0 : 2.0); });
  auto g = Grow({x, y}, {Variable("X", kNumericKind, 1), Variable("Y")}, 5);
  ASSERT_EQ(g.lines.size(), 3u);
  EXPECT_EQ(g.lines[1], "root_L,\"X <= 2.000000\",30,1,0,1,1");
}

TEST(RegressionEngine, DecileTargetRootShowsRawStatistics) {
  auto x = Column(20, [](int r) { return TestCell(double(r)); });
  auto y = Column(20, [](int r) { return TestCell(100.0 + r); });
  auto g = Grow({x, y}, {Variable("X"), Variable("Y", kNumericKind, 1)}, 3);
  ASSERT_GE(g.lines.size(), 3u);
  EXPECT_EQ(g.lines[0], "root,\"ALL CASES\",20,109.5,5.76628,100,119");
  EXPECT_NE(g.lines[1].find(",0,"), std::string::npos) << g.lines[1];  // children hold decile numbers
}

TEST(RegressionEngine, GrowingTwiceGrowsAfresh) {
  RowTable table;
  FillTable(table, {Column(50, [](int r) { return TestCell(double(r)); }),
                    Column(50, [](int r) { return TestCell(double(r % 5)); })});
  RegressionEngine engine(table);
  const RunResult first = RunEngine(engine, table, {Variable("X"), Variable("Y")}, 3);
  ASSERT_EQ(first.status, 0);
  const int firstSplits = engine.splitCount();
  ASSERT_LT(firstSplits, 10);
  CerrCapture capture;
  ASSERT_EQ(engine.Grow(*engine.root()), 0);
  ASSERT_EQ(engine.PrintResult(), 0);
  // The count of splits goes on from the first growth.
  const auto lines = Lines(readFile(engine.outputFileName()));
  ASSERT_EQ(lines.size(), 1u + 2u * static_cast<unsigned>(engine.splitCount() - firstSplits));
  EXPECT_EQ(lines.front(), Lines(first.nodeFile).front());
  TreeNode stranger(50);
  EXPECT_EQ(engine.Grow(stranger), 1);
  EXPECT_NE(capture.text().find("Advisory at module: Grow"), std::string::npos);
}

TEST(RegressionEngine, UnconvertibleCellEndsTheRunWithItsRow) {
  RowTable table;
  FillTable(table, {{1.0, std::string("n/a"), 3.0}, {1.0, 2.0, 3.0}});
  RegressionEngine engine(table);
  engine.columns()[0] = Variable("Weight");
  engine.columns()[1] = Variable("Y");
  ASSERT_EQ(engine.SetNumCols(2), 0);
  ASSERT_EQ(engine.SetNumRows(3), 0);
  ASSERT_EQ(engine.SetMinimumN(1), 0);
  try {
    engine.InitializeVars();
    FAIL() << "no error";
  } catch (const EngineDataError& error) {
    EXPECT_NE(std::string(error.what()).find("\"Weight\", row 2"), std::string::npos) << error.what();
  }
}

}  // namespace
}  // namespace orlix::engine::testing
