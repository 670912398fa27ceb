#include "platform/ado/sql/sqlite_provider.h"

#include <sqlite3.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <limits>

#include "platform/ado/error.h"
#include "platform/ado/sql/field_types.h"
#include "platform/ado/sql/sql_text.h"

namespace orlix::ado {

namespace {

// ASCII only: a declared type reads the same in any process locale.
std::string upper(std::string s) {
  for (char& c : s)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return s;
}

bool has(const std::string& s, const char* part) { return s.find(part) != std::string::npos; }

// "VARCHAR(40)" -> 40, "DECIMAL(10,2)" -> 10 and 2; 0 when not given.
void declaredSize(const std::string& decl, long& size, int& scale) {
  size = 0;
  scale = 0;
  size_t open = decl.find('(');
  if (open == std::string::npos) return;
  size = std::strtol(decl.c_str() + open + 1, nullptr, 10);
  size_t comma = decl.find(',', open);
  if (comma != std::string::npos) scale = static_cast<int>(std::strtol(decl.c_str() + comma + 1, nullptr, 10));
}

// One column's cells as SQLite delivered them, before its type is chosen.
struct Buffered {
  std::string name;
  std::string decl;  // declared type, upper case
  std::vector<uint8_t> kind;  // SQLITE_INTEGER, SQLITE_FLOAT, SQLITE_TEXT, SQLITE_BLOB, SQLITE_NULL
  std::vector<int64_t> ints;
  std::vector<double> reals;
  std::string chars;               // text and blob cells only, in row order
  std::vector<size_t> textStart;
  std::vector<size_t> textSize;
  int64_t minInt = 0, maxInt = 0;
  size_t longestText = 0;
  bool sawInt = false, sawReal = false, sawText = false, sawBlob = false;
};

// Field type by declared affinity (INT, CHAR/CLOB/TEXT, REAL/FLOA/DOUB, then
// names of the NUMERIC affinity); columns without a declared type by their values.
FieldInfo chooseType(const Buffered& b) {
  FieldInfo f;
  f.name = b.name;
  long size;
  int scale;
  declaredSize(b.decl, size, scale);
  const bool wide = b.sawInt && (b.minInt < INT32_MIN || b.maxInt > INT32_MAX);
  auto byValues = [&]() {
    if (b.sawText) return adVarWChar;
    if (b.sawBlob) return adLongVarBinary;
    if (b.sawReal) return adDouble;
    if (b.sawInt) return wide ? adBigInt : adInteger;
    return adVarWChar;
  };
  const std::string& d = b.decl;
  if (has(d, "INT")) {
    f.type = has(d, "BIGINT") || has(d, "INT8") || wide ? adBigInt
             : has(d, "SMALLINT") || has(d, "INT2") ? adSmallInt : adInteger;
    if (f.type == adSmallInt && b.sawInt && (b.minInt < INT16_MIN || b.maxInt > INT16_MAX))
      f.type = adInteger;
  } else if (has(d, "CHAR") || has(d, "CLOB") || has(d, "TEXT")) {
    f.type = adVarWChar;
    f.definedSize = size > 0 ? size : std::max<long>(255, static_cast<long>(b.longestText));
  } else if (has(d, "REAL") || has(d, "FLOA") || has(d, "DOUB")) {
    f.type = adDouble;
  } else if (d.empty() || has(d, "BLOB")) {
    f.type = byValues();
  } else if (has(d, "BOOL")) {
    f.type = adBoolean;
  } else if (has(d, "DATETIME") || has(d, "TIMESTAMP")) {
    f.type = adDBTimeStamp;
  } else if (has(d, "DATE")) {
    f.type = adDBDate;
  } else if (has(d, "DEC") || has(d, "NUMERIC")) {
    f.type = adNumeric;
    f.precision = static_cast<int>(size > 0 ? size : 18);
    f.scale = scale;
  } else {
    f.type = byValues();
  }
  if (f.type == adVarWChar && f.definedSize == 0)
    f.definedSize = std::max<long>(255, static_cast<long>(b.longestText));
  if (f.type == adLongVarBinary) f.definedSize = std::numeric_limits<int32_t>::max();
  f.definedSize = definedSizeFor(f.type, f.definedSize);
  f.attributes = attributesFor(f.type, true);
  return f;
}

class SQLiteProvider : public Provider {
 public:
  SQLiteProvider(sqlite3* db, std::string file) : db_(db), file_(std::move(file)) {
    // SQLite calls back every few thousand steps of any statement; a raised
    // cancel flag interrupts it, and fail() then reports the cancellation.
    sqlite3_progress_handler(
        db_, 4096, [](void* self) { return isCancelled(static_cast<SQLiteProvider*>(self)->cancel_) ? 1 : 0; }, this);
  }
  ~SQLiteProvider() override { sqlite3_close_v2(db_); }

