// Growing category trees: the chi-square criterion and what differs from regression.
#include "engine/category_engine.h"
#include "engine/cart_error.h"

#include <gtest/gtest.h>

#include <functional>

#include "engine_test_support.h"

namespace orlix::engine::testing {
namespace {

ClassStats Counts(std::initializer_list<int> counts) {
  ClassStats s;
  int i = 0;
  for (int c : counts) {
    s.counts[static_cast<std::size_t>(i++)] = c;
    s.n += c;
  }
  return s;
}

TEST(ChiSquare, SeparatedClassesAndEqualProportions) {
  EXPECT_EQ(ChiSquare(Counts({30, 0}), Counts({0, 30}), 2), 60.0f);  // every E is 15: 4 x 15^2 / 15
  EXPECT_EQ(ChiSquare(Counts({10, 10}), Counts({20, 20}), 2), 0.0f);
  // Expected counts are truncated; cells whose E is 0 are left out.
  EXPECT_EQ(ChiSquare(Counts({1, 0}), Counts({1, 2}), 2), 1.0f);
  EXPECT_EQ(ChiSquare(Counts({}), Counts({}), 2), 0.0f);
}

TEST(ChiSquare, ExpectedCountsDoNotOverflowOnLargeTables) {
  // T_r x C_i is above 2^31 here.
  const float score = ChiSquare(Counts({60000, 0}), Counts({0, 60000}), 2);
  EXPECT_EQ(score, 120000.0f);
}

struct Grown {
  RunResult result;
  std::vector<std::string> lines;
  int splits = 0;
};

Grown GrowCategory(std::vector<std::vector<TestCell>> cells, std::vector<ColumnDescriptor> descriptors, int minimumN) {
  RowTable table;
  FillTable(table, cells);
  CategoryEngine engine(table);
  Grown g;
  g.result = RunEngine(engine, table, descriptors, minimumN);
  g.lines = Lines(g.result.nodeFile);
  g.splits = engine.splitCount();
  return g;
}

TEST(CategoryEngine, EveryNodeListsEveryClass) {
  auto g = GrowCategory({Column(60, [](int r) { return TestCell(double(r)); }),
                         Column(60, [](int r) { return TestCell(std::string(r < 30 ? "no" : "yes")); })},
                        {Variable("AGE"), Variable("BUY", kCharacterKind)}, 5);
  ASSERT_EQ(g.result.status, 0) << g.result.advisories;
  ASSERT_GE(g.lines.size(), 3u);
  EXPECT_EQ(g.lines[0], "root,ALL CASES,60,no,30,yes,30");
  EXPECT_EQ(g.lines[1], "root_L,AGE <= 29.000000,30,no,30,yes,0");
}

TEST(CategoryEngine, SingleClassStillSplits) {
  auto g = GrowCategory({Column(40, [](int r) { return TestCell(double(r)); }),
                         Column(40, [](int) { return TestCell(std::string("only")); })},
                        {Variable("X"), Variable("C", kCharacterKind)}, 3);
  ASSERT_EQ(g.result.status, 0) << g.result.advisories;
  EXPECT_GT(g.splits, 0);
  EXPECT_EQ(g.lines[0], "root,ALL CASES,40,only,40");
  // Every candidate scores 0; the first threshold that passes the counts wins.
  EXPECT_EQ(g.lines[1], "root_L,X <= 10.000000,11,only,11");
}

TEST(CategoryEngine, MoreThanTenClassesHaveNoRoot) {
  auto g = GrowCategory({Column(22, [](int r) { return TestCell(double(r)); }),
                         Column(22, [](int r) { return TestCell(std::string(1, static_cast<char>('a' + r % 11))); })},
                        {Variable("X"), Variable("C", kCharacterKind)}, 1);
  EXPECT_EQ(g.result.status, 7);
  EXPECT_EQ(g.result.advisories,
            "Advisory at module: CreateRoot\nSeverity: Critical Error\nTarget variable has more than 10 classes\n"
            "Choose a target with at most 10 distinct values\n");
}

TEST(CategoryEngine, CategoryPredictorSplit) {
  auto region = Column(30, [](int r) { return TestCell(std::string(r % 3 == 0 ? "East" : r % 3 == 1 ? "West" : "North")); });
  auto y = Column(30, [](int r) { return TestCell(std::string(r % 3 == 2 ? "b" : "a")); });
  auto g = GrowCategory({region, y}, {Variable("REGION", kCharacterKind), Variable("C", kCharacterKind)}, 2);
  ASSERT_GE(g.lines.size(), 3u);
  EXPECT_EQ(g.lines[1], "root_L,REGION IS_IN { East West },20,a,20,b,0");
  // Pure nodes are split further; the root's right child comes after root_L's subtree.
  EXPECT_EQ(g.lines[2].rfind("root_L_L,REGION IS_IN { North West },", 0), 0u) << g.lines[2];
  bool right = false;
  for (const auto& line : g.lines) right = right || line == "root_R,REGION IS_IN { North },10,a,0,b,10";
  EXPECT_TRUE(right) << g.result.nodeFile;
}

TEST(CategoryEngine, NumericTargetIsRefused) {
  RowTable table;
  FillTable(table, {Column(10, [](int r) { return TestCell(double(r)); }), Column(10, [](int r) { return TestCell(double(r % 2)); })});
  CategoryEngine engine(table);
  EXPECT_THROW(RunEngine(engine, table, {Variable("X"), Variable("Y")}, 1), EngineDataError);
}

}  // namespace
}  // namespace orlix::engine::testing

namespace orlix::engine::testing {
namespace {

TEST(CategoryEngine, WritesNoSplitTrace) {
  RowTable table;
  FillTable(table, {Column(30, [](int r) { return TestCell(double(r)); }),
                    Column(30, [](int r) { return TestCell(std::string(r < 15 ? "a" : "b")); })});
  CategoryEngine engine(table);
  const std::string path = TestFileName(".log");
  std::filesystem::remove(path);
  engine.SetSplitTrace(true, path);
  ASSERT_EQ(RunEngine(engine, table, {Variable("X"), Variable("C", kCharacterKind)}, 2).status, 0);
  EXPECT_FALSE(std::filesystem::exists(path));
}

}  // namespace
}  // namespace orlix::engine::testing
