// Table: the compact in-memory store behind every record set. Cells are kept
// column by column in typed arrays (64-bit integers, doubles, or text in one
// character buffer per column) with a null bit per cell: no heap object per
// cell. Shared between a record set and its clones through shared_ptr.
// Setters check the value against the field's type and throw DataError naming
// the source, field and row.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ado/constants.h"
#include "platform/com/variant.h"

namespace orlix::ado {

// One field's description as ADO reports it.
struct FieldInfo {
  std::string name;
  DataType type = adVarWChar;
  long definedSize = 0;
  long attributes = adFldUnspecified;
  int precision = 0;  // numeric precision where the source gives one
  int scale = 0;      // numeric scale where the source gives one
};

// How a field's cells are stored: integers (all integer types, booleans as
// 0/1, currency scaled by 10,000), doubles (singles, doubles, dates as OLE
// dates) or text (strings, decimals and numerics as decimal text, GUIDs).
enum class Storage { Integer, Real, Text };
Storage storageOf(DataType type);

// Row states a disconnected record set keeps for persistence: rows added by
// AddNew/Update and never batch-updated are saved as pending inserts.
enum class RowStatus : uint8_t { Unchanged = 0, Inserted = 1 };

class Table {
 public:
  // `sourceName` names the data source in error messages (a file, a query).
  explicit Table(std::string sourceName = {});

  const std::string& sourceName() const { return sourceName_; }
  size_t fieldCount() const { return columns_.size(); }
  size_t rowCount() const { return rows_; }
  const FieldInfo& field(size_t col) const;
  // Position of the field called `name`, ignoring ASCII case; npos when none.
  size_t findField(std::string_view name) const;
  static constexpr size_t npos = static_cast<size_t>(-1);

  // Adds a field; rows already present get NULL in it. Returns its position.
  size_t appendField(FieldInfo info);
  // Adds a row whose every cell is NULL; returns its index.
  size_t appendRow();
  void reserveRows(size_t rows);

  // Typed setters. A value of another storage kind is converted as a
  // Field.Value assignment would convert it (DataError if it cannot be).
  void setNull(size_t row, size_t col);
  void setInt32(size_t row, size_t col, int32_t v) { setInt64(row, col, v); }
  void setInt64(size_t row, size_t col, int64_t v);
  void setDouble(size_t row, size_t col, double v);
  void setText(size_t row, size_t col, std::string_view v);
  void setBool(size_t row, size_t col, bool v);
  void setDate(size_t row, size_t col, double oleDate);
  void setCurrency(size_t row, size_t col, int64_t scaledBy10000);
  void setDecimal(size_t row, size_t col, std::string_view decimalText);
  // Converts `v` to the field's type; EMPTY and NULL store NULL.
  void setValue(size_t row, size_t col, const com::Variant& v);

  bool isNull(size_t row, size_t col) const;
  // The cell as the Variant type of the field's data type (NULL when null).
  com::Variant value(size_t row, size_t col) const;
  // Raw cells for fast readers; valid for the matching storage kind only.
  int64_t integerAt(size_t row, size_t col) const;
  double realAt(size_t row, size_t col) const;
  std::string_view textAt(size_t row, size_t col) const;

  RowStatus rowStatus(size_t row) const;
  void setRowStatus(size_t row, RowStatus status);

  // Bytes held by the cell arrays (for benchmarks and memory checks).
  size_t memoryBytes() const;

  // Whole columns, for readers that build a column at once (the CSV reader).
  // Each array of the field's storage kind holds one entry per row; text
  // cell i is chars.substr(offsets[i], lengths[i]).
  struct ColumnData {
    FieldInfo info;
    std::vector<bool> nulls;
    std::vector<int64_t> ints;      // Storage::Integer
    std::vector<double> reals;      // Storage::Real
    std::vector<uint64_t> offsets;  // Storage::Text
    std::vector<uint32_t> lengths;  // Storage::Text
    std::string chars;              // Storage::Text
  };
  // Takes the columns over; throws DataError if an array does not hold `rows` entries.
  static std::shared_ptr<Table> fromColumns(std::string sourceName, std::vector<ColumnData> columns,
                                            size_t rows);
  // Hands every column over, leaving the table with no field and no row: for
  // the sole owner of a table that converts its cells and frees each column
  // as soon as it is done with it.
  std::vector<ColumnData> releaseColumns();
  // Cell `row` of a column handed over, as value() gives it.
  static com::Variant valueOf(const ColumnData& column, size_t row);

 private:
  struct Column : ColumnData {
    Storage storage = Storage::Text;
  };

  Column& column(size_t row, size_t col);
  [[noreturn]] void fail(size_t row, size_t col, const std::string& message) const;
  void storeInteger(size_t row, size_t col, int64_t v);

  std::string sourceName_;
  std::vector<Column> columns_;
  std::vector<RowStatus> status_;
  size_t rows_ = 0;
};

// Builds a table row by row: the API the providers fill. Each set* call
// writes into the current row (the one the last addRow made).
class TableBuilder {
 public:
  explicit TableBuilder(std::string sourceName);

  size_t addField(std::string name, DataType type, long definedSize,
                  long attributes = adFldUnspecified);
  size_t addField(FieldInfo info) { return table_->appendField(std::move(info)); }
  void addRow() { row_ = table_->appendRow(); }
  void reserveRows(size_t rows) { table_->reserveRows(rows); }

  void setNull(size_t col) { table_->setNull(row_, col); }
  void setInt32(size_t col, int32_t v) { table_->setInt64(row_, col, v); }
  void setInt64(size_t col, int64_t v) { table_->setInt64(row_, col, v); }
  void setDouble(size_t col, double v) { table_->setDouble(row_, col, v); }
  void setText(size_t col, std::string_view v) { table_->setText(row_, col, v); }
  void setBool(size_t col, bool v) { table_->setBool(row_, col, v); }
  void setDate(size_t col, double oleDate) { table_->setDate(row_, col, oleDate); }
  void setCurrency(size_t col, int64_t scaled) { table_->setCurrency(row_, col, scaled); }
  void setDecimal(size_t col, std::string_view text) { table_->setDecimal(row_, col, text); }
  void setValue(size_t col, const com::Variant& v) { table_->setValue(row_, col, v); }

  size_t fieldCount() const { return table_->fieldCount(); }
  size_t rowCount() const { return table_->rowCount(); }
  // Hands the table over; the builder is empty afterwards.
  std::shared_ptr<Table> finish();

 private:
  std::shared_ptr<Table> table_;
  size_t row_ = 0;
};

}  // namespace orlix::ado
