// Connection strings and table expressions built from a data file's name.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "cli/data_source.h"
#include "tests/support/temp_dir.h"

namespace orlix::cli {
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
    } catch (const CliFailure& f) {
      return f.description;
    }
    return std::string("no failure");
  };
  EXPECT_EQ(failure(dir.file("book.xls"), "").rfind("Please select/enter a table name...", 0), 0u);
  EXPECT_NE(failure(dir.file("odd.json"), "").find("Unknown data file format"), std::string::npos);
  EXPECT_NE(failure(dir.file("absent.csv"), "").find("absent.csv does not exist"), std::string::npos);
  EXPECT_NE(failure(dir.path(), "").find("does not exist"), std::string::npos);
}

}  // namespace
}  // namespace orlix::cli
