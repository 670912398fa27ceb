#include "platform/ado/sql/odbc_provider.h"

#include <exception>
#include <optional>
#include <string_view>
#include <thread>

#include "platform/ado/error.h"
#include "platform/ado/sql/odbc_result.h"
#include "platform/ado/sql/sql_text.h"

namespace orlix::ado {

namespace {

using odbc::Column;
using odbc::diagnostics;
using odbc::Handle;
using odbc::ok;
using odbc::ResultReader;

// The connection string without the OLE DB provider's own pairs.
std::string odbcString(const ConnectionString& cs) {
  std::string out;
  for (const auto& [k, v] : cs.pairs()) {
    if (equalsIgnoreCase(k, "Provider") || equalsIgnoreCase(k, "Extended Properties")) continue;
    out += k + "=" + v + ";";
  }
  return out;
}

// Hides the password in messages.
std::string sourceNameOf(const ConnectionString& cs) {
  std::string out;
  for (const auto& [k, v] : cs.pairs())
    out += k + "=" + ((equalsIgnoreCase(k, "Pwd") || equalsIgnoreCase(k, "Password")) ? "***" : v) + ";";
  return "ODBC source \"" + out + "\"";
}

// Rows psqlODBC takes from the server per round trip when it reads through
// a cursor, so that it never holds the whole result. The server gathers a
// FETCH's rows in a store of work_mem (4 MiB unless set otherwise) before it
// sends them; a batch larger than that goes through a temporary file.
constexpr int kServerFetchRows = 5000;
// A PostgreSQL table of at least this many pages (8 KiB each) is read in
// kRanges ranges at once; a smaller one takes less time to read than a second
// connection to open.
constexpr long long kRangesFromPages = 1024;
// Two: more ranges than the two cores of a modest machine only add memory.
constexpr size_t kRanges = 2;
static_assert(kRanges >= 2, "the first range ends where the last begins");

class OdbcProvider : public Provider {
 public:
  explicit OdbcProvider(const ConnectionString& cs)
      : name_(sourceNameOf(cs)), env_(SQL_HANDLE_ENV, SQL_NULL_HANDLE) {
    if (!env_.get()) throw DataError(name_, "the ODBC driver manager cannot be started");
    SQLSetEnvAttr(env_.get(), SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    std::string in = odbcString(cs);
    connect(in);
    in_ = in;
    // psqlODBC holds a whole result in memory unless told to read it
    // through a cursor: told so here, unless the string says otherwise.
    const bool postgres = driverName().rfind("psqlodbc", 0) == 0;
    if (postgres && !cs.has("UseDeclareFetch")) {
      disconnect();
      in_ = in + "UseDeclareFetch=1;Fetch=" + std::to_string(kServerFetchRows) + ";";
      connect(in_);
    }
    postgres_ = postgres;
  }

  ~OdbcProvider() override { disconnect(); }

  std::shared_ptr<Table> query(std::string_view source) override {
    const std::string sql = sqlForSource(source, name_);
    std::shared_ptr<Table> table = postgres_ ? readInRanges(sql) : nullptr;
    if (!table) table = run(sql, true);
    if (!table) table = run(sql, false);  // a text cell too long for the arrays
    return table;
  }

  // The statement is prepared, not run: the driver describes its result.
  SourceShape describe(std::string_view source) override {
    const std::string sql = sqlForSource(source, name_);
    Handle stmt(SQL_HANDLE_STMT, dbc_->get());
    if (!stmt.get()) throw DataError(name_, "no ODBC statement handle");
    SQLRETURN rc = SQLPrepare(stmt.get(), reinterpret_cast<SQLCHAR*>(const_cast<char*>(sql.data())),
                              static_cast<SQLINTEGER>(sql.size()));
    if (!ok(rc)) failStatement(stmt, sql);
    SQLSMALLINT count = 0;
    if (!ok(SQLNumResultCols(stmt.get(), &count)) || count == 0) {
      // A driver that learns the result's shape only by running it.
      rc = SQLExecute(stmt.get());
      if (!ok(rc) && rc != SQL_NO_DATA) failStatement(stmt, sql);
    }
    std::vector<Column> cols = reader().describeColumns(stmt);
    SQLFreeStmt(stmt.get(), SQL_CLOSE);
    SQLEndTran(SQL_HANDLE_DBC, dbc_->get(), SQL_ROLLBACK);
    if (cols.empty()) throw DataError(name_, "\"" + sql + "\" returns no columns");
    SourceShape shape;
    for (Column& c : cols) shape.fields.push_back(std::move(c.info));
    return shape;
  }

  std::vector<std::string> tableNames() override {
    Handle stmt(SQL_HANDLE_STMT, dbc_->get());
    SQLCHAR types[] = "TABLE,VIEW";
    if (!ok(SQLTables(stmt.get(), nullptr, 0, nullptr, 0, nullptr, 0, types, SQL_NTS)))
      throw DataError(name_, "cannot list the tables: " + diagnostics(SQL_HANDLE_STMT, stmt.get()));
    std::vector<std::string> names;
    SQLRETURN rc;
    while ((rc = SQLFetch(stmt.get())) == SQL_SUCCESS || rc == SQL_SUCCESS_WITH_INFO) {
      std::string name;
      if (reader().getText(stmt, 3, SQL_C_CHAR, name)) names.push_back(name);
    }
    if (rc != SQL_NO_DATA)
      throw DataError(name_, "cannot list the tables: " + diagnostics(SQL_HANDLE_STMT, stmt.get()));
    SQLEndTran(SQL_HANDLE_DBC, dbc_->get(), SQL_ROLLBACK);
    return names;
  }

 private:
  void connect(const std::string& in) {
    dbc_ = openConnection(in);
    connected_ = true;
  }

  std::unique_ptr<Handle> openConnection(std::string in) {
    auto dbc = std::make_unique<Handle>(SQL_HANDLE_DBC, env_.get());
    if (!dbc->get()) throw DataError(name_, "no ODBC connection handle");
    SQLSetConnectAttr(dbc->get(), SQL_ATTR_LOGIN_TIMEOUT, reinterpret_cast<SQLPOINTER>(15), 0);
    SQLCHAR outText[1024];
    SQLSMALLINT outLen = 0;
    SQLRETURN rc = SQLDriverConnect(dbc->get(), nullptr, reinterpret_cast<SQLCHAR*>(in.data()),
                                    static_cast<SQLSMALLINT>(in.size()), outText, sizeof outText, &outLen,
                                    SQL_DRIVER_NOPROMPT);
    if (!ok(rc)) throw DataError(name_, "cannot connect: " + diagnostics(SQL_HANDLE_DBC, dbc->get()));
    // Read-only: the driver is told so, and nothing is ever committed.
    SQLSetConnectAttr(dbc->get(), SQL_ATTR_ACCESS_MODE, reinterpret_cast<SQLPOINTER>(SQL_MODE_READ_ONLY), 0);
    SQLSetConnectAttr(dbc->get(), SQL_ATTR_AUTOCOMMIT, reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_OFF), 0);
    return dbc;
  }

