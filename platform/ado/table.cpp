#include "platform/ado/table.h"

#include <limits>

#include "platform/ado/connection_string.h"
#include "platform/ado/error.h"

namespace orlix::ado {

using com::Variant;

Storage storageOf(DataType type) {
  switch (type) {
    case adSmallInt: case adInteger: case adBigInt: case adTinyInt: case adUnsignedTinyInt:
    case adUnsignedSmallInt: case adUnsignedInt: case adUnsignedBigInt: case adBoolean:
    case adCurrency:
      return Storage::Integer;
    case adSingle: case adDouble: case adDate: case adDBDate: case adDBTime: case adDBTimeStamp:
      return Storage::Real;
    default:
      return Storage::Text;
  }
}

namespace {

// The Variant type a field's values take.
com::VarType variantTypeOf(DataType type) {
  switch (type) {
    case adSmallInt: return com::VT_I2;
    case adInteger: return com::VT_I4;
    case adBigInt: return com::VT_I8;
    case adTinyInt: return com::VT_I1;
    case adUnsignedTinyInt: return com::VT_UI1;
    case adUnsignedSmallInt: return com::VT_UI2;
    case adUnsignedInt: return com::VT_UI4;
    case adUnsignedBigInt: return com::VT_UI8;
    case adBoolean: return com::VT_BOOL;
    case adCurrency: return com::VT_CY;
    case adSingle: return com::VT_R4;
    case adDouble: return com::VT_R8;
    case adDate: case adDBDate: case adDBTime: case adDBTimeStamp: return com::VT_DATE;
    case adDecimal: case adNumeric: case adVarNumeric: return com::VT_DECIMAL;
    default: return com::VT_BSTR;
  }
}

bool inRange(DataType type, int64_t v) {
  switch (type) {
    case adSmallInt: return v >= INT16_MIN && v <= INT16_MAX;
    case adInteger: return v >= INT32_MIN && v <= INT32_MAX;
    case adTinyInt: return v >= INT8_MIN && v <= INT8_MAX;
    case adUnsignedTinyInt: return v >= 0 && v <= UINT8_MAX;
    case adUnsignedSmallInt: return v >= 0 && v <= UINT16_MAX;
    case adUnsignedInt: return v >= 0 && v <= UINT32_MAX;
    case adUnsignedBigInt: return v >= 0;
    default: return true;
  }
}

}  // namespace

Table::Table(std::string sourceName) : sourceName_(std::move(sourceName)) {}

const FieldInfo& Table::field(size_t col) const {
  if (col >= columns_.size())
    throw DataError(sourceName_, "no field at position " + std::to_string(col) + " (the table has " +
                                     std::to_string(columns_.size()) + ")");
  return columns_[col].info;
}

size_t Table::findField(std::string_view name) const {
  for (size_t i = 0; i < columns_.size(); ++i)
    if (equalsIgnoreCase(columns_[i].info.name, name)) return i;
  return npos;
}

std::shared_ptr<Table> Table::fromColumns(std::string sourceName, std::vector<ColumnData> columns,
                                          size_t rows) {
  auto table = std::make_shared<Table>(std::move(sourceName));
  for (ColumnData& data : columns) {
    Column c;
    static_cast<ColumnData&>(c) = std::move(data);
    c.storage = storageOf(c.info.type);
    bool sized = c.nulls.size() == rows;
    switch (c.storage) {
      case Storage::Integer: sized = sized && c.ints.size() == rows; break;
      case Storage::Real: sized = sized && c.reals.size() == rows; break;
      case Storage::Text:
        sized = sized && c.offsets.size() == rows && c.lengths.size() == rows;
        for (size_t i = 0; sized && i < rows; ++i)
          sized = c.offsets[i] + c.lengths[i] <= c.chars.size();
        break;
    }
    if (!sized)
      throw DataError(table->sourceName_, "field '" + c.info.name + "' does not hold " +
                                              std::to_string(rows) + " rows");
    table->columns_.push_back(std::move(c));
  }
  table->rows_ = rows;
  table->status_.assign(rows, RowStatus::Unchanged);
  return table;
}

std::vector<Table::ColumnData> Table::releaseColumns() {
  std::vector<ColumnData> out;
  out.reserve(columns_.size());
  for (Column& c : columns_) out.push_back(std::move(static_cast<ColumnData&>(c)));
  columns_.clear();
  status_.clear();
  rows_ = 0;
  return out;
}

size_t Table::appendField(FieldInfo info) {
  Column c;
  c.storage = storageOf(info.type);
  c.info = std::move(info);
  c.nulls.assign(rows_, true);
  switch (c.storage) {
    case Storage::Integer: c.ints.assign(rows_, 0); break;
    case Storage::Real: c.reals.assign(rows_, 0); break;
    case Storage::Text:
      c.offsets.assign(rows_, 0);
      c.lengths.assign(rows_, 0);
      break;
  }
  columns_.push_back(std::move(c));
  return columns_.size() - 1;
}

size_t Table::appendRow() {
  for (Column& c : columns_) {
    c.nulls.push_back(true);
    switch (c.storage) {
      case Storage::Integer: c.ints.push_back(0); break;
      case Storage::Real: c.reals.push_back(0); break;
      case Storage::Text:
        c.offsets.push_back(0);
        c.lengths.push_back(0);
        break;
    }
  }
  status_.push_back(RowStatus::Unchanged);
  return rows_++;
}

void Table::reserveRows(size_t rows) {
  for (Column& c : columns_) {
    c.nulls.reserve(rows);
    switch (c.storage) {
      case Storage::Integer: c.ints.reserve(rows); break;
      case Storage::Real: c.reals.reserve(rows); break;
      case Storage::Text:
        c.offsets.reserve(rows);
        c.lengths.reserve(rows);
        break;
    }
  }
  status_.reserve(rows);
}

Table::Column& Table::column(size_t row, size_t col) {
  if (col >= columns_.size()) field(col);  // throws
  if (row >= rows_)
    throw DataError(sourceName_, "no row " + std::to_string(row + 1) + " (the table has " +
                                     std::to_string(rows_) + ")");
  return columns_[col];
}

void Table::fail(size_t row, size_t col, const std::string& message) const {
  throw DataError(sourceName_, "field '" + columns_[col].info.name + "', row " +
                                   std::to_string(row + 1) + ": " + message);
}

void Table::setNull(size_t row, size_t col) {
  Column& c = column(row, col);
  c.nulls[row] = true;
  if (c.storage == Storage::Text) c.lengths[row] = 0;
}

void Table::storeInteger(size_t row, size_t col, int64_t v) {
  Column& c = columns_[col];
  if (!inRange(c.info.type, v))
    fail(row, col, std::to_string(v) + " is out of range for " + dataTypeName(c.info.type));
  c.ints[row] = v;
  c.nulls[row] = false;
}

void Table::setInt64(size_t row, size_t col, int64_t v) {
  Column& c = column(row, col);
  if (c.storage == Storage::Integer && c.info.type != adCurrency && c.info.type != adBoolean)
    return storeInteger(row, col, v);
  setValue(row, col, Variant::int64(v));
}

void Table::setDouble(size_t row, size_t col, double v) {
  Column& c = column(row, col);
  if (c.info.type == adDouble) {
    c.reals[row] = v;
    c.nulls[row] = false;
    return;
  }
  setValue(row, col, Variant(v));
}

void Table::setText(size_t row, size_t col, std::string_view v) {
  Column& c = column(row, col);
  if (c.storage != Storage::Text || variantTypeOf(c.info.type) == com::VT_DECIMAL)
    return setValue(row, col, Variant(std::string(v)));
  if (v.size() > std::numeric_limits<uint32_t>::max()) fail(row, col, "text longer than 4 GiB");
  c.offsets[row] = c.chars.size();
  c.lengths[row] = static_cast<uint32_t>(v.size());
  c.chars.append(v);
  c.nulls[row] = false;
}

void Table::setBool(size_t row, size_t col, bool v) {
  Column& c = column(row, col);
  if (c.info.type != adBoolean) return setValue(row, col, Variant(v));
  c.ints[row] = v ? 1 : 0;
  c.nulls[row] = false;
}

void Table::setDate(size_t row, size_t col, double oleDate) {
  Column& c = column(row, col);
  if (c.storage != Storage::Real || c.info.type == adSingle || c.info.type == adDouble)
    return setValue(row, col, Variant::date(oleDate));
  c.reals[row] = oleDate;
  c.nulls[row] = false;
}

void Table::setCurrency(size_t row, size_t col, int64_t scaled) {
  Column& c = column(row, col);
  if (c.info.type != adCurrency) return setValue(row, col, Variant::currency(scaled));
  c.ints[row] = scaled;
  c.nulls[row] = false;
}

void Table::setDecimal(size_t row, size_t col, std::string_view text) {
  Variant v;
  try {
    v = Variant::decimal(text);
  } catch (const com::TypeMismatch& e) {
    column(row, col);
    fail(row, col, e.what());
  }
  setValue(row, col, v);
}

void Table::setValue(size_t row, size_t col, const Variant& v) {
  Column& c = column(row, col);
  if (v.isNull() || v.isEmpty()) return setNull(row, col);
  Variant converted;
  try {
    converted = v.changeType(variantTypeOf(c.info.type));
  } catch (const com::TypeMismatch& e) {
    fail(row, col, e.what());
  }
  switch (c.storage) {
    case Storage::Integer:
      if (c.info.type == adBoolean)
        c.ints[row] = converted.integerBits() ? 1 : 0;
      else
        c.ints[row] = converted.integerBits();
      break;
    case Storage::Real:
      c.reals[row] = converted.realBits();
      break;
    case Storage::Text: {
      const std::string& s = converted.text();
      if (s.size() > std::numeric_limits<uint32_t>::max()) fail(row, col, "text longer than 4 GiB");
      c.offsets[row] = c.chars.size();
      c.lengths[row] = static_cast<uint32_t>(s.size());
      c.chars.append(s);
      break;
    }
  }
  c.nulls[row] = false;
}

bool Table::isNull(size_t row, size_t col) const {
  return const_cast<Table*>(this)->column(row, col).nulls[row];
}

Variant Table::value(size_t row, size_t col) const {
  return valueOf(const_cast<Table*>(this)->column(row, col), row);
}

Variant Table::valueOf(const ColumnData& c, size_t row) {
  if (c.nulls[row]) return Variant::null();
  auto text = [&] { return std::string_view(c.chars).substr(c.offsets[row], c.lengths[row]); };
  switch (variantTypeOf(c.info.type)) {
    case com::VT_I2: return Variant::int16(static_cast<int16_t>(c.ints[row]));
    case com::VT_I4: return Variant(static_cast<int32_t>(c.ints[row]));
    case com::VT_I8: return Variant::int64(c.ints[row]);
    case com::VT_I1: return Variant::int8(static_cast<int8_t>(c.ints[row]));
    case com::VT_UI1: return Variant::uint8(static_cast<uint8_t>(c.ints[row]));
    case com::VT_UI2: return Variant::uint16(static_cast<uint16_t>(c.ints[row]));
    case com::VT_UI4: return Variant::uint32(static_cast<uint32_t>(c.ints[row]));
    case com::VT_UI8: return Variant::uint64(static_cast<uint64_t>(c.ints[row]));
    case com::VT_BOOL: return Variant(c.ints[row] != 0);
    case com::VT_CY: return Variant::currency(c.ints[row]);
    case com::VT_R4: return Variant::single(static_cast<float>(c.reals[row]));
    case com::VT_R8: return Variant(c.reals[row]);
    case com::VT_DATE: return Variant::date(c.reals[row]);
    case com::VT_DECIMAL: return Variant::decimal(text());
    default: return Variant(std::string(text()));
  }
}

int64_t Table::integerAt(size_t row, size_t col) const { return columns_[col].ints[row]; }
double Table::realAt(size_t row, size_t col) const { return columns_[col].reals[row]; }
std::string_view Table::textAt(size_t row, size_t col) const {
  const Column& c = columns_[col];
  return std::string_view(c.chars).substr(c.offsets[row], c.lengths[row]);
}

RowStatus Table::rowStatus(size_t row) const { return status_.at(row); }
void Table::setRowStatus(size_t row, RowStatus status) { status_.at(row) = status; }

size_t Table::memoryBytes() const {
  size_t bytes = status_.capacity();
  for (const Column& c : columns_)
    bytes += c.nulls.capacity() / 8 + c.ints.capacity() * 8 + c.reals.capacity() * 8 +
             c.offsets.capacity() * 8 + c.lengths.capacity() * 4 + c.chars.capacity();
  return bytes;
}

TableBuilder::TableBuilder(std::string sourceName)
    : table_(std::make_shared<Table>(std::move(sourceName))) {}

size_t TableBuilder::addField(std::string name, DataType type, long definedSize, long attributes) {
  FieldInfo info;
  info.name = std::move(name);
  info.type = type;
  info.definedSize = definedSize;
  info.attributes = attributes;
  return table_->appendField(std::move(info));
}

std::shared_ptr<Table> TableBuilder::finish() {
  auto done = std::move(table_);
  table_ = std::make_shared<Table>(done->sourceName());
  row_ = 0;
  return done;
}

}  // namespace orlix::ado