  std::shared_ptr<Table> query(std::string_view source) override {
    const std::string sql = sqlForSource(source, file_);
    sqlite3_stmt* stmt = prepare(sql);
    std::vector<Buffered> cols;
    size_t rows = 0;
    try {
      cols = readAll(stmt, rows);
    } catch (...) {
      sqlite3_finalize(stmt);
      throw;
    }
    sqlite3_finalize(stmt);
    return build(cols, rows, sql);
  }

  // One read-only statement of aggregates over the source gives what the
  // field types depend on (the kinds of value each column holds, the range
  // of its integers, its longest text), without a row leaving the database.
  SourceShape describe(std::string_view source) override {
    const std::string sql = sqlForSource(source, file_);
    sqlite3_stmt* stmt = prepare(sql);
    std::vector<Buffered> cols(static_cast<size_t>(sqlite3_column_count(stmt)));
    std::string names, aggregates;
    for (size_t i = 0; i < cols.size(); ++i) {
      const int at = static_cast<int>(i);
      cols[i].name = sqlite3_column_name(stmt, at);
      const char* decl = sqlite3_column_decltype(stmt, at);
      cols[i].decl = upper(decl ? decl : "");
      const std::string c = "c" + std::to_string(i);
      names += (i ? ", " : "") + c;
      aggregates += std::string(i ? ", " : "") + "max(typeof(" + c + ") = 'integer'), max(typeof(" + c +
                    ") = 'real'), max(typeof(" + c + ") = 'text'), max(typeof(" + c + ") = 'blob'), min(case typeof(" +
                    c + ") when 'integer' then " + c + " end), max(case typeof(" + c + ") when 'integer' then " + c +
                    " end), max(case when typeof(" + c + ") in ('text', 'blob') then length(cast(" + c +
                    " as blob)) end)";
    }
    sqlite3_finalize(stmt);
    if (cols.empty()) throw DataError(file_, "\"" + sql + "\" returns no columns");
    stmt = prepare("with q(" + names + ") as (" + sql + ") select " + aggregates + " from q");
    const int rc = sqlite3_step(stmt);
    const std::string why = rc == SQLITE_ROW ? "" : sqlite3_errmsg(db_);
    for (size_t i = 0; rc == SQLITE_ROW && i < cols.size(); ++i) {
      Buffered& b = cols[i];
      const int at = static_cast<int>(i * 7);
      b.sawInt = sqlite3_column_int(stmt, at) == 1;
      b.sawReal = sqlite3_column_int(stmt, at + 1) == 1;
      b.sawText = sqlite3_column_int(stmt, at + 2) == 1;
      b.sawBlob = sqlite3_column_int(stmt, at + 3) == 1;
      b.minInt = sqlite3_column_int64(stmt, at + 4);
      b.maxInt = sqlite3_column_int64(stmt, at + 5);
      b.longestText = static_cast<size_t>(sqlite3_column_int64(stmt, at + 6));
    }
    sqlite3_finalize(stmt);
    if (rc != SQLITE_ROW) {
      throwIfCancelled(cancel_);
      throw DataError(file_, "\"" + sql + "\" cannot be described: " + why);
    }
    SourceShape shape;
    for (const Buffered& b : cols) shape.fields.push_back(chooseType(b));
    return shape;
  }

