// Loading the source: field kinds, which missing values drop a record and
// which become "MISSING", the order of the stored cells, values of other
// types as text, and the sources that are refused.
#include <gtest/gtest.h>

#include <sstream>

#include "server/category_map.h"
#include "server/regression_map.h"
#include "server_test_support.h"

namespace orlix::server {
namespace {

using testing::csvSource;
using testing::TempDir;
using testing::sqliteSource;

// Fails Run right after the fill (minimum count 0), so the table still holds
// the values as the fill stored them.
void fillOnly(MapComponent& map, const std::string& target) {
  ASSERT_EQ(map.SetAsTarget(target), com::S_OK);
  map.SetMinimumN(0);
  ASSERT_EQ(map.Run(), com::DISP_E_EXCEPTION);
}

std::string cellText(const engine::RowTable& t, int row, int col) {
  const engine::Cell c = t.GetCell(row, col);
  switch (c.type) {
    case engine::CellType::String: return "'" + std::string(c.text) + "'";
    case engine::CellType::Empty: return "empty";
    case engine::CellType::Int32: return "i" + std::to_string(static_cast<int>(c.number));
    default: {
      std::ostringstream s;
      s << c.number;
      return s.str();
    }
  }
}

std::string rowOf(const engine::RowTable& t, int row) {
  std::string text;
  for (int c = 0; c < t.ColumnCount(); ++c) text += (c ? " " : "") + cellText(t, row, c);
  return text;
}

const char* kTypedTable =
    "CREATE TABLE items (ID INTEGER, Price DOUBLE, Name TEXT, Qty SMALLINT, Made DATE, T DOUBLE);"
    "INSERT INTO items VALUES (1, 2.5, 'a', 3, '2024-02-29', 10);"
    "INSERT INTO items VALUES (2, NULL, 'b', 4, '2024-03-01', 11);"   // missing number: dropped
    "INSERT INTO items VALUES (3, 4.5, NULL, 5, '2024-03-02', 12);"   // missing text: MISSING
    "INSERT INTO items VALUES (NULL, 5.5, 'c', 6, '2024-03-03', 13);" // ID excluded: kept
    "INSERT INTO items VALUES (5, 6.5, 'd', 7, '2024-03-04', NULL);"; // missing numeric target: dropped

TEST(TableLoading, ClassifiesFieldsAndFillsPredictorsThenTarget) {
  TempDir dir;
  const auto source = sqliteSource(dir, kTypedTable, "items");
  RegressionMap map;
  ASSERT_EQ(map.ConnectOLEDB(source.connection, source.table), com::S_OK);
  map.SetAsExcluded("ID");
  map.SetAsDecile("Price");
  fillOnly(map, "T");
  const engine::RowTable& t = map.analysisTable();
  ASSERT_EQ(t.RowCount(), 3);
  int32_t rows = 0;
  map.Rows(&rows);
  EXPECT_EQ(rows, 3);
  // Price, Name, Qty (small integer: text), Made (date: ISO text), then T.
  EXPECT_EQ(rowOf(t, 0), "2.5 'a' '3' '2024-02-29' 10");
  EXPECT_EQ(rowOf(t, 1), "4.5 'MISSING' '5' '2024-03-02' 12");
  EXPECT_EQ(rowOf(t, 2), "5.5 'c' '6' '2024-03-03' 13");
  const auto& c = map.engine()->columns();
  EXPECT_EQ(c[0].kind, engine::kNumericKind);
  EXPECT_EQ(c[1].kind, engine::kCharacterKind);
  EXPECT_EQ(c[2].kind, engine::kCharacterKind);
  EXPECT_EQ(c[3].kind, engine::kCharacterKind);
}

TEST(TableLoading, IntegersTurnedCharacterStillDropTheirMissingValues) {
  TempDir dir;
  const auto source = csvSource(dir, "t.csv", "A,B,T\n1,x,5\n,y,6\n3,,7\n");
  RegressionMap map;
  ASSERT_EQ(map.ConnectOLEDB(source.connection, source.table), com::S_OK);
  map.SetAsCharacter("A");
  fillOnly(map, "T");
  const engine::RowTable& t = map.analysisTable();
  ASSERT_EQ(t.RowCount(), 2);
  EXPECT_EQ(rowOf(t, 0), "i1 'x' i5");
  EXPECT_EQ(rowOf(t, 1), "i3 'MISSING' i7");
}

TEST(TableLoading, MissingCharacterTargetIsMissingText) {
  TempDir dir;
  const auto source = csvSource(dir, "t.csv", "A,Class\n1,yes\n2,\n3,no\n");
  CategoryMap map;
  ASSERT_EQ(map.ConnectOLEDB(source.connection, source.table), com::S_OK);
  fillOnly(map, "class");
  const engine::RowTable& t = map.analysisTable();
  ASSERT_EQ(t.RowCount(), 3);
  EXPECT_EQ(rowOf(t, 1), "i2 'MISSING'");
}

TEST(TableLoading, RefusesMoreThan250Fields) {
  TempDir dir;
  std::string header, row;
  for (int i = 0; i < 251; ++i) {
    header += (i ? "," : "") + std::string("F") + std::to_string(i);
    row += (i ? "," : "") + std::to_string(i);
  }
  const auto source = csvSource(dir, "wide.csv", header + "\n" + row + "\n");
  RegressionMap map;
  EXPECT_EQ(map.ConnectOLEDB(source.connection, source.table), com::E_FAIL);
  const auto error = com::GetErrorInfo();
  ASSERT_TRUE(error);
  EXPECT_NE(error->description.find("251 fields"), std::string::npos);
  EXPECT_NE(error->description.find("250"), std::string::npos);
}

TEST(TableLoading, BadConnectionsAndTablesFailWithTheirCause) {
  TempDir dir;
  const auto source = csvSource(dir, "t.csv", "A,T\n1,2\n");
  RegressionMap map;
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(map.ConnectOLEDB("Provider=NoSuchThing;", source.table), com::E_FAIL);
  std::string err = ::testing::internal::GetCapturedStderr();
  auto error = com::GetErrorInfo();
  ASSERT_TRUE(error);
  EXPECT_EQ(error->description.rfind("Failed to connect to source data", 0), 0u);
  EXPECT_EQ(err.rfind("DecisionMap error: Connection string failed\nSeverity: Critical\nConnectOLEDB\n"
                      "Check syntax of connection string\n", 0), 0u);

  ::testing::internal::CaptureStderr();
  EXPECT_EQ(map.ConnectOLEDB(source.connection, "[missing.csv]"), com::E_FAIL);
  err = ::testing::internal::GetCapturedStderr();
  error = com::GetErrorInfo();
  ASSERT_TRUE(error);
  EXPECT_NE(error->description.find("missing.csv"), std::string::npos);
  EXPECT_NE(err.find("DecisionMap error: Data source not found"), std::string::npos);

  // Run without a successful ConnectOLEDB: no target can have been set.
  EXPECT_EQ(map.SetAsTarget("T"), com::DISP_E_EXCEPTION);
}

TEST(TableLoading, ATableThatLostItsFileFailsRunWithACause) {
  TempDir dir;
  const auto source = csvSource(dir, "t.csv", "A,T\n1,2\n3,4\n");
  RegressionMap map;
  ASSERT_EQ(map.ConnectOLEDB(source.connection, source.table), com::S_OK);
  ASSERT_EQ(map.SetAsTarget("T"), com::S_OK);
  std::filesystem::remove(dir.file("t.csv"));
  EXPECT_EQ(map.Run(), com::E_FAIL);
  const auto error = com::GetErrorInfo();
  ASSERT_TRUE(error);
  EXPECT_NE(error->description.find("t.csv"), std::string::npos);
}

TEST(TableLoading, RecordsAddedAfterConnectAreKept) {
  TempDir dir;
  const auto source = csvSource(dir, "t.csv", "A,T\n1,2\n3,4\n");
  RegressionMap map;
  ASSERT_EQ(map.ConnectOLEDB(source.connection, source.table), com::S_OK);
  dir.write("t.csv", "A,T\n1,2\n3,4\n5,6\n7,8\n");
  fillOnly(map, "T");
  EXPECT_EQ(map.analysisTable().RowCount(), 4);
  int32_t rows = 0;
  map.Rows(&rows);
  EXPECT_EQ(rows, 4);
}

TEST(TableLoading, RecordsOfASourceEmptyAtConnectAreKept) {
  TempDir dir;
  const auto source = csvSource(dir, "t.csv", "A,T\n");
  RegressionMap map;
  ASSERT_EQ(map.ConnectOLEDB(source.connection, source.table), com::S_OK);
  dir.write("t.csv", "A,T\n1,2\n3,4\n");
  // Without records the text driver cannot type T as a number.
  ASSERT_EQ(map.SetAsTarget("T"), com::DISP_E_EXCEPTION);
  dir.write("t.csv", "A,T\n");
  CategoryMap category;
  ASSERT_EQ(category.ConnectOLEDB(source.connection, source.table), com::S_OK);
  dir.write("t.csv", "A,T\n1,x\n3,y\n");
  fillOnly(category, "T");
  EXPECT_EQ(category.analysisTable().RowCount(), 2);
}

}  // namespace
}  // namespace orlix::server
