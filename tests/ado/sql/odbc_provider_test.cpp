// The ODBC provider against a real PostgreSQL server that the test starts
// itself, and against SQLite through its ODBC driver.
#include "platform/ado/sql/odbc_provider.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <atomic>
#include <bit>
#include <fstream>
#include <iterator>
#include <cmath>
#include <limits>
#include <thread>

#include "platform/ado/cancel.h"
#include "platform/ado/catalog.h"
#include "platform/ado/error.h"
#include "platform/ado/open_provider.h"
#include "platform/ado/recordset.h"
#include "tests/support/odbc_drivers.h"
#include "tests/support/postgres_server.h"
#include "tests/support/temp_dir.h"

using namespace orlix::ado;
using orlix::com::Variant;
using orlix::test::PostgresServer;

namespace {

const char* kSchema =
    "create table measures (id integer primary key, small smallint, big bigint, r real, "
    "d double precision, f float, num numeric(10,2), vc varchar(30), txt text, flag boolean, "
    "day date, stamp timestamp);\n"
    "insert into measures values (1, 7, 9000000000, 1.5, 2.25, 3.5, 12.34, 'Zoë', 'long text', "
    "true, '2024-02-29', '2001-02-03 04:05:06');\n"
    "insert into measures (id) values (2);\n"
    "create table \"Sales Data\" (region varchar(10), amount double precision);\n"
    "insert into \"Sales Data\" values ('north', 10), ('south', 20);\n";

std::string errorOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const DataError& e) {
    return e.what();
  }
  return "no error";
}

}  // namespace

TEST(OdbcPostgresTest, ReadsTypesValuesAndNulls) {
  PostgresServer pg;
  pg.execute(kSchema);
  auto conn = std::make_shared<Connection>();
  conn->Open(pg.connectionString());
  Recordset rs;
  rs.SetActiveConnection(conn);
  rs.SetCursorLocation(adUseClient);
  rs.Open("select * from measures order by id", std::shared_ptr<Connection>(), adOpenKeyset,
          adLockBatchOptimistic);
  ASSERT_EQ(rs.RecordCount(), 2);
  const std::vector<std::pair<const char*, DataType>> types = {
      {"id", adInteger}, {"small", adSmallInt}, {"big", adBigInt},    {"r", adSingle},
      {"d", adDouble},   {"f", adDouble},       {"num", adNumeric},   {"vc", adVarChar},
      {"txt", adLongVarChar}, {"flag", adBoolean}, {"day", adDBDate}, {"stamp", adDBTimeStamp}};
  for (const auto& [name, type] : types) EXPECT_EQ(rs.Fields().Item(name).Type(), type) << name;
  EXPECT_EQ(rs.Fields().Item("vc").DefinedSize(), 30);
  EXPECT_EQ(rs.Fields().Item("num").Precision(), 10);
  EXPECT_EQ(rs.Fields().Item("num").NumericScale(), 2);
  EXPECT_EQ(rs.Fields().Item("id").Value(), Variant(1));
  EXPECT_EQ(rs.Fields().Item("small").Value(), Variant::int16(7));
  EXPECT_EQ(rs.Fields().Item("big").Value(), Variant::int64(9000000000));
  EXPECT_EQ(rs.Fields().Item("r").Value(), Variant::single(1.5f));
  EXPECT_EQ(rs.Fields().Item("d").Value(), Variant(2.25));
  EXPECT_EQ(rs.Fields().Item("num").Value(), Variant::decimal("12.34"));
  EXPECT_EQ(rs.Fields().Item("vc").Value(), Variant("Zoë"));
  EXPECT_EQ(rs.Fields().Item("flag").Value(), Variant(true));
  EXPECT_EQ(rs.Fields().Item("day").Value().toString(), "2024-02-29");
  EXPECT_EQ(rs.Fields().Item("stamp").Value().toString(), "2001-02-03 04:05:06");
  rs.MoveNext();
  for (const auto& [name, type] : types) {
    if (std::string(name) != "id") {
      EXPECT_TRUE(rs.Fields().Item(name).Value().isNull()) << name;
    }
  }
  rs.Close();

  // A bare table expression, quoted in the server's syntax, as RefreshData passes it.
  rs.Open("\"Sales Data\"", conn);
  EXPECT_EQ(rs.RecordCount(), 2);
  Catalog cat;
  cat.setActiveConnection(pg.connectionString());
  EXPECT_EQ(cat.tables(), (std::vector<std::string>{"Sales Data", "measures"}));
  // Through the data source name of the temporary odbc.ini too.
  Recordset viaDsn;
  viaDsn.Open("measures", std::string("DSN=") + PostgresServer::kDataSource + ";UID=orlix;PWD=;");
  EXPECT_EQ(viaDsn.RecordCount(), 2);
}

