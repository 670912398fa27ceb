#include "platform/ado/sql/odbc_provider.h"

#include <sql.h>
#include <sqlext.h>

#include <cstring>
#include <limits>

#include "platform/ado/error.h"
#include "platform/ado/sql/field_types.h"
#include "platform/ado/sql/sql_text.h"
#include "platform/com/variant.h"

namespace orlix::ado {

namespace {

bool ok(SQLRETURN rc) { return rc == SQL_SUCCESS || rc == SQL_SUCCESS_WITH_INFO; }

// The diagnostics of a handle, joined: "[unixODBC][Driver Manager]Data source name not found...".
std::string diagnostics(SQLSMALLINT type, SQLHANDLE handle) {
  std::string out;
  for (SQLSMALLINT i = 1; i < 10; ++i) {
    SQLCHAR state[6] = {};
    SQLCHAR text[1024] = {};
    SQLINTEGER native = 0;
    SQLSMALLINT len = 0;
    if (!ok(SQLGetDiagRec(type, handle, i, state, &native, text, sizeof text, &len))) break;
    if (!out.empty()) out += "; ";
    out += reinterpret_cast<char*>(text);
    out += " (SQLSTATE ";
    out += reinterpret_cast<char*>(state);
    out += ")";
  }
  return out.empty() ? "no diagnostics from the driver" : out;
}

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

// ADO data type for an ODBC SQL type.
DataType adoType(SQLSMALLINT sqlType, bool isUnsigned) {
  switch (sqlType) {
    case SQL_INTEGER: return isUnsigned ? adUnsignedInt : adInteger;
    case SQL_SMALLINT: return isUnsigned ? adUnsignedSmallInt : adSmallInt;
    case SQL_TINYINT: return isUnsigned ? adUnsignedTinyInt : adTinyInt;
    case SQL_BIGINT: return isUnsigned ? adUnsignedBigInt : adBigInt;
    case SQL_REAL: return adSingle;
    case SQL_DOUBLE: case SQL_FLOAT: return adDouble;
    case SQL_NUMERIC: case SQL_DECIMAL: return adNumeric;
    case SQL_CHAR: return adChar;
    case SQL_VARCHAR: return adVarChar;
    case SQL_LONGVARCHAR: return adLongVarChar;
    case SQL_WCHAR: return adWChar;
    case SQL_WVARCHAR: return adVarWChar;
    case SQL_WLONGVARCHAR: return adLongVarWChar;
    case SQL_TYPE_DATE: case SQL_DATE: return adDBDate;
    case SQL_TYPE_TIME: case SQL_TIME: return adDBTime;
    case SQL_TYPE_TIMESTAMP: case SQL_TIMESTAMP: return adDBTimeStamp;
    case SQL_BIT: return adBoolean;
    case SQL_GUID: return adGUID;
    case SQL_BINARY: return adBinary;
    case SQL_VARBINARY: return adVarBinary;
    case SQL_LONGVARBINARY: return adLongVarBinary;
    default: return adVarWChar;
  }
}

class Handle {
 public:
  Handle(SQLSMALLINT type, SQLHANDLE parent) : type_(type) {
    if (!ok(SQLAllocHandle(type, parent, &h_))) h_ = SQL_NULL_HANDLE;
  }
  ~Handle() {
    if (h_ != SQL_NULL_HANDLE) SQLFreeHandle(type_, h_);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  SQLHANDLE get() const { return h_; }
  SQLSMALLINT type() const { return type_; }

 private:
  SQLSMALLINT type_;
  SQLHANDLE h_ = SQL_NULL_HANDLE;
};

class OdbcProvider : public Provider {
 public:
  explicit OdbcProvider(const ConnectionString& cs)
      : name_(sourceNameOf(cs)), env_(SQL_HANDLE_ENV, SQL_NULL_HANDLE) {
    if (!env_.get()) throw DataError(name_, "the ODBC driver manager cannot be started");
    SQLSetEnvAttr(env_.get(), SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    dbc_ = std::make_unique<Handle>(SQL_HANDLE_DBC, env_.get());
    if (!dbc_->get()) throw DataError(name_, "no ODBC connection handle");
    SQLSetConnectAttr(dbc_->get(), SQL_ATTR_LOGIN_TIMEOUT, reinterpret_cast<SQLPOINTER>(15), 0);
    std::string in = odbcString(cs);
    SQLCHAR outText[1024];
    SQLSMALLINT outLen = 0;
    SQLRETURN rc = SQLDriverConnect(dbc_->get(), nullptr,
                                    reinterpret_cast<SQLCHAR*>(in.data()),
                                    static_cast<SQLSMALLINT>(in.size()), outText, sizeof outText,
                                    &outLen, SQL_DRIVER_NOPROMPT);
    if (!ok(rc)) throw DataError(name_, "cannot connect: " + diagnostics(SQL_HANDLE_DBC, dbc_->get()));
    connected_ = true;
    // Read-only: the driver is told so, and nothing is ever committed.
    SQLSetConnectAttr(dbc_->get(), SQL_ATTR_ACCESS_MODE,
                      reinterpret_cast<SQLPOINTER>(SQL_MODE_READ_ONLY), 0);
    SQLSetConnectAttr(dbc_->get(), SQL_ATTR_AUTOCOMMIT,
                      reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_OFF), 0);
  }

