// The file formats behind the connection strings the program builds: catalogs,
// table expressions, field descriptions.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/ado/catalog.h"
#include "platform/ado/error.h"
#include "platform/ado/open_provider.h"
#include "tests/ado/files/collected_table.h"
#include "tests/support/test_files.h"

namespace orlix::ado {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using test::sampleFile;

std::string Jet(const std::string& file, const std::string& tail) {
  return "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + sampleFile(file) + ";" + tail;
}
std::string AccessString(const std::string& file) { return Jet(file, "Jet OLEDB:Engine Type=4;"); }
std::string ExcelString(const std::string& file) { return Jet(file, "Extended Properties=Excel 8.0;"); }
std::string DbaseString(const std::string& fil, const std::string& extra = "") {
  return "Provider=MSDASQL.1;Extended Properties=;DRIVER=Microsoft dBase Driver (*.dbf);DefaultDir=" +
         sampleFile("dbase") + ";DriverId=21;FIL=" + fil + ";MaxBufferSize=2048;PageTimeout=600;UID=admin;" + extra;
}

TEST(FileProviders, CatalogListsAccessTablesAndExcelSheets) {
  Catalog access;
  access.setActiveConnection(AccessString("access/testV1997.mdb"));
  EXPECT_THAT(access.tables(), ElementsAre("Table1", "Table2", "Table3", "Table4"));
  Catalog excel;
  excel.setActiveConnection(ExcelString("excel/deaths.xls"));
  EXPECT_THAT(excel.tables(), ElementsAre("arts$", "other$"));
  Catalog dbase;
  dbase.setActiveConnection(DbaseString("dBase III"));
  EXPECT_THAT(dbase.tables(), ElementsAre("blockgroups", "cbrf_122019N1", "dbase_03", "dbase_8b"));
}

TEST(FileProviders, BracketedTableExpressionsAsTheProgramBuildsThem) {
  auto access = openProvider(AccessString("access/weirdObjectNames.mdb"));
  auto weird = access->query("select * from [19 MB 01 BEZAHLT ???]");
  ASSERT_EQ(weird->rowCount(), 1u);
  EXPECT_EQ(weird->value(0, 1).toString(), "foo");
  EXPECT_EQ(weird->field(0).type, adInteger);
  EXPECT_EQ(weird->field(1).type, adVarWChar);

  auto excel = openProvider(ExcelString("excel/deaths.xls"));
  auto arts = excel->query("[arts$]");
  EXPECT_EQ(arts->rowCount(), 10u);
  EXPECT_EQ(arts->field(4).type, adDate);
  EXPECT_EQ(arts->value(0, 2).toDouble(), 69);

  for (const char* fil : {"dBase III", "dBase IV", "dBase V"}) {
    auto dbase = openProvider(DbaseString(fil));
    EXPECT_EQ(dbase->query("[dbase_8b]")->rowCount(), 10u) << fil;
  }
}

TEST(FileProviders, FieldValuesCarryTheirAdoTypes) {
  auto t = openProvider(AccessString("access/testV1997.mdb"))->query("[Table1]");
  EXPECT_EQ(t->value(1, 7).toCurrency(), 35000);
  EXPECT_EQ(t->value(1, 8).toBool(), true);
  EXPECT_EQ(t->field(7).type, adCurrency);
  EXPECT_EQ(t->field(6).type, adDate);
  EXPECT_DOUBLE_EQ(t->value(0, 6).toDouble(), 29932);
  auto memo = openProvider(DbaseString("dBase IV"))->query("[dbase_8b]");
  EXPECT_EQ(memo->field(5).type, adLongVarWChar);
  EXPECT_TRUE(memo->field(5).attributes & adFldLong);
  EXPECT_TRUE(memo->value(9, 5).isNull());
}

TEST(FileProviders, DbaseCodePageFromTheConnectionString) {
  auto dbase = openProvider(DbaseString("dBase III", "CharacterSet=866;"));
  auto t = dbase->query("[cbrf_122019N1]");
  ASSERT_EQ(t->rowCount(), 442u);
  bool found = false;
  for (std::size_t r = 0; r < t->rowCount(); ++r) found |= t->value(r, 1).toString() == "Банк ВТБ (ПАО)";
  EXPECT_TRUE(found);
}

TEST(FileProviders, HtmlTablesByBaseNameOrNumber) {
  auto html = openProvider(Jet("html/valid_markup.html", "Extended Properties=HTML Import;"));
  EXPECT_THAT(html->tableNames(), ElementsAre("valid_markup", "Table2"));
  EXPECT_EQ(html->query("[valid_markup]")->rowCount(), 4u);
  EXPECT_EQ(html->query("select * from [Table2]")->rowCount(), 2u);
  EXPECT_THROW(html->query("[Table3]"), DataError);
}

TEST(FileProviders, MissingFilesTablesAndSheetsNameTheSource) {
  auto expect = [](const std::function<void()>& f, const std::string& part) {
    try {
      f();
      ADD_FAILURE() << "no error, expected one naming " << part;
    } catch (const DataError& e) {
      EXPECT_THAT(e.what(), HasSubstr(part));
    }
  };
  expect([] {
    openProvider("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + sampleFile("access") + "/absent.mdb;Jet OLEDB:Engine Type=4;");
  }, "absent.mdb");
  expect([] { openProvider(ExcelString("excel/deaths.xls"))->query("[gone$]"); }, "gone");
  expect([] { openProvider(AccessString("access/testV1997.mdb"))->query("[Table9]"); }, "Table9");
  expect([] { openProvider(DbaseString("dBase IV"))->query("[customers]"); }, "customers");
}

}  // namespace
}  // namespace orlix::ado
