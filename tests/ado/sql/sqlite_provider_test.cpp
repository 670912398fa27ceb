#include "platform/ado/sql/sqlite_provider.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include "platform/ado/catalog.h"
#include "platform/ado/error.h"
#include "platform/ado/recordset.h"
#include "tests/support/temp_dir.h"

using namespace orlix::ado;
using orlix::com::Variant;

namespace {

// A database with the types the affinity rules map, made with sqlite3 itself.
std::string makeDatabase(const orlix::test::TempDir& dir) {
  const std::string path = dir.file("sales.sqlite");
  sqlite3* db = nullptr;
  EXPECT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
  const char* sql =
      "create table sales (id integer primary key, qty smallint, big bigint, price real, "
      "name varchar(40), note text, amount decimal(10,2), ok boolean, day date, stamp datetime);"
      "insert into sales values (1, 3, 9000000000, 2.5, 'Ann', 'first', 12.50, 1, '2024-02-29', "
      "'2001-02-03 04:05:06');"
      "insert into sales values (2, null, null, null, null, null, null, 0, null, null);"
      "create table \"odd name\" (v);"
      "insert into \"odd name\" values (1), (2.5), ('x');"
      "create view cheap as select * from sales where price < 3;";
  EXPECT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK);
  sqlite3_close(db);
  return path;
}

std::string connectionTo(const std::string& path) { return "Provider=SQLite;Data Source=" + path; }

}  // namespace

TEST(SQLiteProviderTest, MapsDeclaredTypesAndNulls) {
  orlix::test::TempDir dir;
  const std::string path = makeDatabase(dir);
  Recordset rs;
  rs.SetCursorLocation(adUseClient);
  rs.Open("select * from sales", connectionTo(path));
  ASSERT_EQ(rs.RecordCount(), 2);
  const std::vector<DataType> expected = {adInteger, adSmallInt, adBigInt,  adDouble,  adVarWChar,
                                          adVarWChar, adNumeric, adBoolean, adDBDate, adDBTimeStamp};
  ASSERT_EQ(rs.Fields().Count(), 10);
  for (long i = 0; i < 10; ++i) EXPECT_EQ(rs.Fields().Item(i).Type(), expected[i]) << i;
  EXPECT_EQ(rs.Fields().Item("name").DefinedSize(), 40);
  EXPECT_EQ(rs.Fields().Item("big").Value(), Variant::int64(9000000000));
  EXPECT_EQ(rs.Fields().Item("amount").Value(), Variant::decimal("12.5"));
  EXPECT_EQ(rs.Fields().Item("ok").Value(), Variant(true));
  EXPECT_EQ(rs.Fields().Item("day").Value().toString(), "2024-02-29");
  EXPECT_EQ(rs.Fields().Item("stamp").Value().toString(), "2001-02-03 04:05:06");
  rs.MoveNext();
  EXPECT_TRUE(rs.Fields().Item("qty").Value().isNull());
  EXPECT_TRUE(rs.Fields().Item("name").Value().isNull());
  EXPECT_EQ(rs.Fields().Item("ok").Value(), Variant(false));
}

TEST(SQLiteProviderTest, TableExpressionsCatalogAndUntypedColumns) {
  orlix::test::TempDir dir;
  const std::string path = makeDatabase(dir);
  auto provider = openSQLiteProvider(path);
  EXPECT_EQ(provider->tableNames(), (std::vector<std::string>{"cheap", "odd name", "sales"}));
  auto odd = provider->query("[odd name]");  // a bare table expression, bracketed
  EXPECT_EQ(odd->field(0).type, adVarWChar);  // mixed values without a declared type
  EXPECT_EQ(odd->value(1, 0), Variant("2.5"));
  EXPECT_EQ(provider->query("cheap")->rowCount(), 1u);
  Catalog cat;
  cat.setActiveConnection(connectionTo(path));
  EXPECT_EQ(cat.tables().size(), 3u);
}

TEST(SQLiteProviderTest, NeverWritesAndRefusesBadInput) {
  orlix::test::TempDir dir;
  const std::string path = makeDatabase(dir);
  auto provider = openSQLiteProvider(path);
  EXPECT_THROW(provider->query("select * from sales; delete from sales"), DataError);
  EXPECT_THROW(provider->query("delete from sales"), DataError);
  EXPECT_THROW(provider->query("sales where 1=1; drop table sales"), DataError);
  EXPECT_EQ(provider->query("sales")->rowCount(), 2u);
  try {
    provider->query("nosuch");
    FAIL();
  } catch (const DataError& e) {
    EXPECT_NE(std::string(e.what()).find("no such table: nosuch"), std::string::npos) << e.what();
    EXPECT_EQ(e.source(), path);
  }
  EXPECT_THROW(openSQLiteProvider(dir.file("missing.sqlite")), DataError);
  const std::string junk = dir.write("junk.sqlite", std::string(4096, 'x'));
  try {
    openSQLiteProvider(junk);
    FAIL();
  } catch (const DataError& e) {
    EXPECT_NE(std::string(e.what()).find("not a SQLite database"), std::string::npos) << e.what();
  }
}
