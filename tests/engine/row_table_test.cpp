#include "engine/row_table.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace orlix::engine {
namespace {

TEST(RowTable, CellsReadBackWithTheirTypes) {
  RowTable table;
  table.Reset(5);
  table.AppendInt32(-7);
  table.AppendFloat(2.5f);
  table.AppendDouble(3.25);
  table.AppendString("East");
  table.AppendEmpty();
  table.EndRow();
  ASSERT_EQ(table.RowCount(), 1);
  EXPECT_EQ(table.GetCell(0, 0).type, CellType::Int32);
  EXPECT_EQ(table.GetCell(0, 0).number, -7);
  EXPECT_EQ(table.GetCell(0, 1).type, CellType::Float);
  EXPECT_EQ(table.GetCell(0, 1).number, 2.5);
  EXPECT_EQ(table.GetCell(0, 2).type, CellType::Double);
  EXPECT_EQ(table.GetCell(0, 3).type, CellType::String);
  EXPECT_EQ(table.GetCell(0, 3).text, "East");
  EXPECT_EQ(table.GetCell(0, 4).type, CellType::Empty);
  EXPECT_EQ(static_cast<int>(CellType::String), 8);
}

TEST(RowTable, RewritesInPlace) {
  RowTable table;
  table.Reset(1);
  table.AppendString("12");
  table.EndRow();
  table.SetDouble(0, 0, 12);
  EXPECT_EQ(table.GetCell(0, 0).type, CellType::Double);
  table.SetString(0, 0, "x");
  EXPECT_EQ(table.GetCell(0, 0).text, "x");
}

TEST(RowTable, RowsOfTheWrongLengthAreRefusedAndDropped) {
  RowTable table;
  table.Reset(2);
  table.AppendDouble(1);
  EXPECT_THROW(table.EndRow(), std::invalid_argument);
  EXPECT_EQ(table.RowCount(), 0);
  table.AppendDouble(1);
  table.AppendDouble(2);
  EXPECT_THROW(table.AppendDouble(3), std::invalid_argument);
  table.EndRow();
  EXPECT_EQ(table.RowCount(), 1);
  EXPECT_EQ(table.GetCell(0, 1).number, 2);
}

TEST(RowTable, CellsOutsideTheTableAreErrors) {
  RowTable table;
  table.Reset(1);
  table.AppendDouble(1);
  table.EndRow();
  EXPECT_THROW(table.GetCell(1, 0), std::out_of_range);
  EXPECT_THROW(table.GetCell(0, 1), std::out_of_range);
  EXPECT_THROW(table.GetCell(-1, 0), std::out_of_range);
  EXPECT_THROW(table.SetDouble(0, 2, 1.0), std::out_of_range);
}

}  // namespace
}  // namespace orlix::engine

namespace orlix::engine {
namespace {

// A whole column at a time gives the table a fill row by row gives.
TEST(RowTableAssign, GivesTheTableARowByRowFillGives) {
  RowTable rows;
  rows.Reset(2);
  rows.AppendInt32(7), rows.AppendString("b"), rows.EndRow();
  rows.AppendDouble(1.5), rows.AppendString("a"), rows.EndRow();
  rows.AppendEmpty(), rows.AppendString("b"), rows.EndRow();

  RowTable columns;
  columns.Assign({{{CellType::Int32, CellType::Double, CellType::Empty}, {7, 1.5, 0}, {}},
                  {{CellType::String, CellType::String, CellType::String}, {0, 1, 0}, {"b", "a"}}});
  ASSERT_EQ(columns.RowCount(), 3);
  ASSERT_EQ(columns.ColumnCount(), 2);
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 2; ++c) {
      EXPECT_EQ(columns.TypeAt(r, c), rows.TypeAt(r, c));
      EXPECT_EQ(columns.GetCell(r, c).number, rows.GetCell(r, c).number);
      EXPECT_EQ(columns.GetCell(r, c).text, rows.GetCell(r, c).text);
    }
  EXPECT_EQ(columns.ColumnStrings(1), rows.ColumnStrings(1));
  // The engine's rewrites find the strings already there.
  columns.SetString(0, 1, "a");
  EXPECT_EQ(columns.StringCodeAt(0, 1), 1u);
  columns.SetString(2, 1, "c");
  EXPECT_EQ(columns.ColumnStrings(1).size(), 3u);
}

TEST(RowTableAssign, RefusesColumnsThatDoNotFit) {
  RowTable t;
  EXPECT_THROW(t.Assign({{{CellType::Double}, {1}, {}}, {{CellType::Double, CellType::Double}, {1, 2}, {}}}),
               std::invalid_argument);
  EXPECT_THROW(t.Assign({{{CellType::Double}, {1, 2}, {}}}), std::invalid_argument);
  EXPECT_THROW(t.Assign({{{CellType::String}, {1}, {"only"}}}), std::invalid_argument);
  EXPECT_THROW(t.Assign({{{CellType::String, CellType::String}, {0, 1}, {"x", "x"}}}), std::invalid_argument);
  t.Assign({});
  EXPECT_EQ(t.RowCount(), 0);
  EXPECT_EQ(t.ColumnCount(), 0);
}

}  // namespace
}  // namespace orlix::engine