  ~OdbcProvider() override {
    if (connected_) {
      SQLEndTran(SQL_HANDLE_DBC, dbc_->get(), SQL_ROLLBACK);
      SQLDisconnect(dbc_->get());
    }
  }

  std::shared_ptr<Table> query(std::string_view source) override {
    std::string sql = sqlForSource(source, name_);
    Handle stmt(SQL_HANDLE_STMT, dbc_->get());
    if (!stmt.get()) throw DataError(name_, "no ODBC statement handle");
    SQLRETURN rc = SQLExecDirect(stmt.get(), reinterpret_cast<SQLCHAR*>(sql.data()),
                                 static_cast<SQLINTEGER>(sql.size()));
    if (!ok(rc) && rc != SQL_NO_DATA) {
      std::string why = diagnostics(SQL_HANDLE_STMT, stmt.get());
      SQLEndTran(SQL_HANDLE_DBC, dbc_->get(), SQL_ROLLBACK);
      throw DataError(name_, "\"" + sql + "\" failed: " + why);
    }
    auto table = fetchAll(stmt, sql);
    SQLEndTran(SQL_HANDLE_DBC, dbc_->get(), SQL_ROLLBACK);
    return table;
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
      if (getText(stmt, 3, SQL_C_CHAR, name)) names.push_back(name);
    }
    if (rc != SQL_NO_DATA)
      throw DataError(name_, "cannot list the tables: " + diagnostics(SQL_HANDLE_STMT, stmt.get()));
    SQLEndTran(SQL_HANDLE_DBC, dbc_->get(), SQL_ROLLBACK);
    return names;
  }

 private:
  struct Column {
    SQLSMALLINT sqlType = 0;
    FieldInfo info;
  };

  std::vector<Column> describeColumns(const Handle& stmt) {
    SQLSMALLINT n = 0;
    if (!ok(SQLNumResultCols(stmt.get(), &n)))
      throw DataError(name_, "cannot describe the result: " + diagnostics(SQL_HANDLE_STMT, stmt.get()));
    std::vector<Column> cols(static_cast<size_t>(n));
    for (SQLUSMALLINT i = 1; i <= n; ++i) {
      SQLCHAR name[512] = {};
      SQLSMALLINT nameLen = 0, type = 0, digits = 0, nullable = 0;
      SQLULEN size = 0;
      if (!ok(SQLDescribeCol(stmt.get(), i, name, sizeof name, &nameLen, &type, &size, &digits,
                             &nullable)))
        throw DataError(name_, "cannot describe column " + std::to_string(i) + ": " +
                                   diagnostics(SQL_HANDLE_STMT, stmt.get()));
      SQLLEN isUnsigned = SQL_FALSE;
      SQLColAttribute(stmt.get(), i, SQL_DESC_UNSIGNED, nullptr, 0, nullptr, &isUnsigned);
      Column& c = cols[i - 1];
      c.sqlType = type;
      c.info.name = reinterpret_cast<char*>(name);
      c.info.type = adoType(type, isUnsigned == SQL_TRUE &&
                                      (type == SQL_INTEGER || type == SQL_SMALLINT ||
                                       type == SQL_TINYINT || type == SQL_BIGINT));
      long columnSize = size > static_cast<SQLULEN>(std::numeric_limits<int32_t>::max())
                            ? std::numeric_limits<int32_t>::max()
                            : static_cast<long>(size);
      c.info.definedSize = definedSizeFor(c.info.type, columnSize);
      c.info.attributes = attributesFor(c.info.type, nullable != SQL_NO_NULLS);
      if (c.info.type == adNumeric) {
        c.info.precision = static_cast<int>(size);
        c.info.scale = digits;
      }
    }
    return cols;
  }