TEST(OdbcPostgresTest, ReadOnlyOneStatementAndClearErrors) {
  PostgresServer pg;
  pg.execute(kSchema);
  auto provider = openProvider(pg.connectionString());
  EXPECT_NE(errorOf([&] { provider->query("measures; drop table measures"); }).find("only one statement"),
            std::string::npos);
  // A statement that writes is refused (the server reads a result through a
  // cursor, which cannot write); nothing is ever committed.
  EXPECT_NE(errorOf([&] { provider->query("with gone as (delete from measures returning *) select * from gone"); })
                .find("DECLARE CURSOR must not contain data-modifying statements"),
            std::string::npos);
  EXPECT_EQ(provider->query("measures")->rowCount(), 2u);
  EXPECT_EQ(openProvider(pg.connectionString())->query("measures")->rowCount(), 2u);
  // Text longer than one read of the driver comes whole.
  auto longText = provider->query("select repeat('ab', 10000) as t, repeat('é', 5000) as u");
  EXPECT_EQ(longText->value(0, 0).text().size(), 20000u);
  EXPECT_EQ(longText->value(0, 1).text().size(), 10000u);
  const std::string missing = errorOf([&] { provider->query("nosuch"); });
  EXPECT_NE(missing.find("ODBC source"), std::string::npos) << missing;
  EXPECT_NE(missing.find("nosuch"), std::string::npos) << missing;
  EXPECT_NE(missing.find("Pwd=***"), std::string::npos) << missing;
  const std::string badDsn = errorOf([&] { openProvider("DSN=NoSuchSource;UID=x;PWD=secret"); });
  EXPECT_NE(badDsn.find("cannot connect"), std::string::npos) << badDsn;
  EXPECT_EQ(badDsn.find("secret"), std::string::npos) << badDsn;
}

TEST(OdbcPostgresTest, ServerGoingAwayIsAnError) {
  PostgresServer pg;
  pg.execute("create table slow as select g from generate_series(1, 200) g;");
  auto provider = openProvider(pg.connectionString());
  auto killer = openProvider(pg.connectionString());
  std::thread stopper([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    // Ends every other session of the server in the middle of its query.
    try {
      killer->query("select pg_terminate_backend(pid) from pg_stat_activity "
                    "where pid <> pg_backend_pid() and backend_type = 'client backend'");
    } catch (const DataError& e) {
      ADD_FAILURE() << e.what();
    }
  });
  const std::string err = errorOf([&] { provider->query("select g, pg_sleep(0.05) from slow"); });
  stopper.join();
  EXPECT_NE(err.find("ODBC source"), std::string::npos) << err;
  pg.stop();
  EXPECT_THROW(killer->query("measures"), DataError);
}

// Results come in blocks of rows with bound column arrays; a text cell
// longer than the arrays hold has the statement read a row at a time. Both
// give the same table, which also holds every row however many blocks it took.
TEST(OdbcPostgresTest, BlocksOfRowsGiveTheSameCellsAsSingleRows) {
  PostgresServer pg;
  pg.execute(kSchema +
             std::string("create table many as select g as id, g * 0.5 as half, (g % 7)::smallint as small, "
                         "case when g % 5 = 0 then null else 'v' || (g % 13) end as label, "
                         "case when g % 3 = 0 then null else g % 2 = 0 end as flag, "
                         "date '2020-01-01' + (g % 400) as day, repeat('x', g % 50) as pad "
                         "from generate_series(1, 70000) g;\n"));
  auto provider = openProvider(pg.connectionString());
  auto many = provider->query("select * from many order by id");
  ASSERT_EQ(many->rowCount(), 70000u);
  auto withLong = provider->query("select *, case when id = 69999 then repeat('y', 9000) end as long "
                                  "from many order by id");
  ASSERT_EQ(withLong->rowCount(), 70000u);
  EXPECT_EQ(withLong->value(69998, 7).text().size(), 9000u);
  for (size_t r : {size_t{0}, size_t{4}, size_t{5}, size_t{8191}, size_t{8192}, size_t{69999}})
    for (size_t c = 0; c < many->fieldCount(); ++c) {
      EXPECT_EQ(many->field(c).type, withLong->field(c).type);
      EXPECT_EQ(many->value(r, c), withLong->value(r, c)) << r << "/" << c;
    }
  EXPECT_EQ(many->value(9, 1), Variant::decimal("5.0"));
  EXPECT_TRUE(many->isNull(4, 3));
  EXPECT_EQ(many->value(5, 3), Variant("v6"));
  EXPECT_EQ(many->value(3, 4), Variant(true));
  EXPECT_EQ(many->value(48, 6).text(), std::string(49, 'x'));
  // The types and values of every kind of column, through the arrays too.
  auto measures = provider->query("select * from measures order by id");
  EXPECT_EQ(measures->value(0, 2), Variant::int64(9000000000));
  EXPECT_EQ(measures->value(0, 3), Variant::single(1.5f));
  EXPECT_EQ(measures->value(0, 6), Variant::decimal("12.34"));
  EXPECT_EQ(measures->value(0, 7), Variant("Zoë"));
  EXPECT_EQ(measures->value(0, 11).toString(), "2001-02-03 04:05:06");
}

