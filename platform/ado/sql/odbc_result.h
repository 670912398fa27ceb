// Reading an ODBC statement's result into a table's columns: in blocks of
// rows with every column bound to an array, or a row at a time with
// SQLGetData where a text cell is too long for the arrays.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/ado/cancel.h"
#include "platform/ado/sql/odbc_handle.h"
#include "platform/ado/table.h"

namespace orlix::ado::odbc {

// A result column: its ODBC type and the field the table gets.
struct Column {
  SQLSMALLINT sqlType = 0;
  FieldInfo info;
};

// Reads one statement's result; `sourceName` names the source in errors, and
// a raised `cancel` stops the read between blocks of rows.
class ResultReader {
 public:
  // `numbersAsText`: numbers are fetched as the server's text and parsed
  // here (for a server that sends text, shortest and round-trip exact).
  ResultReader(std::string sourceName, CancelFlag cancel, bool numbersAsText)
      : name_(std::move(sourceName)), cancel_(cancel), numbersAsText_(numbersAsText) {}

  std::vector<Column> describeColumns(const Handle& stmt);
  // The result's columns and their number of `rows`; none when a text cell
  // was longer than its array's cells.
  std::optional<std::vector<Table::ColumnData>> fetchColumns(const Handle& stmt, const std::vector<Column>& cols,
                                                             size_t& rows);
  // A row at a time: each cell read with SQLGetData, however long.
  std::shared_ptr<Table> fetchRows(const Handle& stmt, const std::vector<Column>& cols);
  // Reads column `col` of the current row as text or bytes; false for NULL.
  bool getText(const Handle& stmt, SQLUSMALLINT col, SQLSMALLINT cType, std::string& out);

 private:
  // How a column is fetched into an array: the C type and the bytes of one cell.
  struct BoundColumn {
    SQLSMALLINT cType = SQL_C_CHAR;
    size_t width = 0;
    bool numberAsText = false;  // a number fetched as the server's text, parsed here
    std::vector<char> cells;
    std::vector<SQLLEN> lengths;
  };

  BoundColumn bindingFor(const Column& c) const;
  bool appendBlock(const BoundColumn& b, size_t rows, size_t firstRow, Table::ColumnData& out);
  template <typename T>
  void parseNumber(const char* cell, SQLLEN length, T& v, size_t row, const std::string& field);
  std::string decimalText(const std::string& cell, size_t row, const std::string& field);
  double realCell(const char* cell, DataType type, size_t row, const std::string& field);
  double oleDate(const SQL_TIMESTAMP_STRUCT& ts, DataType type, size_t row, const std::string& field);
  [[noreturn]] void throwRead(const Handle& stmt, SQLUSMALLINT col);
  template <typename T>
  bool getFixed(const Handle& stmt, SQLUSMALLINT col, SQLSMALLINT cType, T& out);
  void readCell(const Handle& stmt, const Column& c, size_t col, TableBuilder& out, std::string& text);

  std::string name_;
  CancelFlag cancel_;
  bool numbersAsText_;
  size_t row_ = 0;  // of the row read a row at a time
};

}  // namespace orlix::ado::odbc