  void disconnect() {
    if (!connected_) return;
    connected_ = false;
    SQLEndTran(SQL_HANDLE_DBC, dbc_->get(), SQL_ROLLBACK);
    SQLDisconnect(dbc_->get());
  }

  // The server behind psqlODBC sends numbers as text, shortest and
  // round-trip exact; the driver's own conversion of each one costs several
  // times what parsing that text does, for the same value.
  ResultReader reader() const { return ResultReader(name_, cancel_, postgres_); }

  std::string driverName() {
    SQLCHAR text[256] = {};
    SQLSMALLINT length = 0;
    if (!ok(SQLGetInfo(dbc_->get(), SQL_DRIVER_NAME, text, sizeof text, &length))) return {};
    return reinterpret_cast<char*>(text);
  }

  [[noreturn]] void failStatement(const Handle& stmt, const std::string& sql, const Handle& dbc) {
    std::string why = diagnostics(SQL_HANDLE_STMT, stmt.get());
    SQLEndTran(SQL_HANDLE_DBC, dbc.get(), SQL_ROLLBACK);
    throw DataError(name_, "\"" + sql + "\" failed: " + why);
  }
  [[noreturn]] void failStatement(const Handle& stmt, const std::string& sql) { failStatement(stmt, sql, *dbc_); }

  // Runs `sql` on `dbc`; on failure its transaction is rolled back and DataError names the statement.
  std::unique_ptr<Handle> execute(const Handle& dbc, const std::string& sql) {
    auto stmt = std::make_unique<Handle>(SQL_HANDLE_STMT, dbc.get());
    if (!stmt->get()) throw DataError(name_, "no ODBC statement handle");
    const SQLRETURN rc = SQLExecDirect(stmt->get(), reinterpret_cast<SQLCHAR*>(const_cast<char*>(sql.data())),
                                       static_cast<SQLINTEGER>(sql.size()));
    if (!ok(rc) && rc != SQL_NO_DATA) failStatement(*stmt, sql, dbc);
    return stmt;
  }