  std::vector<std::string> tableNames() override {
    sqlite3_stmt* stmt = prepare(
        "select name from sqlite_master where type in ('table','view') "
        "and name not like 'sqlite\\_%' escape '\\' order by name collate nocase");
    std::vector<std::string> names;
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW)
      names.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)));
    sqlite3_finalize(stmt);
    if (rc != SQLITE_DONE) fail("cannot list the tables");
    return names;
  }

 private:
  [[noreturn]] void fail(const std::string& what) {
    throwIfCancelled(cancel_);
    throw DataError(file_, what + ": " + sqlite3_errmsg(db_));
  }

  sqlite3_stmt* prepare(const std::string& sql) {
    sqlite3_stmt* stmt = nullptr;
    const char* tail = nullptr;
    if (sqlite3_prepare_v2(db_, sql.c_str(), static_cast<int>(sql.size()), &stmt, &tail) !=
        SQLITE_OK)
      fail("\"" + sql + "\" failed");
    if (!stmt) throw DataError(file_, "\"" + sql + "\" is not a statement");
    if (!sqlite3_stmt_readonly(stmt)) {
      sqlite3_finalize(stmt);
      throw DataError(file_, "only queries that read are allowed: \"" + sql + "\"");
    }
    return stmt;
  }

  std::vector<Buffered> readAll(sqlite3_stmt* stmt, size_t& rows) {
    const int n = sqlite3_column_count(stmt);
    std::vector<Buffered> cols(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
      cols[i].name = sqlite3_column_name(stmt, i);
      const char* decl = sqlite3_column_decltype(stmt, i);
      cols[i].decl = upper(decl ? decl : "");
    }
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
      for (int i = 0; i < n; ++i) take(stmt, i, cols[i]);
      ++rows;
    }
    if (rc != SQLITE_DONE) fail("reading row " + std::to_string(rows + 1) + " failed");
    return cols;
  }

  static void take(sqlite3_stmt* stmt, int i, Buffered& b) {
    const int t = sqlite3_column_type(stmt, i);
    b.kind.push_back(static_cast<uint8_t>(t));
    switch (t) {
      case SQLITE_INTEGER: {
        int64_t v = sqlite3_column_int64(stmt, i);
        b.minInt = b.sawInt ? std::min(b.minInt, v) : v;
        b.maxInt = b.sawInt ? std::max(b.maxInt, v) : v;
        b.sawInt = true;
        b.ints.push_back(v);
        break;
      }
      case SQLITE_FLOAT:
        b.sawReal = true;
        b.reals.push_back(sqlite3_column_double(stmt, i));
        break;
      case SQLITE_TEXT:
      case SQLITE_BLOB: {
        const void* p = t == SQLITE_TEXT ? static_cast<const void*>(sqlite3_column_text(stmt, i))
                                         : sqlite3_column_blob(stmt, i);
        int len = sqlite3_column_bytes(stmt, i);
        (t == SQLITE_TEXT ? b.sawText : b.sawBlob) = true;
        b.textStart.push_back(b.chars.size());
        b.textSize.push_back(p ? static_cast<size_t>(len) : 0);
        if (p) b.chars.append(static_cast<const char*>(p), static_cast<size_t>(len));
        b.longestText = std::max(b.longestText, static_cast<size_t>(len));
        break;
      }
      default:
        break;
    }
  }

  std::shared_ptr<Table> build(std::vector<Buffered>& cols, size_t rows, const std::string& sql) {
    TableBuilder out(file_);
    for (const Buffered& b : cols) out.addField(chooseType(b));
    out.reserveRows(rows);
    std::vector<size_t> ni(cols.size()), nr(cols.size()), nt(cols.size());
    for (size_t r = 0; r < rows; ++r) {
      out.addRow();
      for (size_t c = 0; c < cols.size(); ++c) {
        Buffered& b = cols[c];
        switch (b.kind[r]) {
          case SQLITE_INTEGER: out.setInt64(c, b.ints[ni[c]++]); break;
          case SQLITE_FLOAT: out.setDouble(c, b.reals[nr[c]++]); break;
          case SQLITE_TEXT:
          case SQLITE_BLOB: {
            size_t k = nt[c]++;
            out.setText(c, std::string_view(b.chars).substr(b.textStart[k], b.textSize[k]));
            break;
          }
          default: break;  // NULL
        }
      }
    }
    return out.finish();
  }

  sqlite3* db_;
  std::string file_;
};

}  // namespace

std::unique_ptr<Provider> openSQLiteProvider(const std::string& file) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(file, ec))
    throw DataError(file, "the SQLite database does not exist");
  sqlite3* db = nullptr;
  int rc = sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
  if (rc != SQLITE_OK) {
    std::string msg = db ? sqlite3_errmsg(db) : "out of memory";
    sqlite3_close_v2(db);
    throw DataError(file, "cannot open the SQLite database: " + msg);
  }
  // Fails here, not at the first query, when the file is not a database.
  char* err = nullptr;
  if (sqlite3_exec(db, "PRAGMA query_only = 1; select count(*) from sqlite_master", nullptr,
                   nullptr, &err) != SQLITE_OK) {
    std::string msg = err ? err : sqlite3_errmsg(db);
    sqlite3_free(err);
    sqlite3_close_v2(db);
    throw DataError(file, "not a SQLite database: " + msg);
  }
  return std::make_unique<SQLiteProvider>(db, file);
}

}  // namespace orlix::ado
