#include "platform/ado/open_provider.h"

#include <gtest/gtest.h>

#include "platform/ado/catalog.h"
#include "platform/ado/connection.h"
#include "platform/ado/error.h"
#include "platform/ado/provider.h"
#include "platform/ado/sql/sql_text.h"
#include "tests/support/test_files.h"

using namespace orlix::ado;

namespace {

SourceKind kindOf(const std::string& cs) { return classifyConnection(ConnectionString::parse(cs)); }

std::string errorOf(const std::string& cs) {
  try {
    openProvider(cs);
  } catch (const DataError& e) {
    return e.what();
  }
  return "no error";
}

}  // namespace

TEST(ConnectionStringTest, ParsesPairsBracesAndQuotes) {
  auto cs = ConnectionString::parse(
      "Driver={Microsoft Text Driver (*.txt; *.csv)};DBQ=/d;Extended Properties=\"Excel 8.0;HDR=Yes\"; "
      "pwd='a;b' ;Empty=;");
  EXPECT_EQ(cs.value("driver"), "Microsoft Text Driver (*.txt; *.csv)");
  EXPECT_EQ(cs.value("DBQ"), "/d");
  EXPECT_EQ(cs.value("extended properties"), "Excel 8.0;HDR=Yes");
  EXPECT_EQ(cs.value("PWD"), "a;b");
  EXPECT_EQ(cs.value("Empty"), "");
  EXPECT_FALSE(cs.value("Missing"));
  EXPECT_THROW(ConnectionString::parse("Driver={unclosed;DBQ=x"), DataError);
  EXPECT_THROW(ConnectionString::parse("DSN=x;garbage"), DataError);
  EXPECT_THROW(ConnectionString::parse("=value"), DataError);
}

TEST(OpenProviderTest, RoutesEveryConnectionStringTheProgramBuilds) {
  EXPECT_EQ(kindOf("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=C:\\d\\a.mdb;Jet OLEDB:Engine Type=4;"),
            SourceKind::Access);
  for (const char* fil : {"dBase III", "dBase IV", "dBase V"})
    EXPECT_EQ(kindOf(std::string("Provider=MSDASQL.1;Extended Properties=;DRIVER=Microsoft dBase Driver "
                                 "(*.dbf);DefaultDir=C:\\d;DriverId=21;FIL=") +
                     fil + ";MaxBufferSize=2048;PageTimeout=600;UID=admin;"),
              SourceKind::DBase);
  EXPECT_EQ(kindOf("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=C:\\d\\a.xls;Extended Properties=Excel 8.0;"),
            SourceKind::Excel);
  EXPECT_EQ(kindOf("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=C:\\d\\a.htm;Extended Properties=HTML Import;"),
            SourceKind::Html);
  EXPECT_EQ(kindOf("Driver={Microsoft Text Driver (*.txt; *.csv)};DBQ=C:\\d;DefaultDir=C:\\d;Uid=Admin;Pwd=;"),
            SourceKind::Text);
  EXPECT_EQ(kindOf("Provider=SQLite;Data Source=/tmp/x.sqlite"), SourceKind::SQLite);
  EXPECT_EQ(kindOf("DSN=sales;UID=a;PWD=b"), SourceKind::Odbc);
  EXPECT_EQ(kindOf("Driver={PostgreSQL ANSI};Server=127.0.0.1;Database=x"), SourceKind::Odbc);
  EXPECT_EQ(kindOf("Provider=MSDASQL;DSN=sales"), SourceKind::Odbc);
  EXPECT_EQ(kindOf("Driver={Microsoft Access Driver (*.mdb)};DBQ=/d/a.mdb"), SourceKind::Access);
  EXPECT_THROW(kindOf("Provider=SQLOLEDB;Data Source=srv"), DataError);
  EXPECT_THROW(kindOf("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=a;Extended Properties=Paradox 5.x"),
               DataError);
  EXPECT_THROW(kindOf("Uid=admin"), DataError);
}

TEST(OpenProviderTest, FileFormatsNameTheMissingFileOrFolder) {
  EXPECT_EQ(errorOf("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=/d/a.xls;Extended Properties=Excel 8.0;"),
            "/d/a.xls: file not found");
  EXPECT_EQ(errorOf("Provider=MSDASQL.1;Extended Properties=;DRIVER=Microsoft dBase Driver (*.dbf);"
                    "DefaultDir=/d;DriverId=21;FIL=dBase IV;"),
            "/d: folder not found");
  EXPECT_NE(errorOf("Provider=Microsoft.Jet.OLEDB.4.0;Jet OLEDB:Engine Type=4;").find("no Data Source given"),
            std::string::npos);
  EXPECT_NE(errorOf("Driver={Microsoft Text Driver (*.txt; *.csv)};DBQ=/no/such/folder;")
                .find("/no/such/folder: the folder of the text files does not exist"),
            std::string::npos);
}