  // Runs `sql` and reads its result: in blocks of rows when `inBlocks`
  // (null when a text cell is too long for the arrays), else a row at a time.
  std::shared_ptr<Table> run(const std::string& sql, bool inBlocks) {
    const auto executed = execute(*dbc_, sql);
    const Handle& stmt = *executed;
    ResultReader read = reader();
    std::vector<Column> cols = read.describeColumns(stmt);
    if (cols.empty()) throw DataError(name_, "\"" + sql + "\" returns no columns");
    std::shared_ptr<Table> table;
    if (!inBlocks) {
      table = read.fetchRows(stmt, cols);
    } else if (size_t rows = 0; auto data = read.fetchColumns(stmt, cols, rows)) {
      table = Table::fromColumns(name_, std::move(*data), rows);
    }
    SQLFreeStmt(stmt.get(), SQL_CLOSE);
    SQLEndTran(SQL_HANDLE_DBC, dbc_->get(), SQL_ROLLBACK);
    return table;
  }

  // ---- A large PostgreSQL table: ranges of its pages at once ----

  // Over one cursor the server and the client take turns: the server writes
  // a batch of rows while the client waits, then the client converts it while
  // the server waits. A plain table is read as ranges of its pages instead,
  // each over a connection of its own, all in one snapshot, so that the
  // server writes one range while the client converts another. The rows
  // come in the order of a single read. Null where the source is no plain
  // table of that size, the server is older than 14 (which scans page ranges),
  // or anything about the ranges fails: the caller then reads it whole, and a
  // fault of the source is reported from there.
  std::shared_ptr<Table> readInRanges(const std::string& sql) {
    const long long pages = tablePages(sql);
    if (pages < kRangesFromPages) return nullptr;
    constexpr size_t parts = kRanges;
    std::vector<std::unique_ptr<Handle>> others;  // the connections of ranges 2, 3, ...
    struct EndRanges {  // however the reading ends, every transaction does
      OdbcProvider& self;
      std::vector<std::unique_ptr<Handle>>& others;
      ~EndRanges() { self.endRanges(others); }
    } ending{*this, others};
    try {
      setRepeatableRead(*dbc_);
      const std::string snapshot = firstText(*dbc_, "select pg_export_snapshot()");
      for (size_t i = 1; i < parts; ++i) {
        others.push_back(openConnection(in_));
        setRepeatableRead(*others.back());
        firstText(*others.back(), "set transaction snapshot '" + snapshot + "'");
      }
      std::vector<RangeRead> ranges(parts);
      for (size_t i = 0; i < parts; ++i) {
        const auto page = [&](size_t k) { return "'(" + std::to_string(pages * k / parts) + ",0)'::tid"; };
        ranges[i].sql = sql + (i == 0 ? " where ctid < " + page(1)
                               : i + 1 == parts ? " where ctid >= " + page(i)
                               : " where ctid >= " + page(i) + " and ctid < " + page(i + 1));
      }
      std::vector<std::thread> readers;
      for (size_t i = 1; i < parts; ++i) readers.emplace_back([&, i] { readRange(*others[i - 1], ranges[i]); });
      readRange(*dbc_, ranges[0]);
      for (std::thread& t : readers) t.join();
      size_t rows = 0;
      for (RangeRead& range : ranges) {
        if (range.failure) std::rethrow_exception(range.failure);
        if (!range.columns || (&range != &ranges[0] && !appendColumns(*ranges[0].columns, *range.columns)))
          return nullptr;
        rows += range.rows;
      }
      return Table::fromColumns(name_, std::move(*ranges[0].columns), rows);
    } catch (const DataError&) {
      return nullptr;
    }
  }

  // One range of pages: its statement, and what reading it gave.
  struct RangeRead {
    std::string sql;
    std::optional<std::vector<Table::ColumnData>> columns;
    size_t rows = 0;
    std::exception_ptr failure;
  };

  void readRange(const Handle& dbc, RangeRead& range) {
    try {
      range.columns = fetchStatement(dbc, range.sql, range.rows);
    } catch (...) {
      range.failure = std::current_exception();
    }
  }