// Numbers come from the server as text and are parsed here: every value,
// the extremes and the special ones included, is the one the server holds,
// through the arrays as through single rows.
TEST(OdbcPostgresTest, NumbersKeepEveryBitOfTheServersValue) {
  PostgresServer pg;
  pg.execute(
      "create table extremes (n integer, d double precision, r real, b bigint, s smallint);\n"
      "insert into extremes values "
      "(1, 'NaN', 'NaN', 9223372036854775807, 32767), (2, 'Infinity', 'Infinity', -9223372036854775808, -32768), "
      "(3, '-Infinity', '-Infinity', 0, 0), (4, '-0', '-0', -1, -1), "
      "(5, 1.7976931348623157e308, 3.4028235e38, 1, 1), (6, 4.9e-324, 1.4e-45, 2, 2), "
      "(7, 0.1, 0.1, 3, 3), (8, -2.2250738585072014e-308, 1.17549435e-38, 4, 4), "
      "(9, 123456789.123456789, 16777217, 5, 5), (10, null, null, null, null);\n");
  auto provider = openProvider(pg.connectionString());
  const auto blocks = provider->query("select * from extremes order by n");
  const auto rows = provider->query("select *, repeat('z', 9000) as long from extremes order by n");
  const double inf = std::numeric_limits<double>::infinity();
  const std::vector<double> doubles = {0, inf, -inf, -0.0, 1.7976931348623157e308, 4.9e-324, 0.1,
                                       -2.2250738585072014e-308, 123456789.123456789};
  const std::vector<float> reals = {0, INFINITY, -INFINITY, -0.0f, 3.4028235e38f, 1.4e-45f, 0.1f,
                                    1.17549435e-38f, 16777216.0f};
  const std::vector<int64_t> bigs = {INT64_MAX, INT64_MIN, 0, -1, 1, 2, 3, 4, 5};
  for (const auto& table : {blocks, rows}) {
    ASSERT_EQ(table->rowCount(), 10u);
    EXPECT_TRUE(std::isnan(table->realAt(0, 1)));
    EXPECT_TRUE(std::isnan(table->realAt(0, 2)));
    for (size_t r = 1; r < doubles.size(); ++r) {
      EXPECT_EQ(std::bit_cast<uint64_t>(table->realAt(r, 1)), std::bit_cast<uint64_t>(doubles[r])) << r;
      EXPECT_EQ(std::bit_cast<uint64_t>(table->realAt(r, 2)), std::bit_cast<uint64_t>(double{reals[r]})) << r;
    }
    for (size_t r = 0; r < bigs.size(); ++r) EXPECT_EQ(table->integerAt(r, 3), bigs[r]) << r;
    EXPECT_EQ(table->integerAt(0, 4), 32767);
    EXPECT_EQ(table->integerAt(1, 4), -32768);
    for (size_t c = 1; c < 5; ++c) EXPECT_TRUE(table->isNull(9, c)) << c;
  }
}

