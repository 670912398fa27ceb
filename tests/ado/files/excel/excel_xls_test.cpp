#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/ado/error.h"
#include "platform/ado/files/excel/excel_reader.h"
#include "platform/com/ole_date.h"
#include "tests/ado/files/collected_table.h"
#include "tests/support/test_files.h"

namespace orlix::ado {
namespace {

using ::testing::ElementsAre;
using testing::CollectedTable;
using test::sampleFile;

CollectedTable Read(const std::string& file, const std::string& sheet) {
  CollectedTable t;
  readExcelSheet(sampleFile("excel/" + file), sheet, t);
  return t;
}

double Date(int y, int m, int d) { return com::oleDateFromParts(y, m, d); }

TEST(ExcelXls, CatalogListsSheetsWithDollar) {
  EXPECT_THAT(listExcelSheets(sampleFile("excel/deaths.xls")), ElementsAre("arts$", "other$"));
  EXPECT_THAT(listExcelSheets(sampleFile("excel/types.xls")),
              ElementsAre("guess_me$", "guess_max$", "smorgasbord$", "logical_coercion$", "date_coercion$",
                          "numeric_coercion$", "text_coercion$"));
  EXPECT_EQ(listExcelSheets(sampleFile("excel/profiles.xls")).size(), 5u);
}

TEST(ExcelXls, TableBelowNotesOpensWithItsOwnHeaderAndFormulaResults) {
  for (const char* sheet : {"arts$", "other"}) {
    auto t = Read("deaths.xls", sheet);
    ASSERT_EQ(t.Names(), (std::vector<std::string>{"Name", "Profession", "Age", "Has kids", "Date of birth",
                                                   "Date of death"}))
        << sheet;
    std::vector<int> types;
    for (const auto& f : t.fields) types.push_back(f.type);
    EXPECT_THAT(types, ElementsAre(kFileVarWChar, kFileVarWChar, kFileDouble, kFileBoolean, kFileDate, kFileDate));
    EXPECT_EQ(t.rows.size(), 10u) << sheet;  // the notes below are no records
  }
  auto arts = Read("deaths.xls", "arts$");
  EXPECT_EQ(arts.Text(0, "Name"), "David Bowie");
  EXPECT_EQ(arts.Number(0, "Age"), 69);  // a formula: its cached result
  EXPECT_EQ(std::get<bool>(arts.At(0, "Has kids")), true);
  EXPECT_DOUBLE_EQ(arts.Number(0, "Date of birth"), Date(1947, 1, 8));
  EXPECT_DOUBLE_EQ(arts.Number(0, "Date of death"), Date(2016, 1, 10));
  EXPECT_EQ(arts.Text(8, "Name"), "Zsa Zsa Gábor");
  EXPECT_EQ(arts.Text(9, "Name"), "George Michael");
}

TEST(ExcelXls, DatesIn1904SystemBooleansAndFormulaRows) {
  auto t = Read("types.xls", "guess_me$");
  ASSERT_EQ(t.Names(), (std::vector<std::string>{"blank", "boolean", "date", "numeric", "text"}));
  ASSERT_EQ(t.rows.size(), 5u);
  EXPECT_EQ(t.fields[0].type, kFileVarWChar);  // no value at all
  EXPECT_EQ(t.fields[1].type, kFileBoolean);
  EXPECT_EQ(t.fields[2].type, kFileDate);
  EXPECT_EQ(t.fields[3].type, kFileDouble);
  EXPECT_DOUBLE_EQ(t.Number(0, "date"), Date(2017, 2, 27));
  EXPECT_DOUBLE_EQ(t.Number(1, "date"), Date(2017, 2, 28));
  for (const char* f : {"blank", "boolean", "date", "numeric", "text"}) EXPECT_TRUE(t.IsNull(2, f)) << f;
  EXPECT_EQ(t.Number(3, "numeric"), 3);  // formula rows
  EXPECT_EQ(t.Number(4, "numeric"), 6);
  EXPECT_EQ(t.Text(4, "text"), "wor");
}

TEST(ExcelXls, ErrorCellsAreNullAndMixedColumnsAreText) {
  auto t = Read("types.xls", "smorgasbord");
  ASSERT_EQ(t.rows.size(), 19u);
  EXPECT_EQ(t.fields[1].type, kFileVarWChar);
  EXPECT_EQ(t.Text(0, "hello world"), "HELLO WORLD");  // text formula
  EXPECT_EQ(t.Text(2, "hello world"), "1.3");
  EXPECT_EQ(t.Text(5, "hello world"), "TRUE");
  for (std::size_t r = 11; r < 19; ++r) {
    EXPECT_THAT(t.Text(r, "text"), ::testing::StartsWith("error"));
    EXPECT_TRUE(t.IsNull(r, "hello world")) << t.Text(r, "text");
  }
}

TEST(ExcelXls, NaTextMakesAColumnText) {
  auto t = Read("missing-values-xls.xls", "Sheet1$");
  ASSERT_EQ(t.Names(), (std::vector<std::string>{"x", "y", "z"}));
  ASSERT_EQ(t.rows.size(), 3u);
  EXPECT_EQ(t.Text(0, "x"), "NA");
  EXPECT_EQ(t.Text(0, "y"), "NA");  // a formula's text result
  EXPECT_EQ(t.Text(2, "y"), "2");
  EXPECT_EQ(t.fields[2].type, kFileDouble);
  EXPECT_TRUE(t.IsNull(0, "z"));
  EXPECT_EQ(t.Number(2, "z"), 2);
}

TEST(ExcelXls, EmptyHeaderCellsAndTrailingBlankColumns) {
  auto axis = Read("profiles.xls", "AXISDEF$");
  EXPECT_EQ(axis.Names(), (std::vector<std::string>{"PROFIL", "i", "d"}));
  EXPECT_EQ(axis.rows.size(), 14u);
  auto chainage = Read("profiles.xls", "TRAVERSALCHAINAGE$");
  ASSERT_EQ(chainage.fields.size(), 13u);
  EXPECT_EQ(chainage.fields[0].name, "F1");
  EXPECT_EQ(chainage.Text(13, "F1"), "Q0");
  auto levels = Read("profiles.xls", "PROFILELEVELS$");
  ASSERT_EQ(levels.fields.size(), 30u);
  EXPECT_EQ(levels.fields[1].name, "Quergefälle");
  EXPECT_EQ(levels.rows.size(), 14u);
  EXPECT_FALSE(levels.IsNull(0, "i1"));  // formula columns carry their cached values
  auto def = Read("profiles.xls", "PROFILEDEF$");
  EXPECT_EQ(def.Text(6, "PROFIL"), "P9");
  EXPECT_EQ(def.Number(13, "l"), 267);
}

TEST(ExcelXls, MissingSheetNamesFileAndSheet) {
  try {
    Read("deaths.xls", "nothere$");
    FAIL();
  } catch (const DataError& e) {
    EXPECT_THAT(e.what(), ::testing::HasSubstr("deaths.xls"));
    EXPECT_THAT(e.what(), ::testing::HasSubstr("nothere"));
  }
}

}  // namespace
}  // namespace orlix::ado
