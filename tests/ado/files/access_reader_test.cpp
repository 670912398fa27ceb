#include "platform/ado/files/access_reader.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/ado/error.h"
#include "tests/ado/files/collected_table.h"
#include "tests/support/test_files.h"

namespace orlix::ado {
namespace {

using ::testing::ElementsAre;
using testing::CollectedTable;
using test::sampleFile;

CollectedTable Read(const std::string& file, const std::string& table) {
  CollectedTable t;
  readAccessTable(sampleFile("access/" + file), table, t);
  return t;
}

TEST(AccessReader, ListsUserTablesOnly) {
  EXPECT_THAT(listAccessTables(sampleFile("access/testV1997.mdb")), ElementsAre("Table1", "Table2", "Table3", "Table4"));
  EXPECT_THAT(listAccessTables(sampleFile("access/weirdObjectNames.mdb")), ElementsAre("19 MB 01 BEZAHLT ???"));
  auto names = listAccessTables(sampleFile("access/testIndexPropertiesV2000.mdb"));
  EXPECT_EQ(names.size(), 6u);
  for (const auto& n : names) EXPECT_NE(n.rfind("MSys", 0), 0u) << n;
}

TEST(AccessReader, Jet3TableHasEveryTypeMappedAndItsValues) {
  auto t = Read("testV1997.mdb", "Table1");
  ASSERT_EQ(t.Names(), (std::vector<std::string>{"A", "B", "C", "D", "E", "F", "G", "H", "I"}));
  std::vector<int> types;
  for (const auto& f : t.fields) types.push_back(f.type);
  EXPECT_THAT(types, ElementsAre(kFileVarWChar, kFileVarWChar, kFileUnsignedTinyInt, kFileSmallInt, kFileInteger,
                                 kFileDouble, kFileDate, kFileCurrency, kFileBoolean));
  EXPECT_EQ(t.fields[0].definedSize, 50);
  EXPECT_EQ(t.fields[1].definedSize, 100);
  ASSERT_EQ(t.rows.size(), 2u);
  EXPECT_EQ(t.Text(1, "A"), "abcdefg");
  EXPECT_EQ(t.Text(1, "B"), "hijklmnop");
  EXPECT_EQ(t.Number(1, "C"), 2);
  EXPECT_EQ(t.Number(1, "D"), 222);
  EXPECT_EQ(t.Number(1, "E"), 333333333);
  EXPECT_DOUBLE_EQ(t.Number(1, "F"), 444.555);
  EXPECT_DOUBLE_EQ(std::get<double>(t.At(0, "G")), 29932);  // 1981-12-12
  EXPECT_DOUBLE_EQ(std::get<double>(t.At(1, "G")), 27293);  // 1974-09-21
  EXPECT_EQ(std::get<std::int64_t>(t.At(1, "H")), 35000);   // 3.5000
  EXPECT_EQ(std::get<bool>(t.At(0, "I")), false);
  EXPECT_EQ(std::get<bool>(t.At(1, "I")), true);
}

TEST(AccessReader, EmptyTablesKeepTheirFields) {
  EXPECT_EQ(Read("testV1997.mdb", "Table2").fields.size(), 89u);
  auto t4 = Read("testV1997.mdb", "Table4");
  EXPECT_TRUE(t4.rows.empty());
  EXPECT_EQ(t4.fields[1].type, kFileGuid);
}

TEST(AccessReader, NullsInNumericAndTextColumns) {
  auto t = Read("compIndexTestV2000.mdb", "Table1");
  ASSERT_EQ(t.rows.size(), 512u);
  int null_ids = 0, def_rows = 0;
  for (std::size_t r = 0; r < t.rows.size(); ++r) {
    if (t.IsNull(r, "CD_AGENTE")) {
      ++null_ids;
      EXPECT_EQ(t.Text(r, "RS_AGENTE"), "abc");
    }
    def_rows += !t.IsNull(r, "DC_AGENTE") && t.Text(r, "DC_AGENTE") == "def";
  }
  EXPECT_EQ(null_ids, 2);
  EXPECT_EQ(def_rows, 510);
  EXPECT_EQ(t.fields[1].definedSize, 55);
}

TEST(AccessReader, RowsComeInStorageOrder) {
  auto t = Read("testIndexPropertiesV2000.mdb", "TableIgnoreNulls2");
  ASSERT_EQ(t.rows.size(), 11u);
  EXPECT_EQ(t.Text(3, "row"), "row4");
  EXPECT_EQ(t.Text(10, "row"), "row3");
  int null_data1 = 0, null_data2 = 0;
  for (std::size_t r = 0; r < t.rows.size(); ++r) {
    null_data1 += t.IsNull(r, "data1");
    null_data2 += t.IsNull(r, "data2");
  }
  EXPECT_EQ(null_data1, 5);
  EXPECT_EQ(null_data2, 2);
  auto unique = Read("testIndexPropertiesV2000.mdb", "TableUnique2_temp");
  EXPECT_EQ(unique.Text(3, "row"), "row3");
}

TEST(AccessReader, TableNameWithBlanksAndQuestionMarksMatchedIgnoringCase) {
  auto t = Read("weirdObjectNames.mdb", "19 mb 01 bezahlt ???");
  ASSERT_EQ(t.rows.size(), 1u);
  EXPECT_EQ(t.Number(0, "ID"), 1);
  EXPECT_EQ(t.Text(0, "TextField"), "foo");
}

TEST(AccessReader, MissingTableNamesFileAndTable) {
  try {
    Read("testV1997.mdb", "Nope");
    FAIL();
  } catch (const DataError& e) {
    EXPECT_THAT(e.what(), ::testing::HasSubstr("testV1997.mdb"));
    EXPECT_THAT(e.what(), ::testing::HasSubstr("Nope"));
  }
}

}  // namespace
}  // namespace orlix::ado
