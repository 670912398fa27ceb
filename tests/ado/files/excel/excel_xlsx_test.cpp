#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/ado/error.h"
#include "platform/ado/files/excel/excel_reader.h"
#include "platform/com/ole_date.h"
#include "tests/ado/files/collected_table.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_files.h"
#include "tests/ado/files/xlsx_writer.h"

namespace orlix::ado {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using testing::CollectedTable;
using test::TempDir;
using testing::Workbook;
using testing::WriteZip;

double Date(int y, int m, int d) { return com::oleDateFromParts(y, m, d); }

const char* kStrings =
    "<si><t>name</t></si><si><t>score</t></si><si><t>born</t></si><si><t>ok</t></si>"
    "<si><r><t>Zsa Zsa </t></r><r><rPr><b/></rPr><t>Gábor</t></r></si><si><t>Ann</t></si>";

const char* kRows =
    "<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c><c r=\"B1\" t=\"s\"><v>1</v></c>"
    "<c r=\"C1\" t=\"s\"><v>2</v></c><c r=\"D1\" t=\"s\"><v>3</v></c></row>"
    "<row r=\"2\"><c r=\"A2\" t=\"s\"><v>4</v></c><c r=\"B2\"><v>1.5</v></c>"
    "<c r=\"C2\" s=\"1\"><v>17175</v></c><c r=\"D2\" t=\"b\"><v>1</v></c></row>"
    "<row r=\"3\"><c r=\"A3\" t=\"inlineStr\"><is><t>Bob</t></is></c><c r=\"B3\"><f>1+1</f><v>2</v></c>"
    "<c r=\"C3\" s=\"2\"><v>42379.5</v></c><c r=\"D3\" t=\"b\"><v>0</v></c></row>"
    "<row r=\"5\"><c r=\"A5\" t=\"str\"><f>\"C\"&amp;\"y\"</f><v>Cy</v></c><c r=\"B5\" t=\"e\"><v>#N/A</v></c></row>";

class ExcelXlsx : public ::testing::Test {
 protected:
  std::string Write(const testing::Parts& parts, const std::string& name = "book.xlsx") {
    std::string path = dir_.file(name);
    WriteZip(path, parts);
    return path;
  }
  CollectedTable Read(const std::string& path, const std::string& sheet) {
    CollectedTable t;
    readExcelSheet(path, sheet, t);
    return t;
  }
  TempDir dir_;
};

TEST_F(ExcelXlsx, ReadsSharedInlineAndFormulaCellsDatesAndBooleans) {
  std::string path = Write(Workbook({{1, {"Data", kRows}}, {2, {"Other", ""}}}, kStrings));
  EXPECT_THAT(listExcelSheets(path), ElementsAre("Data$", "Other$"));
  auto t = Read(path, "Data$");
  ASSERT_EQ(t.Names(), (std::vector<std::string>{"name", "score", "born", "ok"}));
  EXPECT_EQ(t.fields[0].type, kFileVarWChar);
  EXPECT_EQ(t.fields[1].type, kFileDouble);
  EXPECT_EQ(t.fields[2].type, kFileDate);
  EXPECT_EQ(t.fields[3].type, kFileBoolean);
  ASSERT_EQ(t.rows.size(), 4u);
  EXPECT_EQ(t.Text(0, "name"), "Zsa Zsa Gábor");
  EXPECT_EQ(t.Text(1, "name"), "Bob");
  EXPECT_EQ(t.Number(1, "score"), 2);
  EXPECT_DOUBLE_EQ(t.Number(0, "born"), Date(1947, 1, 8));
  EXPECT_DOUBLE_EQ(t.Number(1, "born"), Date(2016, 1, 10) + 0.5);
  EXPECT_EQ(std::get<bool>(t.At(0, "ok")), true);
  for (const char* f : {"name", "score", "born", "ok"}) EXPECT_TRUE(t.IsNull(2, f));  // the empty row 4
  EXPECT_EQ(t.Text(3, "name"), "Cy");
  EXPECT_TRUE(t.IsNull(3, "score"));  // #N/A
}

TEST_F(ExcelXlsx, Dates1904SystemAndNotesAboveTheTable) {
  std::string rows =
      "<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>Quarterly notes</t></is></c></row>"
      "<row r=\"3\"><c r=\"B3\" t=\"inlineStr\"><is><t>day</t></is></c><c r=\"C3\" t=\"inlineStr\"><is><t>n</t></is></c></row>"
      "<row r=\"4\"><c r=\"B4\" s=\"1\"><v>0</v></c><c r=\"C4\"><v>7</v></c></row>"
      "<row r=\"5\"><c r=\"B5\" s=\"1\"><v>41331</v></c><c r=\"C5\"><v>8</v></c></row>"
      "<row r=\"6\"><c r=\"A6\" t=\"inlineStr\"><is><t>source: us</t></is></c></row>";
  std::string path = Write(Workbook({{1, {"S", rows}}}, "", /*date1904=*/true));
  auto t = Read(path, "s$");
  ASSERT_EQ(t.Names(), (std::vector<std::string>{"day", "n"}));
  ASSERT_EQ(t.rows.size(), 2u);
  EXPECT_DOUBLE_EQ(t.Number(0, "day"), Date(1904, 1, 1));
  EXPECT_DOUBLE_EQ(t.Number(1, "day"), Date(2017, 2, 27));
}

TEST_F(ExcelXlsx, DamagedWorkbooksGiveErrorsNamingTheFile) {
  auto parts = Workbook({{1, {"Data", kRows}}}, kStrings);
  auto expect_error = [&](const testing::Parts& p, const std::string& name, const std::string& what) {
    std::string path = Write(p, name);
    try {
      CollectedTable t;
      readExcelSheet(path, "Data$", t);
      ADD_FAILURE() << "no error for " << what;
    } catch (const DataError& e) {
      EXPECT_THAT(e.what(), HasSubstr(name)) << what;
    }
  };
  auto no_workbook = parts;
  no_workbook.erase("xl/workbook.xml");
  expect_error(no_workbook, "a.xlsx", "no workbook part");
  auto bad_xml = parts;
  bad_xml["xl/worksheets/sheet1.xml"] = "<worksheet><sheetData><row>";
  expect_error(bad_xml, "b.xlsx", "sheet not well-formed");
  auto bad_string = parts;
  bad_string["xl/worksheets/sheet1.xml"] = testing::SheetXml("<row r=\"1\"><c r=\"A1\" t=\"s\"><v>99</v></c></row>");
  expect_error(bad_string, "c.xlsx", "shared string out of range");
  auto far_cell = parts;
  far_cell["xl/worksheets/sheet1.xml"] = testing::SheetXml("<row r=\"1\"><c r=\"XFE99999999\"><v>1</v></c></row>");
  expect_error(far_cell, "d.xlsx", "cell beyond the sheet");
  auto bad_number = parts;
  bad_number["xl/worksheets/sheet1.xml"] = testing::SheetXml("<row r=\"1\"><c r=\"A1\"><v>12abc</v></c></row>");
  expect_error(bad_number, "e.xlsx", "number that is none");

  std::string truncated = dir_.write("f.xlsx", test::readFile(Write(parts, "whole.xlsx")).substr(0, 300));
  EXPECT_THROW(listExcelSheets(truncated), DataError);
}

}  // namespace
}  // namespace orlix::ado
