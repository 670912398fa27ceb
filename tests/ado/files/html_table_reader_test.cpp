#include "platform/ado/files/html_table_reader.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/ado/error.h"
#include "tests/ado/files/collected_table.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_files.h"

namespace orlix::ado {
namespace {

using ::testing::HasSubstr;
using testing::CollectedTable;
using test::sampleFile;
using test::TempDir;

CollectedTable Read(const std::string& path, int index = 0) {
  CollectedTable t;
  readHtmlTable(path, index, t);
  return t;
}

TEST(HtmlTableReader, TableInAFullPageWithTheadThAndLinks) {
  auto t = Read(sampleFile("html/banklist.html"));
  ASSERT_EQ(t.Names(), (std::vector<std::string>{"Bank Name", "City", "ST", "CERT", "Acquiring Institution",
                                                 "Closing Date", "Updated Date"}));
  ASSERT_EQ(t.rows.size(), 10u);
  EXPECT_EQ(t.fields[3].type, kFileInteger);
  EXPECT_EQ(t.fields[5].type, kFileVarWChar);
  EXPECT_EQ(t.Text(0, "Bank Name"), "Banks of Wisconsin d/b/a Bank of Kenosha");  // inside <a>, trimmed
  EXPECT_EQ(t.Number(0, "CERT"), 35386);
  EXPECT_EQ(t.Text(0, "Closing Date"), "May 31, 2013");
}

TEST(HtmlTableReader, TwoTablesRowLabelsAndAnEmptyCorner) {
  EXPECT_EQ(countHtmlTables(sampleFile("html/valid_markup.html")), 2);
  auto first = Read(sampleFile("html/valid_markup.html"), 0);
  ASSERT_EQ(first.Names(), (std::vector<std::string>{"F1", "a", "b"}));
  ASSERT_EQ(first.rows.size(), 4u);
  EXPECT_EQ(first.fields[1].type, kFileInteger);
  EXPECT_EQ(first.Number(3, "F1"), 3);
  auto second = Read(sampleFile("html/valid_markup.html"), 1);
  ASSERT_EQ(second.rows.size(), 2u);
  for (std::size_t r = 0; r < 2; ++r) EXPECT_EQ(first.rows[r], second.rows[r]);
}

TEST(HtmlTableReader, FirstRowOfTdNamesTheFieldsAndShortRowsAreNull) {
  TempDir dir;
  std::string path = dir.write("t.htm",
                               "<html><body><table><tr><td>x</td><td>label</td></tr>"
                               "<tr><td> 1.5 </td><td>a&nbsp;b</td></tr><tr><td>-2</td></tr>"
                               "<tr><td colspan=2>7</td><td>extra</td></tr></table></body></html>");
  auto t = Read(path);
  ASSERT_EQ(t.Names(), (std::vector<std::string>{"x", "label", "F3"}));
  EXPECT_EQ(t.fields[0].type, kFileDouble);
  EXPECT_EQ(t.Text(0, "label"), "a b");
  EXPECT_TRUE(t.IsNull(1, "label"));
  EXPECT_EQ(t.Number(2, "x"), 7);
  EXPECT_TRUE(t.IsNull(2, "label"));
  EXPECT_EQ(t.Text(2, "F3"), "extra");
}

TEST(HtmlTableReader, EncodingsDeclaredAndUndeclared) {
  TempDir dir;
  std::string latin = dir.write("latin.htm", "<table><tr><th>n</th></tr><tr><td>caf\xE9</td></tr></table>");
  EXPECT_EQ(Read(latin).Text(0, "n"), "café");  // no declaration: Windows-1252
  std::string declared = dir.write(
      "cyr.htm", "<meta charset=\"windows-1251\"><table><tr><th>n</th></tr><tr><td>\xC1\xE0\xED\xEA</td></tr></table>");
  EXPECT_EQ(Read(declared).Text(0, "n"), "Банк");
  std::string lying = dir.write(
      "bad.htm", "<meta charset=\"utf-8\"><table><tr><th>n</th></tr><tr><td>caf\xE9</td></tr></table>");
  try {
    Read(lying);
    FAIL();
  } catch (const DataError& e) {
    EXPECT_THAT(e.what(), HasSubstr("bad.htm"));
    EXPECT_THAT(e.what(), HasSubstr("UTF-8"));
  }
}

TEST(HtmlTableReader, FilesWithoutTablesAndMissingTables) {
  TempDir dir;
  std::string none = dir.write("none.htm", "<html><body><p>no table here</p></body></html>");
  EXPECT_EQ(countHtmlTables(none), 0);
  EXPECT_THROW(Read(none), DataError);
  EXPECT_THROW(Read(sampleFile("html/valid_markup.html"), 2), DataError);
  std::string binary = dir.write("zip.htm", std::string("PK\x03\x04\x00\x00\xff\xfe", 8));
  EXPECT_THROW(Read(binary), DataError);
}

}  // namespace
}  // namespace orlix::ado