// A large plain table is read as two ranges of its pages over two
// connections in one snapshot; the rows and their order are those of one
// read, which a statement or a view always gets.
TEST(OdbcPostgresTest, ALargeTableReadInHalvesGivesTheRowsOfOneRead) {
  PostgresServer pg;
  pg.execute("create table big as select g as id, g * 0.25 as x, (g % 7)::smallint as s, "
             "case when g % 5 = 0 then null else 'v' || (g % 13) end as label, repeat('p', 300) as pad "
             "from generate_series(1, 30000) g;\n"
             "delete from big where id % 1000 = 1;\n"  // gaps in the pages
             "create view big_view as select * from big;\n"
             "alter system set log_statement = 'all';\nselect pg_reload_conf();\n");
  auto provider = openProvider(pg.connectionString());
  const auto halves = provider->query("big");
  const auto whole = provider->query("select * from big");
  const auto view = provider->query("big_view");
  ASSERT_EQ(whole->rowCount(), 29970u);
  for (const auto& table : {halves, view}) {
    ASSERT_EQ(table->rowCount(), whole->rowCount());
    ASSERT_EQ(table->fieldCount(), whole->fieldCount());
    for (size_t r = 0; r < whole->rowCount(); ++r)
      for (size_t c = 0; c < whole->fieldCount(); ++c)
        ASSERT_EQ(table->value(r, c), whole->value(r, c)) << r << "/" << c;
  }
  EXPECT_EQ(halves->integerAt(0, 0), 2);
  EXPECT_EQ(halves->integerAt(halves->rowCount() - 1, 0), 30000);
  std::ifstream log(pg.directory() + "/server.log");
  const std::string text((std::istreambuf_iterator<char>(log)), std::istreambuf_iterator<char>());
  EXPECT_NE(text.find("from big where ctid < '("), std::string::npos);
  EXPECT_NE(text.find("from big where ctid >= '("), std::string::npos);
  EXPECT_EQ(text.find("from big_view where ctid"), std::string::npos);
  // A cancelled read ends both halves; the connection goes on as before.
  std::atomic<bool> cancel{true};
  provider->setCancel(&cancel);
  EXPECT_THROW(provider->query("big"), ReadCancelled);
  cancel = false;
  EXPECT_EQ(provider->query("big")->rowCount(), whole->rowCount());
  EXPECT_EQ(provider->query("select current_setting('transaction_isolation')")->value(0, 0),
            Variant("read committed"));
}

// The shape of a result is learned from the database without running the
// statement: a sequence the statement would advance stays where it was.
TEST(OdbcPostgresTest, DescribingRunsNothing) {
  PostgresServer pg;
  pg.execute("create sequence counter;\ncreate table t (a integer, b varchar(8), c double precision);\n");
  auto provider = openProvider(pg.connectionString());
  const SourceShape shape = provider->describe("select nextval('counter') as n, t.* from t");
  EXPECT_EQ(shape.rows, nullptr);
  ASSERT_EQ(shape.fields.size(), 4u);
  EXPECT_EQ(shape.fields[0].type, adBigInt);
  EXPECT_EQ(shape.fields[1].name, "a");
  EXPECT_EQ(shape.fields[2].type, adVarChar);
  EXPECT_EQ(shape.fields[3].type, adDouble);
  EXPECT_EQ(provider->query("select is_called from counter")->value(0, 0), Variant(false));
  EXPECT_NE(errorOf([&] { provider->describe("nosuch"); }).find("nosuch"), std::string::npos);
}

TEST(OdbcSQLiteTest, ReadsThroughTheSQLiteDriver) {
  orlix::test::TempDir dir;
  orlix::test::registerOdbcDrivers(dir.path());
  const std::string db = dir.file("t.db");
  sqlite3* h = nullptr;
  ASSERT_EQ(sqlite3_open(db.c_str(), &h), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(h,
                         "create table t (a integer, b double, c varchar(12), d text);"
                         "insert into t values (1, 1.5, 'x', 'long'), (null, null, null, null);",
                         nullptr, nullptr, nullptr),
            SQLITE_OK);
  sqlite3_close(h);
  Recordset rs;
  rs.Open("t", std::string("Driver={") + orlix::test::kSQLiteDriver + "};Database=" + db + ";");
  ASSERT_EQ(rs.RecordCount(), 2);
  EXPECT_EQ(rs.Fields().Item("a").Type(), adInteger);
  EXPECT_EQ(rs.Fields().Item("b").Type(), adDouble);
  EXPECT_EQ(rs.Fields().Item("c").Type(), adVarChar);
  EXPECT_EQ(rs.Fields().Item("a").Value(), Variant(1));
  EXPECT_EQ(rs.Fields().Item("c").Value(), Variant("x"));
  rs.MoveNext();
  EXPECT_TRUE(rs.Fields().Item("b").Value().isNull());
  Catalog cat;
  cat.setActiveConnection(std::string("Driver={") + orlix::test::kSQLiteDriver + "};Database=" + db + ";");
  EXPECT_EQ(cat.tables(), std::vector<std::string>{"t"});
}
