// A worksheet read as a stream keeps what reading it whole as a document
// found: which <t> of a shared string count, the whole text below <v> and
// <is>, cells without references, the first <sheetData> only, element names
// in any case, and an error for XML that is broken anywhere in the part.
// The grid the cells go into keeps the later of two cells for one place.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/ado/error.h"
#include "platform/ado/files/excel/excel_reader.h"
#include "platform/ado/files/excel/sheet_grid.h"
#include "tests/ado/files/collected_table.h"
#include "tests/support/temp_dir.h"
#include "tests/ado/files/xlsx_writer.h"

namespace orlix::ado {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using testing::CollectedTable;
using test::TempDir;
using testing::Workbook;
using testing::WriteZip;

class XlsxStreaming : public ::testing::Test {
 protected:
  CollectedTable Read(const std::string& rows, const std::string& strings = "", const std::string& sheetXml = "") {
    auto parts = Workbook({{1, {"S", rows}}}, strings);
    if (!sheetXml.empty()) parts["xl/worksheets/sheet1.xml"] = sheetXml;
    const std::string path = dir_.file("book.xlsx");
    WriteZip(path, parts);
    CollectedTable t;
    readExcelSheet(path, "S$", t);
    return t;
  }
  std::string ErrorOf(const std::string& sheetXml) {
    try {
      Read("", "", sheetXml);
    } catch (const DataError& e) {
      return e.what();
    }
    return "no error";
  }
  TempDir dir_;
};

TEST_F(XlsxStreaming, SharedStringsTakeTheirOwnTextAndTheirRunsButNoPhoneticHints) {
  const auto t = Read(
      "<row><c t=\"s\"><v>0</v></c><c t=\"s\"><v>1</v></c></row><row><c t=\"s\"><v>2</v></c><c t=\"s\"><v>3</v></c></row>",
      "<si><t>a</t></si><si><t xml:space=\"preserve\"> b </t></si>"
      "<si><r><rPr><b/></rPr><t>x</t></r><r><t>y</t></r><rPh sb=\"0\" eb=\"1\"><t>HINT</t></rPh></si>"
      "<si><t>&amp;<![CDATA[<cdata>]]></t></si>");
  ASSERT_EQ(t.Names(), (std::vector<std::string>{"a", " b "}));
  EXPECT_EQ(t.Text(0, "a"), "xy");
  EXPECT_EQ(t.Text(0, " b "), "&<cdata>");
}

TEST_F(XlsxStreaming, CellsWithoutReferencesAndRowsWithoutNumbersFollowTheOnesBefore) {
  const auto t = Read(
      "<row r=\"2\"><c t=\"inlineStr\"><is><t>h1</t></is></c><c t=\"inlineStr\"><is><t>h2</t></is></c></row>"
      "<row><c r=\"B3\"><v>5</v></c><c><v>6</v></c></row>"
      "<row><c><v>1</v></c><c><v>2</v></c></row>");
  ASSERT_EQ(t.Names(), (std::vector<std::string>{"h1", "h2", "F3"}));
  ASSERT_EQ(t.rows.size(), 2u);
  EXPECT_TRUE(t.IsNull(0, "h1"));
  EXPECT_EQ(t.Number(0, "h2"), 5);
  EXPECT_EQ(t.Number(0, "F3"), 6);
  EXPECT_EQ(t.Number(1, "h1"), 1);
}

TEST_F(XlsxStreaming, InlineTextIsAllTheTextBelowItsFirstIs) {
  const auto t = Read(
      "<row><c t=\"inlineStr\"><is><t>v</t></is></c></row>"
      "<row><c t=\"inlineStr\"><is><r><t>p</t></r><rPh><t>q</t></rPh></is><is><t>second</t></is></c></row>"
      "<row><c><v>1<!-- note -->2</v><v>9</v></c></row>");
  ASSERT_EQ(t.rows.size(), 2u);
  EXPECT_EQ(t.Text(0, "v"), "pq");
  EXPECT_EQ(t.Text(1, "v"), "12");  // the first <v>, its text around the comment
}

TEST_F(XlsxStreaming, OnlyTheFirstSheetDataInAnyCaseAndOnlyItsRowsAndCells) {
  const std::string ns = "xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"";
  const auto t = Read("", "",
                      "<worksheet " + ns + "><sheetViews><row><c><v>99</v></c></row></sheetViews>"
                      "<SHEETDATA><ROW><C T=\"inlineStr\"><IS><T>n</T></IS></C></ROW>"
                      "<extLst><row><c><v>98</v></c></row></extLst>"
                      "<row><other><c><v>97</v></c></other><c><v>4</v></c></row></SHEETDATA>"
                      "<sheetData><row><c><v>96</v></c></row></sheetData></worksheet>");
  ASSERT_EQ(t.Names(), (std::vector<std::string>{"n"}));
  ASSERT_EQ(t.rows.size(), 1u);
  EXPECT_EQ(t.Number(0, "n"), 4);
}

TEST_F(XlsxStreaming, BrokenXmlAnywhereInThePartIsAnError) {
  const std::string good = testing::SheetXml("<row><c><v>1</v></c></row>");
  EXPECT_THAT(ErrorOf(good.substr(0, good.size() - 5)), HasSubstr("not well-formed"));
  EXPECT_THAT(ErrorOf(good + "<trailing>"), HasSubstr("not well-formed"));
  EXPECT_THAT(ErrorOf(testing::SheetXml("<row><c><v>1</x></c></row>")), HasSubstr("not well-formed"));
  EXPECT_THAT(ErrorOf(testing::SheetXml("<row><c r=\"1A\"><v>1</v></c></row>")),
              HasSubstr("sheet S has a bad cell reference 1A"));
  EXPECT_THAT(ErrorOf(testing::SheetXml("<row r=\"2000000\"><c><v>1</v></c></row>")),
              HasSubstr("outside the limits of a worksheet"));
}

TEST(SheetGrid, TheLaterOfTwoCellsForOnePlaceStaysInAnyOrder) {
  SheetGrid grid;
  grid.SetValue(3, 2, SheetCell::kNumber, 1, "p");
  grid.SetText(0, 5, "top", "p");
  grid.SetValue(3, 0, SheetCell::kBool, 1, "p");
  grid.SetValue(3, 2, SheetCell::kNumber, 2, "p");  // replaces the first
  grid.Set(0, 5, SheetCell{SheetCell::kEmpty, 0, ""}, "p");
  const std::uint32_t shared = grid.AddString("shared");
  grid.SetString(1, 1, shared, "p");
  EXPECT_EQ(grid.RowCount(), 4);
  EXPECT_EQ(grid.ColumnCount(0), 6);
  EXPECT_EQ(grid.At(0, 5).kind, SheetCell::kEmpty);
  EXPECT_EQ(grid.ColumnCount(2), 0);
  EXPECT_EQ(grid.At(1, 1).text, "shared");
  EXPECT_EQ(grid.At(3, 2).number, 2);
  EXPECT_EQ(grid.At(3, 0).kind, SheetCell::kBool);
  EXPECT_EQ(grid.At(3, 1).kind, SheetCell::kEmpty);
  EXPECT_EQ(grid.At(7, 0).kind, SheetCell::kEmpty);
  EXPECT_THROW(grid.SetValue(SheetGrid::kMaxRows, 0, SheetCell::kNumber, 1, "p"), DataError);
  // Placed after reading, the grid sorts again.
  grid.SetValue(2, 0, SheetCell::kNumber, 7, "p");
  EXPECT_EQ(grid.ColumnCount(2), 1);
  EXPECT_EQ(grid.At(2, 0).number, 7);
}

}  // namespace
}  // namespace orlix::ado