TEST(SourceTextTest, TableExpressionsAndSingleStatements) {
  EXPECT_EQ(tableNameFromSource("select * from [sales.txt]", "f"), "sales.txt");
  EXPECT_EQ(tableNameFromSource("SELECT  *  FROM  t", "f"), "t");
  EXPECT_EQ(tableNameFromSource("[19 MB 01 BEZAHLT ???]", "f"), "19 MB 01 BEZAHLT ???");
  EXPECT_EQ(tableNameFromSource("Sheet1$", "f"), "Sheet1$");
  EXPECT_EQ(tableNameFromSource("[a;b]", "f"), "a;b");
  EXPECT_EQ(tableNameFromSource("select * from t;", "f"), "t");
  EXPECT_THROW(tableNameFromSource("select * from t; drop table t", "f"), DataError);
  EXPECT_THROW(tableNameFromSource("select a from t", "f"), DataError);
  EXPECT_THROW(tableNameFromSource("t where 1=1", "f"), DataError);
  EXPECT_THROW(tableNameFromSource("[unclosed", "f"), DataError);
  EXPECT_THROW(tableNameFromSource("  ", "f"), DataError);

  EXPECT_EQ(sqlForSource("t", "s"), "select * from t");
  EXPECT_EQ(sqlForSource("select * from t;", "s"), "select * from t");
  EXPECT_EQ(sqlForSource("SELECT ';' as x FROM t", "s"), "SELECT ';' as x FROM t");
  EXPECT_EQ(sqlForSource("\"my;table\"", "s"), "select * from \"my;table\"");
  EXPECT_THROW(sqlForSource("select 1; delete from t", "s"), DataError);
  EXPECT_THROW(sqlForSource("t; drop table t", "s"), DataError);
  EXPECT_THROW(sqlForSource("select 1 /* ; */; select 2", "s"), DataError);
  EXPECT_THROW(sqlForSource("select 'unclosed", "s"), DataError);
}

TEST(ConnectionTest, StateAndMisuse) {
  Connection c;
  EXPECT_EQ(c.State(), adStateClosed);
  EXPECT_THROW(c.Open(), DataError);  // no string
  EXPECT_THROW(c.Close(), DataError);
  EXPECT_THROW(c.provider(), DataError);
  c.SetConnectionString("Driver={Microsoft Text Driver (*.txt; *.csv)};DBQ=" +
                        orlix::test::sampleFile("formats/toothgrowth") + ";");
  c.Open();
  EXPECT_EQ(c.State(), adStateOpen);
  EXPECT_THROW(c.Open(), DataError);
  c.Close();
  EXPECT_EQ(c.State(), adStateClosed);
}

TEST(CatalogTest, ListsTheTextFilesOfAFolder) {
  Catalog cat;
  cat.setActiveConnection("Driver={Microsoft Text Driver (*.txt; *.csv)};DBQ=" +
                          orlix::test::sampleFile("formats/toothgrowth") + ";");
  EXPECT_EQ(cat.tables(), (std::vector<std::string>{"toothgr.csv", "toothgr.txt"}));
}

// unixODBC loads any shared library named as a driver: a connection string
// from someone else's project may name drivers and data sources registered
// by name only, never a file.
TEST(OpenProviderTest, ADriverGivenAsAFileIsRefusedBeforeAnythingLoads) {
  for (const char* cs : {"Driver=/tmp/evil.so;Database=x", "DRIVER={/usr/lib/x86_64-linux-gnu/odbc/libsqlite3odbc.so}",
                         "Driver=./evil.so", "driver=.hidden", "Provider=MSDASQL;Driver={lib\\evil.so}",
                         "Driver={PostgreSQL ANSI};Driver=/tmp/second.so", "FILEDSN=/tmp/x.dsn",
                         "DSN=sales;SAVEFILE=/tmp/out.dsn"}) {
    const std::string error = errorOf(cs);
    EXPECT_NE(error.find(cs), std::string::npos) << error;  // names the connection string
    EXPECT_TRUE(error.find("registered by name") != std::string::npos) << error;
    EXPECT_THROW(kindOf(cs), DataError) << cs;
  }
  EXPECT_EQ(kindOf("Driver={PostgreSQL ANSI};Server=127.0.0.1"), SourceKind::Odbc);
  EXPECT_EQ(kindOf("Driver=Orlix SQLite3;Database=/tmp/a.db"), SourceKind::Odbc);
}
