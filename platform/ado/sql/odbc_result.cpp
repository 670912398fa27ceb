#include "platform/ado/sql/odbc_result.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <limits>

#include "platform/ado/error.h"
#include "platform/ado/sql/field_types.h"
#include "platform/com/variant.h"

namespace orlix::ado::odbc {

namespace {

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

// Rows fetched at once: column arrays of about this many bytes in all.
constexpr size_t kBlockBytes = 8u << 20;
// The widest text cell fetched into a column array; a longer one has the
// statement read again a row at a time.
constexpr size_t kWidestBoundText = 4096;
// Room for a number's text, "-1.2345678901234567e-308" and the like, and its NUL.
constexpr size_t kNumberTextWidth = 40;

bool isIntegerType(DataType type) {
  switch (type) {
    case adInteger: case adSmallInt: case adTinyInt: case adBigInt: case adUnsignedTinyInt:
    case adUnsignedSmallInt: case adUnsignedInt:
      return true;
    default:
      return false;
  }
}

bool isDateType(DataType type) { return type == adDBDate || type == adDBTime || type == adDBTimeStamp; }

// Room for `more` cells. A result longer than one block grows its arrays in
// steps of at least 4 MiB: taken as whole huge pages, not faulted in one
// small page at a time as a doubling array's early steps are.
template <typename Array>
void growFor(Array& array, size_t more, size_t cellBytes) {
  constexpr size_t kStepBytes = size_t{4} << 20;
  const size_t needed = array.size() + more;
  if (needed <= array.capacity()) return;
  array.reserve(std::max({needed, 2 * array.capacity(), kStepBytes / cellBytes}));
}

void makeRoom(Table::ColumnData& column, size_t more) {
  growFor(column.nulls, more, 1);  // bits, but a step of bytes is small enough
  switch (storageOf(column.info.type)) {
    case Storage::Integer: growFor(column.ints, more, sizeof(int64_t)); break;
    case Storage::Real: growFor(column.reals, more, sizeof(double)); break;
    case Storage::Text:
      growFor(column.offsets, more, sizeof(uint64_t));
      growFor(column.lengths, more, sizeof(uint32_t));
      break;
  }
}

}  // namespace

std::vector<Column> ResultReader::describeColumns(const Handle& stmt) {
  SQLSMALLINT n = 0;
  if (!ok(SQLNumResultCols(stmt.get(), &n)))
    throw DataError(name_, "cannot describe the result: " + diagnostics(SQL_HANDLE_STMT, stmt.get()));
  std::vector<Column> cols(static_cast<size_t>(n));
  for (SQLUSMALLINT i = 1; i <= n; ++i) {
    SQLCHAR name[512] = {};
    SQLSMALLINT nameLen = 0, type = 0, digits = 0, nullable = 0;
    SQLULEN size = 0;
    if (!ok(SQLDescribeCol(stmt.get(), i, name, sizeof name, &nameLen, &type, &size, &digits, &nullable)))
      throw DataError(name_, "cannot describe column " + std::to_string(i) + ": " +
                                 diagnostics(SQL_HANDLE_STMT, stmt.get()));
    SQLLEN isUnsigned = SQL_FALSE;
    SQLColAttribute(stmt.get(), i, SQL_DESC_UNSIGNED, nullptr, 0, nullptr, &isUnsigned);
    Column& c = cols[i - 1];
    c.sqlType = type;
    c.info.name = reinterpret_cast<char*>(name);
    c.info.type = adoType(type, isUnsigned == SQL_TRUE && (type == SQL_INTEGER || type == SQL_SMALLINT ||
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

// ---- In blocks: every column bound to an array, many rows per fetch ----

ResultReader::BoundColumn ResultReader::bindingFor(const Column& c) const {
  BoundColumn b;
  const DataType type = c.info.type;
  if (numbersAsText_ && (isIntegerType(type) || type == adSingle || type == adDouble)) {
    b.cType = SQL_C_CHAR, b.width = kNumberTextWidth, b.numberAsText = true;
  } else if (isIntegerType(type)) {
    b.cType = SQL_C_SBIGINT, b.width = sizeof(SQLBIGINT);
  } else if (type == adUnsignedBigInt) {
    b.cType = SQL_C_UBIGINT, b.width = sizeof(SQLUBIGINT);
  } else if (type == adSingle || type == adDouble) {
    b.cType = SQL_C_DOUBLE, b.width = sizeof(double);
  } else if (type == adBoolean) {
    b.cType = SQL_C_BIT, b.width = 1;
  } else if (isDateType(type)) {
    b.cType = SQL_C_TYPE_TIMESTAMP, b.width = sizeof(SQL_TIMESTAMP_STRUCT);
  } else {
    // Up to four bytes a character in UTF-8, and the terminating NUL of text.
    const bool binary = type == adBinary || type == adVarBinary || type == adLongVarBinary;
    b.cType = binary ? SQL_C_BINARY : SQL_C_CHAR;
    const size_t declared = c.info.definedSize > 0 ? static_cast<size_t>(c.info.definedSize) : kWidestBoundText;
    const size_t bytes = binary ? declared : declared * 4;
    b.width = std::min(bytes, kWidestBoundText) + (binary ? 0 : 1);
    if (type == adNumeric) b.width = 64;
  }
  return b;
}

// The result's columns and their number of `rows`; none when a text cell
// was longer than its array's cells.
std::optional<std::vector<Table::ColumnData>> ResultReader::fetchColumns(const Handle& stmt,
                                                                       const std::vector<Column>& cols,
                                                                       size_t& rows) {
  std::vector<BoundColumn> bound;
  size_t rowBytes = 0;
  for (const Column& c : cols) {
    bound.push_back(bindingFor(c));
    rowBytes += bound.back().width + sizeof(SQLLEN);
  }
  SQLULEN blockRows = std::clamp<size_t>(kBlockBytes / std::max<size_t>(rowBytes, 1), 64, 8192);
  SQLSetStmtAttr(stmt.get(), SQL_ATTR_ROW_BIND_TYPE, reinterpret_cast<SQLPOINTER>(SQL_BIND_BY_COLUMN), 0);
  SQLSetStmtAttr(stmt.get(), SQL_ATTR_ROW_ARRAY_SIZE, reinterpret_cast<SQLPOINTER>(blockRows), 0);
  SQLGetStmtAttr(stmt.get(), SQL_ATTR_ROW_ARRAY_SIZE, &blockRows, 0, nullptr);  // what the driver took
  if (blockRows == 0) blockRows = 1;
  SQLULEN fetched = 0;
  std::vector<SQLUSMALLINT> status(blockRows);
  SQLSetStmtAttr(stmt.get(), SQL_ATTR_ROWS_FETCHED_PTR, &fetched, 0);
  SQLSetStmtAttr(stmt.get(), SQL_ATTR_ROW_STATUS_PTR, status.data(), 0);
  for (size_t i = 0; i < bound.size(); ++i) {
    BoundColumn& b = bound[i];
    b.cells.resize(b.width * blockRows);
    b.lengths.resize(blockRows);
    if (!ok(SQLBindCol(stmt.get(), static_cast<SQLUSMALLINT>(i + 1), b.cType, b.cells.data(),
                       static_cast<SQLLEN>(b.width), b.lengths.data())))
      throw DataError(name_, "cannot bind column " + std::to_string(i + 1) + ": " +
                                 diagnostics(SQL_HANDLE_STMT, stmt.get()));
  }
  std::vector<Table::ColumnData> data(cols.size());
  for (size_t i = 0; i < cols.size(); ++i) data[i].info = cols[i].info;
  rows = 0;
  for (;;) {
    throwIfCancelled(cancel_);  // once per block of rows
    const SQLRETURN rc = SQLFetch(stmt.get());
    if (rc == SQL_NO_DATA) break;
    if (!ok(rc))
      throw DataError(name_, "reading row " + std::to_string(rows + 1) + " failed: " +
                                 diagnostics(SQL_HANDLE_STMT, stmt.get()));
    for (size_t i = 0; i < cols.size(); ++i)
      if (!appendBlock(bound[i], fetched, rows, data[i])) return std::nullopt;
    rows += fetched;
  }
  return data;
}

// Appends the `rows` cells of a fetched block; false when a text cell was cut.
bool ResultReader::appendBlock(const BoundColumn& b, size_t rows, size_t firstRow, Table::ColumnData& out) {
  const DataType type = out.info.type;
  if (firstRow > 0) makeRoom(out, rows);
  for (size_t r = 0; r < rows; ++r) {
    const char* cell = b.cells.data() + r * b.width;
    const SQLLEN length = b.lengths[r];
    const bool null = length == SQL_NULL_DATA;
    out.nulls.push_back(null);
    switch (storageOf(type)) {
      case Storage::Integer: {
        int64_t v = 0;
        if (null) {
        } else if (b.numberAsText) {
          parseNumber(cell, length, v, firstRow + r, out.info.name);
        } else if (b.cType == SQL_C_BIT) {
          v = *reinterpret_cast<const unsigned char*>(cell) != 0;
        } else {
          std::memcpy(&v, cell, sizeof v);
        }
        out.ints.push_back(v);
        break;
      }
      case Storage::Real: {
        double v = 0.0;
        if (null) {
        } else if (b.numberAsText) {
          parseNumber(cell, length, v, firstRow + r, out.info.name);
          if (type == adSingle) v = static_cast<double>(static_cast<float>(v));
        } else {
          v = realCell(cell, type, firstRow + r, out.info.name);
        }
        out.reals.push_back(v);
        break;
      }
      case Storage::Text: {
        size_t size = 0;
        if (!null) {
          const size_t room = b.cType == SQL_C_CHAR ? b.width - 1 : b.width;
          if (length == SQL_NO_TOTAL || length < 0 || static_cast<size_t>(length) > room) return false;
          size = static_cast<size_t>(length);
        }
        out.offsets.push_back(out.chars.size());
        if (type == adNumeric && !null) {
          const std::string text = decimalText(std::string(cell, size), firstRow + r, out.info.name);
          out.lengths.push_back(static_cast<uint32_t>(text.size()));
          out.chars.append(text);
        } else {
          out.lengths.push_back(static_cast<uint32_t>(size));
          out.chars.append(cell, size);
        }
        break;
      }
    }
  }
  return true;
}

// A number's text as the server wrote it: digits, or NaN, Infinity and -Infinity.
template <typename T>
void ResultReader::parseNumber(const char* cell, SQLLEN length, T& v, size_t row, const std::string& field) {
  const bool fits = length >= 0 && static_cast<size_t>(length) < kNumberTextWidth;
  const size_t size = fits ? static_cast<size_t>(length) : std::strlen(cell);
  if (fits && size > 0) {
    const auto [stop, ec] = std::from_chars(cell, cell + size, v);
    if (ec == std::errc() && stop == cell + size) return;
  }
  throw DataError(name_, "field '" + field + "', row " + std::to_string(row + 1) + ": \"" +
                             std::string(cell, size) + (fits ? "" : "...") + "\" is not a number");
}

// A decimal as the table keeps it.
std::string ResultReader::decimalText(const std::string& cell, size_t row, const std::string& field) {
  try {
    return com::Variant(cell).changeType(com::VT_DECIMAL).text();
  } catch (const com::TypeMismatch& e) {
    throw DataError(name_, "field '" + field + "', row " + std::to_string(row + 1) + ": " + e.what());
  }
}

double ResultReader::realCell(const char* cell, DataType type, size_t row, const std::string& field) {
  if (type == adSingle || type == adDouble) {
    double v;
    std::memcpy(&v, cell, sizeof v);
    return type == adSingle ? static_cast<double>(static_cast<float>(v)) : v;
  }
  SQL_TIMESTAMP_STRUCT ts;
  std::memcpy(&ts, cell, sizeof ts);
  return oleDate(ts, type, row, field);
}

double ResultReader::oleDate(const SQL_TIMESTAMP_STRUCT& ts, DataType type, size_t row, const std::string& field) {
  try {
    const int year = type == adDBTime ? 1899 : ts.year;
    const int month = type == adDBTime ? 12 : ts.month;
    const int day = type == adDBTime ? 30 : ts.day;
    return com::oleDateFromParts(year, month, day, ts.hour, ts.minute, ts.second + ts.fraction / 1e9);
  } catch (const com::TypeMismatch&) {
    throw DataError(name_, "row " + std::to_string(row + 1) + ", field '" + field +
                               "': the date is outside the years 100 to 9999");
  }
}

// ---- A row at a time: each cell read with SQLGetData, however long ----

// Reads column `col` of the current row as text or bytes; false for NULL.
bool ResultReader::getText(const Handle& stmt, SQLUSMALLINT col, SQLSMALLINT cType, std::string& out) {
  out.clear();
  char buf[8192];
  for (;;) {
    SQLLEN ind = 0;
    SQLRETURN rc = SQLGetData(stmt.get(), col, cType, buf, sizeof buf, &ind);
    if (rc == SQL_NO_DATA) return true;
    if (!ok(rc)) throwRead(stmt, col);
    if (ind == SQL_NULL_DATA) return false;
    const size_t room = cType == SQL_C_CHAR ? sizeof buf - 1 : sizeof buf;
    size_t got = (ind == SQL_NO_TOTAL || static_cast<size_t>(ind) > room) ? room : static_cast<size_t>(ind);
    out.append(buf, got);
    if (rc == SQL_SUCCESS) return true;
  }
}

void ResultReader::throwRead(const Handle& stmt, SQLUSMALLINT col) {
  throw DataError(name_, "reading row " + std::to_string(row_ + 1) + ", column " + std::to_string(col) +
                             " failed: " + diagnostics(SQL_HANDLE_STMT, stmt.get()));
}

template <typename T>
bool ResultReader::getFixed(const Handle& stmt, SQLUSMALLINT col, SQLSMALLINT cType, T& out) {
  SQLLEN ind = 0;
  if (!ok(SQLGetData(stmt.get(), col, cType, &out, sizeof out, &ind))) throwRead(stmt, col);
  return ind != SQL_NULL_DATA;
}

void ResultReader::readCell(const Handle& stmt, const Column& c, size_t col, TableBuilder& out, std::string& text) {
  const auto i = static_cast<SQLUSMALLINT>(col + 1);
  const DataType type = c.info.type;
  if (isIntegerType(type)) {
    SQLBIGINT v;
    if (getFixed(stmt, i, SQL_C_SBIGINT, v)) out.setInt64(col, v); else out.setNull(col);
  } else if (type == adSingle || type == adDouble) {
    // A real as the arrays take it: a float, infinities included.
    double v;
    if (!getFixed(stmt, i, SQL_C_DOUBLE, v)) out.setNull(col);
    else if (type == adSingle) out.setValue(col, com::Variant::single(static_cast<float>(v)));
    else out.setDouble(col, v);
  } else if (type == adBoolean) {
    unsigned char v;
    if (getFixed(stmt, i, SQL_C_BIT, v)) out.setBool(col, v != 0); else out.setNull(col);
  } else if (isDateType(type)) {
    SQL_TIMESTAMP_STRUCT ts{};
    if (getFixed(stmt, i, SQL_C_TYPE_TIMESTAMP, ts)) out.setDate(col, oleDate(ts, type, row_, c.info.name));
    else out.setNull(col);
  } else if (type == adBinary || type == adVarBinary || type == adLongVarBinary) {
    if (getText(stmt, i, SQL_C_BINARY, text)) out.setText(col, text); else out.setNull(col);
  } else {
    if (getText(stmt, i, SQL_C_CHAR, text)) out.setText(col, text); else out.setNull(col);
  }
}

std::shared_ptr<Table> ResultReader::fetchRows(const Handle& stmt, const std::vector<Column>& cols) {
  TableBuilder out(name_);
  for (const Column& c : cols) out.addField(c.info);
  std::string text;
  row_ = 0;
  for (;;) {
    if (row_ % 4096 == 0) throwIfCancelled(cancel_);
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

}  // namespace orlix::ado::odbc
