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

// The fields a SQLite source describes, from one statement of aggregates,
// are those a full read finds, for columns typed by declaration and by value,
// and no row is handed over.
TEST(SQLiteProviderTest, DescribingGivesTheFieldsOfAFullRead) {
  orlix::test::TempDir dir;
  const std::string path = dir.file("shapes.sqlite");
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(db,
                         "create table t (i int, s smallint, v varchar, c char(3), anything, b blob, n numeric(8,2), "
                         "\"odd name\" text, r real, d date);"
                         "insert into t values (1, 40000, 'short', 'abc', 1, x'00', 1.5, 'x', 1, '2020-01-01');"
                         "insert into t values (5000000000, 2, 'a much longer text than the first one', null, 2.5, "
                         "null, null, null, null, null);"
                         "insert into t values (null, null, null, null, 'text', x'0102', 3, 'y', 2, null);"
                         "create table empty (a integer, b);",
                         nullptr, nullptr, nullptr),
            SQLITE_OK);
  sqlite3_close(db);
  auto provider = openSQLiteProvider(path);
  for (const char* source : {"t", "empty", "select i, anything, anything as again from t where r > 1",
                             "values (1, 'a'), (2.5, 'b')"}) {
    const SourceShape shape = provider->describe(source);
    EXPECT_EQ(shape.rows, nullptr) << source;
    const auto read = provider->query(source);
    ASSERT_EQ(shape.fields.size(), read->fieldCount()) << source;
    for (size_t i = 0; i < shape.fields.size(); ++i) {
      const FieldInfo& field = read->field(i);
      EXPECT_EQ(shape.fields[i].name, field.name) << source;
      EXPECT_EQ(shape.fields[i].type, field.type) << source << " " << field.name;
      EXPECT_EQ(shape.fields[i].definedSize, field.definedSize) << source << " " << field.name;
      EXPECT_EQ(shape.fields[i].attributes, field.attributes) << source << " " << field.name;
      EXPECT_EQ(shape.fields[i].precision, field.precision) << source << " " << field.name;
      EXPECT_EQ(shape.fields[i].scale, field.scale) << source << " " << field.name;
    }
  }
  EXPECT_EQ(provider->describe("t").fields[0].type, adBigInt);   // 5000000000 does not fit 32 bits
  EXPECT_EQ(provider->describe("t").fields[1].type, adInteger);  // 40000 does not fit a small integer
  EXPECT_EQ(provider->describe("t").fields[2].definedSize, 255);
  EXPECT_THROW(provider->describe("nosuch"), DataError);
}
