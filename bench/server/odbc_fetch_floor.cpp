// odbc_fetch_floor: what the ODBC driver alone costs to deliver a table, as a
// floor under orlix-cli's read of it. It fetches the table the way orlix-cli
// does (server-side batches of 5,000 rows, bound text arrays, two page ranges
// on two connections at once) and throws every value away.
//
// Usage: odbc_fetch_floor CONNECTION-STRING TABLE PAGES
// (PAGES: the table's pages, split in two at the middle).
#include <sql.h>
#include <sqlext.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr SQLULEN kRows = 5000;
constexpr SQLLEN kCellBytes = 64;

struct Range {
  std::string sql;
  long rows = 0;
  std::string error;
};

std::string diagnostic(SQLSMALLINT type, SQLHANDLE handle) {
  SQLCHAR state[6] = {}, text[512] = {};
  SQLINTEGER native = 0;
  SQLSMALLINT length = 0;
  SQLGetDiagRec(type, handle, 1, state, &native, text, sizeof text, &length);
  return reinterpret_cast<char*>(text);
}

void fetch(const std::string& connection, Range& range) {
  SQLHENV env = nullptr;
  SQLHDBC dbc = nullptr;
  SQLHSTMT st = nullptr;
  SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env);
  SQLSetEnvAttr(env, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
  SQLAllocHandle(SQL_HANDLE_DBC, env, &dbc);
  const std::string cs = connection + "UseDeclareFetch=1;Fetch=" + std::to_string(kRows) + ";";
  if (!SQL_SUCCEEDED(SQLDriverConnect(dbc, nullptr, (SQLCHAR*)cs.c_str(), SQL_NTS, nullptr, 0, nullptr,
                                      SQL_DRIVER_NOPROMPT))) {
    range.error = "connect: " + diagnostic(SQL_HANDLE_DBC, dbc);
  } else {
    SQLAllocHandle(SQL_HANDLE_STMT, dbc, &st);
    SQLULEN fetched = 0;
    SQLSetStmtAttr(st, SQL_ATTR_ROW_ARRAY_SIZE, reinterpret_cast<SQLPOINTER>(kRows), 0);
    SQLSetStmtAttr(st, SQL_ATTR_ROWS_FETCHED_PTR, &fetched, 0);
    if (!SQL_SUCCEEDED(SQLExecDirect(st, (SQLCHAR*)range.sql.c_str(), SQL_NTS))) {
      range.error = range.sql + ": " + diagnostic(SQL_HANDLE_STMT, st);
    } else {
      SQLSMALLINT columns = 0;
      SQLNumResultCols(st, &columns);
      std::vector<std::vector<char>> cells(columns, std::vector<char>(kRows * kCellBytes));
      std::vector<std::vector<SQLLEN>> lengths(columns, std::vector<SQLLEN>(kRows));
      for (SQLSMALLINT c = 0; c < columns; ++c)
        SQLBindCol(st, c + 1, SQL_C_CHAR, cells[c].data(), kCellBytes, lengths[c].data());
      while (SQL_SUCCEEDED(SQLFetchScroll(st, SQL_FETCH_NEXT, 0))) range.rows += static_cast<long>(fetched);
    }
    SQLFreeHandle(SQL_HANDLE_STMT, st);
    SQLDisconnect(dbc);
  }
  SQLFreeHandle(SQL_HANDLE_DBC, dbc);
  SQLFreeHandle(SQL_HANDLE_ENV, env);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: odbc_fetch_floor CONNECTION-STRING TABLE PAGES\n");
    return 2;
  }
  const std::string connection = argv[1], table = argv[2];
  const std::string middle = "'(" + std::to_string(std::strtol(argv[3], nullptr, 10) / 2) + ",0)'";
  Range ranges[2];
  ranges[0].sql = "select * from " + table + " where ctid < " + middle;
  ranges[1].sql = "select * from " + table + " where ctid >= " + middle;
  std::thread second(fetch, connection, std::ref(ranges[1]));
  fetch(connection, ranges[0]);
  second.join();
  for (const Range& r : ranges) {
    if (!r.error.empty()) {
      std::fprintf(stderr, "odbc_fetch_floor: %s\n", r.error.c_str());
      return 1;
    }
  }
  std::printf("%ld rows\n", ranges[0].rows + ranges[1].rows);
  return 0;
}