  // The pages of the table `sql` reads with "select * from", when it is a
  // plain table on a server that scans ranges of pages; else 0.
  long long tablePages(const std::string& sql) {
    static constexpr std::string_view kSelectAll = "select * from ";
    if (sql.rfind(kSelectAll, 0) != 0) return 0;
    const std::string table = sql.substr(kSelectAll.size());
    if (table.find_first_of("'\\;") != std::string::npos) return 0;
    try {
      auto found = run("select pg_relation_size(c.oid) / current_setting('block_size')::bigint "
                       "from pg_class c where c.relkind in ('r', 'm') and c.oid = to_regclass('" + table +
                           "') and current_setting('server_version_num')::int >= 140000",
                       false);
      return found && found->rowCount() == 1 && !found->isNull(0, 0) ? found->integerAt(0, 0) : 0;
    } catch (const DataError&) {
      return 0;  // no relation name
    }
  }

  void setRepeatableRead(const Handle& dbc) {
    const auto level = reinterpret_cast<SQLPOINTER>(SQL_TXN_REPEATABLE_READ);
    if (!ok(SQLSetConnectAttr(dbc.get(), SQL_ATTR_TXN_ISOLATION, level, 0)))
      throw DataError(name_, "cannot set the isolation: " + diagnostics(SQL_HANDLE_DBC, dbc.get()));
  }

  // Ends every range's transaction and closes the other connections.
  void endRanges(const std::vector<std::unique_ptr<Handle>>& others) {
    for (const auto& other : others) {
      SQLEndTran(SQL_HANDLE_DBC, other->get(), SQL_ROLLBACK);
      SQLDisconnect(other->get());
    }
    SQLEndTran(SQL_HANDLE_DBC, dbc_->get(), SQL_ROLLBACK);
    const auto level = reinterpret_cast<SQLPOINTER>(SQL_TXN_READ_COMMITTED);
    SQLSetConnectAttr(dbc_->get(), SQL_ATTR_TXN_ISOLATION, level, 0);
  }

  // Runs `sql` in the open transaction of `dbc`; the first cell of its first row as text.
  std::string firstText(const Handle& dbc, const std::string& sql) {
    const auto executed = execute(dbc, sql);
    const Handle& stmt = *executed;
    std::string text;
    SQLSMALLINT columns = 0;
    if (ok(SQLNumResultCols(stmt.get(), &columns)) && columns > 0 && ok(SQLFetch(stmt.get())))
      reader().getText(stmt, 1, SQL_C_CHAR, text);
    SQLFreeStmt(stmt.get(), SQL_CLOSE);
    return text;
  }

  // Runs `sql` in the open transaction of `dbc` and fetches its result in blocks.
  std::optional<std::vector<Table::ColumnData>> fetchStatement(const Handle& dbc, const std::string& sql,
                                                               size_t& rows) {
    const auto executed = execute(dbc, sql);
    const Handle& stmt = *executed;
    ResultReader read = reader();
    auto data = read.fetchColumns(stmt, read.describeColumns(stmt), rows);
    SQLFreeStmt(stmt.get(), SQL_CLOSE);
    return data;
  }

  // Appends a later range's columns to the first's, freeing each as it goes;
  // false when the two do not have the same fields.
  static bool appendColumns(std::vector<Table::ColumnData>& first, std::vector<Table::ColumnData>& second) {
    if (first.size() != second.size()) return false;
    for (size_t i = 0; i < first.size(); ++i)
      if (first[i].info.name != second[i].info.name || first[i].info.type != second[i].info.type) return false;
    for (size_t i = 0; i < first.size(); ++i) {
      Table::ColumnData& to = first[i];
      Table::ColumnData from = std::move(second[i]);
      to.nulls.insert(to.nulls.end(), from.nulls.begin(), from.nulls.end());
      to.ints.insert(to.ints.end(), from.ints.begin(), from.ints.end());
      to.reals.insert(to.reals.end(), from.reals.begin(), from.reals.end());
      to.lengths.insert(to.lengths.end(), from.lengths.begin(), from.lengths.end());
      const uint64_t base = to.chars.size();
      to.offsets.reserve(to.offsets.size() + from.offsets.size());
      for (uint64_t offset : from.offsets) to.offsets.push_back(base + offset);
      to.chars += from.chars;
    }
    return true;
  }

  std::string name_;
  Handle env_;
  std::unique_ptr<Handle> dbc_;
  std::string in_;  // the connection string the driver was given
  bool connected_ = false;
  bool postgres_ = false;

};

}  // namespace

std::unique_ptr<Provider> openOdbcProvider(const ConnectionString& connection) {
  return std::make_unique<OdbcProvider>(connection);
}

}  // namespace orlix::ado