  // Reads column `col` of the current row as text or bytes; false for NULL.
  bool getText(const Handle& stmt, SQLUSMALLINT col, SQLSMALLINT cType, std::string& out) {
    out.clear();
    char buf[8192];
    for (;;) {
      SQLLEN ind = 0;
      SQLRETURN rc = SQLGetData(stmt.get(), col, cType, buf, sizeof buf, &ind);
      if (rc == SQL_NO_DATA) return true;
      if (!ok(rc)) throwRead(stmt, col);
      if (ind == SQL_NULL_DATA) return false;
      const size_t room = cType == SQL_C_CHAR ? sizeof buf - 1 : sizeof buf;
      size_t got = (ind == SQL_NO_TOTAL || static_cast<size_t>(ind) > room) ? room
                                                                           : static_cast<size_t>(ind);
      out.append(buf, got);
      if (rc == SQL_SUCCESS) return true;
    }
  }

  [[noreturn]] void throwRead(const Handle& stmt, SQLUSMALLINT col) {
    throw DataError(name_, "reading row " + std::to_string(row_ + 1) + ", column " +
                               std::to_string(col) + " failed: " +
                               diagnostics(SQL_HANDLE_STMT, stmt.get()));
  }

  template <typename T>
  bool getFixed(const Handle& stmt, SQLUSMALLINT col, SQLSMALLINT cType, T& out) {
    SQLLEN ind = 0;
    if (!ok(SQLGetData(stmt.get(), col, cType, &out, sizeof out, &ind))) throwRead(stmt, col);
    return ind != SQL_NULL_DATA;
  }

  void readCell(const Handle& stmt, const Column& c, size_t col, TableBuilder& out,
                std::string& text) {
    const auto i = static_cast<SQLUSMALLINT>(col + 1);
    switch (c.info.type) {
      case adInteger: case adSmallInt: case adTinyInt: case adBigInt: case adUnsignedTinyInt:
      case adUnsignedSmallInt: case adUnsignedInt: {
        SQLBIGINT v;
        if (getFixed(stmt, i, SQL_C_SBIGINT, v)) out.setInt64(col, v); else out.setNull(col);
        return;
      }
      case adSingle: case adDouble: {
        double v;
        if (getFixed(stmt, i, SQL_C_DOUBLE, v)) out.setDouble(col, v); else out.setNull(col);
        return;
      }
      case adBoolean: {
        unsigned char v;
        if (getFixed(stmt, i, SQL_C_BIT, v)) out.setBool(col, v != 0); else out.setNull(col);
        return;
      }
      case adDBDate: case adDBTime: case adDBTimeStamp: {
        SQL_TIMESTAMP_STRUCT ts{};
        if (!getFixed(stmt, i, SQL_C_TYPE_TIMESTAMP, ts)) return out.setNull(col);
        try {
          int year = c.info.type == adDBTime ? 1899 : ts.year;
          int month = c.info.type == adDBTime ? 12 : ts.month;
          int day = c.info.type == adDBTime ? 30 : ts.day;
          out.setDate(col, com::oleDateFromParts(year, month, day, ts.hour, ts.minute,
                                                 ts.second + ts.fraction / 1e9));
        } catch (const com::TypeMismatch&) {
          throw DataError(name_, "row " + std::to_string(row_ + 1) + ", field '" + c.info.name +
                                     "': the date is outside the years 100 to 9999");
        }
        return;
      }
      case adBinary: case adVarBinary: case adLongVarBinary:
        if (getText(stmt, i, SQL_C_BINARY, text)) out.setText(col, text); else out.setNull(col);
        return;
      default:
        if (getText(stmt, i, SQL_C_CHAR, text)) out.setText(col, text); else out.setNull(col);
        return;
    }
  }

  std::shared_ptr<Table> fetchAll(const Handle& stmt, const std::string& sql) {
    std::vector<Column> cols = describeColumns(stmt);
    if (cols.empty()) throw DataError(name_, "\"" + sql + "\" returns no columns");
    TableBuilder out(name_);
    for (const Column& c : cols) out.addField(c.info);
    std::string text;
    row_ = 0;
    for (;;) {
      SQLRETURN rc = SQLFetch(stmt.get());
      if (rc == SQL_NO_DATA) break;
      if (!ok(rc))
        throw DataError(name_, "reading row " + std::to_string(row_ + 1) + " failed: " +
                                   diagnostics(SQL_HANDLE_STMT, stmt.get()));
      out.addRow();
      for (size_t i = 0; i < cols.size(); ++i) readCell(stmt, cols[i], i, out, text);
      ++row_;
    }
    return out.finish();
  }

  std::string name_;
  Handle env_;
  std::unique_ptr<Handle> dbc_;
  bool connected_ = false;
  size_t row_ = 0;
};

}  // namespace

std::unique_ptr<Provider> openOdbcProvider(const ConnectionString& connection) {
  return std::make_unique<OdbcProvider>(connection);
}

}  // namespace orlix::ado
