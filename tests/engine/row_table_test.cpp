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
