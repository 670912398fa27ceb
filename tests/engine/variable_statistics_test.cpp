#include "engine/variable_statistics.h"

#include <gtest/gtest.h>

#include <cmath>

#include "engine/cart_error.h"
#include "engine_test_support.h"

namespace orlix::engine::testing {
namespace {

// Runs the statistics pass over one table; the last column is the target.
std::vector<ColumnDescriptor> Statistics(RowTable& table, const std::vector<std::vector<TestCell>>& cells,
                                         std::vector<ColumnDescriptor> descriptors) {
  FillTable(table, cells);
  ComputeVariableStatistics(table, descriptors, table.RowCount());
  return descriptors;
}

std::vector<TestCell> Doubles(std::initializer_list<double> values) {
  std::vector<TestCell> cells;
  for (double v : values) cells.emplace_back(v);
  return cells;
}

TEST(VariableStatistics, MomentsCountsAndTexts) {
  RowTable table;
  auto d = Statistics(table, {Doubles({3.5, 1, 3.5, 2})}, {Variable("X")});
  EXPECT_EQ(d[0].count, 4);
  EXPECT_DOUBLE_EQ(d[0].sum, 10);
  EXPECT_DOUBLE_EQ(d[0].mean, 2.5);
  EXPECT_DOUBLE_EQ(d[0].sd, std::sqrt(1.125));
  EXPECT_EQ(d[0].cardinality, 3);
  EXPECT_EQ(d[0].uniques, 2);
  EXPECT_EQ(d[0].valueCounts.CountOf("3.500000"), 2);
  EXPECT_EQ(d[0].minText, "1.000000");
  EXPECT_EQ(d[0].maxText, "3.500000");
  EXPECT_EQ(d[0].min, 1.0f);
  EXPECT_EQ(d[0].max, 3.5f);
}

TEST(VariableStatistics, ValueCountsFollowTextOrder) {
  RowTable table;
  auto d = Statistics(table, {Doubles({2, 10, -1, 2})}, {Variable("X")});
  ASSERT_EQ(d[0].valueCounts.size(), 3);
  EXPECT_EQ(d[0].valueCounts[0].first, "-1.000000");
  EXPECT_EQ(d[0].valueCounts[1].first, "10.000000");
  EXPECT_EQ(d[0].valueCounts[2].first, "2.000000");
  // UTF-8 sorts by byte, which is code point order.
  auto c = Statistics(table, {{std::string("\xC3\xA9"), std::string("z"), std::string("Z"), std::string("")}},
                      {Variable("C", kCharacterKind)});
  EXPECT_EQ(c[0].valueCounts[0].first, "");
  EXPECT_EQ(c[0].valueCounts[1].first, "Z");
  EXPECT_EQ(c[0].valueCounts[2].first, "z");
  EXPECT_EQ(c[0].valueCounts[3].first, "\xC3\xA9");
}

TEST(VariableStatistics, AllNegativeValuesKeepTheLeastNegativeAsMax) {
  RowTable table;
  auto d = Statistics(table, {Doubles({-5, -2.25, -9})}, {Variable("X")});
  EXPECT_EQ(d[0].max, -2.25f);
  EXPECT_EQ(d[0].maxText, "-2.250000");
  EXPECT_EQ(d[0].min, -9.0f);
}

TEST(VariableStatistics, ValuesEqualToSixDecimalsAreOneValue) {
  RowTable table;
  auto d = Statistics(table, {Doubles({1.0000001, 1.0000002, 1.0})}, {Variable("X")});
  EXPECT_EQ(d[0].cardinality, 1);
  EXPECT_EQ(d[0].valueCounts.CountOf("1.000000"), 3);
}

TEST(VariableStatistics, MaxTextIsThatOfTheFirstRowWithTheLargestFloat) {
  RowTable table;
  // Both values round to the same float; the first row's text stands.
  auto d = Statistics(table, {Doubles({1.00000001, 1.00000002})}, {Variable("X")});
  EXPECT_EQ(d[0].maxText, "1.000000");
  auto e = Statistics(table, {Doubles({5.0000004, 5.0000001})}, {Variable("X")});
  EXPECT_EQ(e[0].maxText, "5.000000");
  auto f = Statistics(table, {Doubles({7.0000002, 7.0000004})}, {Variable("X")});
  EXPECT_EQ(f[0].max, 7.0000004f);
  EXPECT_EQ(f[0].maxText, "7.000000");
}

TEST(VariableStatistics, CharacterValueTexts) {
  RowTable table;
  auto d = Statistics(table, {{3.0, 3.4, 40000, 2.5, std::string("a")}}, {Variable("C", kCharacterKind)});
  EXPECT_EQ(d[0].valueCounts.CountOf("3"), 2);  // 3 and 3.4 both print as 3
  EXPECT_EQ(d[0].valueCounts.CountOf("-25536"), 1);
  EXPECT_EQ(d[0].valueCounts.CountOf("2"), 1);  // "%.lf" rounds half to even
  EXPECT_EQ(d[0].valueCounts.CountOf("a"), 1);
  EXPECT_EQ(d[0].sum, 0);  // no sums for character variables
  EXPECT_EQ(d[0].maxText, "   ");
  EXPECT_EQ(CharacterComparisonText(table.GetCell(1, 0)), "3.4");
  EXPECT_EQ(CharacterComparisonText(table.GetCell(2, 0)), "-25536");
}

TEST(VariableStatistics, ConstantColumnHasZeroSd) {
  RowTable table;
  auto d = Statistics(table, {Doubles({0.1, 0.1, 0.1, 0.1, 0.1, 0.1, 0.1})}, {Variable("X")});
  EXPECT_EQ(d[0].sd, 0.0);
}

TEST(VariableStatistics, DecilesOfOneToHundred) {
  RowTable table;
  std::vector<TestCell> cells;
  for (int v = 100; v >= 1; --v) cells.emplace_back(static_cast<double>(v));
  auto d = Statistics(table, {cells}, {Variable("X", kNumericKind, 1)});
  for (int k = 0; k < 10; ++k) EXPECT_EQ(d[0].cuts[k][0], 10.0f * (k + 1)) << k;
  EXPECT_EQ(table.GetCell(90, 0).number, 0);  // the value 10
  EXPECT_EQ(table.GetCell(89, 0).number, 1);  // the value 11
  EXPECT_EQ(table.GetCell(0, 0).number, 9);   // the value 100
  // Statistics describe the raw values.
  EXPECT_EQ(d[0].max, 100.0f);
  EXPECT_EQ(d[0].cardinality, 100);
}

TEST(VariableStatistics, OneRowTable) {
  RowTable table;
  auto d = Statistics(table, {Doubles({4.5}), Doubles({2})}, {Variable("X", kNumericKind, 1), Variable("Y")});
  for (int k = 0; k < 10; ++k) EXPECT_EQ(d[0].cuts[k][0], 4.5f);
  EXPECT_EQ(table.GetCell(0, 0).number, 0);
  EXPECT_EQ(d[1].sd, 0);
}

TEST(VariableStatistics, DecileGoalsBelowTenRows) {
  EXPECT_EQ(DecileGoal(3, 0), 0);
  EXPECT_EQ(DecileGoal(3, 9), 3);
  EXPECT_EQ(DecileGoal(100, 2), 30);
  RowTable table;
  auto d = Statistics(table, {Doubles({1, 2, 3})}, {Variable("X")});
  EXPECT_EQ(d[0].cuts[0][0], 1.0f);  // a goal of 0 is reached by the smallest value
  EXPECT_EQ(d[0].cuts[5][0], 1.0f);  // goal 1
  EXPECT_EQ(d[0].cuts[6][0], 2.0f);  // goal 2
  EXPECT_EQ(d[0].cuts[9][0], 3.0f);
  EXPECT_EQ(d[0].cuts[0][1], -999.0f);  // the second float is never set
}

TEST(VariableStatistics, CharacterDecilesReadTextsAsNumbers) {
  RowTable table;
  auto d = Statistics(table, {{std::string("East"), std::string("12abc"), std::string("7"), 5}},
                      {Variable("C", kCharacterKind, 1)});
  EXPECT_EQ(d[0].cuts[0][0], 0.0f);  // "East" reads as 0
  EXPECT_EQ(d[0].cuts[9][0], 12.0f);
  // Strings keep their type with value 0; numbers become decile numbers.
  EXPECT_EQ(table.GetCell(0, 0).type, CellType::String);
  EXPECT_EQ(table.GetCell(0, 0).text, "");
  EXPECT_EQ(table.GetCell(3, 0).type, CellType::Double);
}

TEST(VariableStatistics, NumericCellsBecomeDoublesInPlace) {
  RowTable table;
  Statistics(table, {{1, 2.5f, std::string(" 7.5 "), 4.0}}, {Variable("X")});
  for (int r = 0; r < 4; ++r) EXPECT_EQ(table.GetCell(r, 0).type, CellType::Double) << r;
  EXPECT_EQ(table.GetCell(2, 0).number, 7.5);
}

TEST(VariableStatistics, UnconvertibleCellsNameVariableAndRow) {
  RowTable table;
  auto expectError = [&](std::vector<TestCell> cells, const std::string& part) {
    FillTable(table, {cells});
    std::vector<ColumnDescriptor> d{Variable("Height")};
    try {
      ComputeVariableStatistics(table, d, table.RowCount());
      ADD_FAILURE() << "no error for " << part;
    } catch (const EngineDataError& error) {
      const std::string message = error.what();
      EXPECT_NE(message.find("Height"), std::string::npos) << message;
      EXPECT_NE(message.find(part), std::string::npos) << message;
    }
  };
  expectError({1.0, std::string("tall")}, "row 2");
  expectError({1.0, 2.0, TestCell{}}, "row 3");
  expectError({std::nan("")}, "row 1");
  expectError({HUGE_VAL}, "row 1");
}

TEST(VariableStatistics, TableOfTheWrongShapeIsAnError) {
  RowTable table;
  FillTable(table, {Doubles({1, 2})});
  std::vector<ColumnDescriptor> two{Variable("A"), Variable("B")};
  EXPECT_THROW(ComputeVariableStatistics(table, two, 2), EngineDataError);
  std::vector<ColumnDescriptor> one{Variable("A")};
  EXPECT_THROW(ComputeVariableStatistics(table, one, 3), EngineDataError);
}

}  // namespace
}  // namespace orlix::engine::testing
