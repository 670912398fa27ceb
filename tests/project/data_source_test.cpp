// Connection strings and table expressions built from a data file's name.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "project/data_source.h"
#include "project/project_error.h"
#include "tests/support/temp_dir.h"

namespace orlix::project {
namespace {

TEST(DataSource, BuildsTheStringsOfEachFormat) {
  test::TempDir dir("orlix-cli-source");
  const std::string folder = std::filesystem::canonical(dir.path()).string();
  for (const char* name : {"sales.txt", "cust.dbf", "book.xls", "page.htm", "base.mdb", "x.sqlite", "odd.json"})
    std::ofstream(folder + "/" + name) << "x";

  DataSource s = dataSourceForFile(folder + "/sales.txt", "ignored");
  EXPECT_EQ(s.connectionString,
            "Driver={Microsoft Text Driver (*.txt; *.csv)};DBQ=" + folder + ";DefaultDir=" + folder + ";Uid=Admin;Pwd=;");
  EXPECT_EQ(s.tableExpression, "[sales.txt]");

  s = dataSourceForFile(folder + "/cust.dbf", "");
  EXPECT_EQ(s.connectionString, "Provider=MSDASQL.1;Extended Properties=;DRIVER=Microsoft dBase Driver (*.dbf);DefaultDir=" +
                                    folder + ";DriverId=21;FIL=dBase III;MaxBufferSize=2048;PageTimeout=600;UID=admin;");
  EXPECT_EQ(s.tableExpression, "[cust]");

  s = dataSourceForFile(folder + "/book.xls", "Sheet1$");
  EXPECT_EQ(s.connectionString, "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + folder + "/book.xls;Extended Properties=Excel 8.0;");
  EXPECT_EQ(s.tableExpression, "[Sheet1$]");

  s = dataSourceForFile(folder + "/page.htm", "");
  EXPECT_EQ(s.connectionString, "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + folder + "/page.htm;Extended Properties=HTML Import;");
  EXPECT_EQ(s.tableExpression, "[page]");

  s = dataSourceForFile(folder + "/base.mdb", "Orders");
  EXPECT_EQ(s.connectionString, "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + folder + "/base.mdb;Jet OLEDB:Engine Type=4;");
  EXPECT_EQ(s.tableExpression, "[Orders]");

  s = dataSourceForFile(folder + "/x.sqlite", "t");
  EXPECT_EQ(s.connectionString, "Provider=SQLite;Data Source=" + folder + "/x.sqlite");
}

TEST(DataSource, RefusesWhatCannotBeOpened) {
  test::TempDir dir("orlix-cli-source");
  std::ofstream(dir.file("book.xls")) << "x";
  std::ofstream(dir.file("odd.json")) << "x";
  const auto failure = [](const std::string& path, const std::string& table) {
    try {
      dataSourceForFile(path, table);
    } catch (const ProjectError& f) {
      return std::string(f.what());
    }
    return std::string("no failure");
  };
  EXPECT_EQ(failure(dir.file("book.xls"), "").rfind("Please select/enter a table name...", 0), 0u);
  EXPECT_NE(failure(dir.file("odd.json"), "").find("Unknown data file format"), std::string::npos);
  EXPECT_NE(failure(dir.file("absent.csv"), "").find("absent.csv does not exist"), std::string::npos);
  EXPECT_NE(failure(dir.path(), "").find("does not exist"), std::string::npos);
}

TEST(DataSource, TheDialogsFormatsBuildTheirOwnStrings) {
  test::TempDir dir("orlix-source");
  const std::string folder = std::filesystem::canonical(dir.path()).string();
  std::ofstream(folder + "/cust.dbf") << "x";
  std::ofstream(folder + "/sales.csv") << "x";

  DataSource s = buildSourceConnection(folder + "/cust.dbf", kDBase4, "");
  EXPECT_NE(s.connectionString.find(";DriverId=21;FIL=dBase IV;MaxBufferSize=2048;PageTimeout=600;"), std::string::npos);
  EXPECT_EQ(s.tableExpression, "[cust]");
  s = buildSourceConnection(folder + "/cust.dbf", kDBase5, "");
  EXPECT_NE(s.connectionString.find("FIL=dBase V;"), std::string::npos);
  s = buildSourceConnection(folder + "/sales.csv", kAsciiText, "");
  EXPECT_EQ(s.tableExpression, "[sales.csv]");

  try {
    buildSourceConnection(folder + "/none.mdb", kAccess2000, "T");
    ADD_FAILURE() << "a missing file was accepted";
  } catch (const ProjectError& e) {
    EXPECT_EQ(std::string(e.what()), "Invalid filename [" + folder + "/none.mdb]... Cannot convert database...");
  }
}

TEST(DataSource, FileNamesChooseAFormatByTheirLastThreeLetters) {
  EXPECT_EQ(formatFromFileName("/d/a.mdb"), kAccess2000);
  EXPECT_EQ(formatFromFileName(" /d/A.DBF "), kDBase3);
  EXPECT_EQ(formatFromFileName("/d/a.xls"), kExcel2000);
  EXPECT_EQ(formatFromFileName("/d/a.xlsx"), kExcel2000);
  EXPECT_EQ(formatFromFileName("/d/a.htm"), kHtml);
  EXPECT_EQ(formatFromFileName("/d/a.html"), kHtml);
  EXPECT_EQ(formatFromFileName("/d/a.txt"), kAsciiText);
  EXPECT_EQ(formatFromFileName("/d/a.csv"), kAsciiText);
  EXPECT_EQ(formatFromFileName("/d/a.db"), kSQLite);
  EXPECT_EQ(formatFromFileName("/d/a.json"), std::nullopt);
  EXPECT_EQ(formatFromFileName(""), std::nullopt);
}

TEST(DataSource, ChoosingAFormatRewritesOnlyTheFilesOwnExtension) {
  EXPECT_EQ(withFormatExtension("/d/a.xls", kAccess2000), "/d/a.mdb");
  EXPECT_EQ(withFormatExtension("/my.data/a.xls", kAccess2000), "/my.data/a.mdb");
  EXPECT_EQ(withFormatExtension("/my.data/noext", kAccess2000), "/my.data/noext");
  EXPECT_EQ(withFormatExtension("/d/a.csv", kAsciiText), "/d/a.csv");
  EXPECT_EQ(withFormatExtension("/d/a.dat", kAsciiText), "/d/a.txt");
  EXPECT_EQ(withFormatExtension("/d/a.xlsx", kExcel2000), "/d/a.xlsx");
  EXPECT_EQ(withFormatExtension("/d/a.b.c", kHtml), "/d/a.b.htm");
}

}  // namespace
}  // namespace orlix::project
