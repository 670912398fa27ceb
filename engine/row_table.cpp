#include "engine/row_table.h"

#include <limits>
#include <stdexcept>

namespace orlix::engine {

std::uint32_t RowTable::Column::Intern(std::string_view text) {
  auto [it, inserted] = codes.try_emplace(std::string(text), static_cast<std::uint32_t>(strings.size()));
  if (inserted) strings.emplace_back(text);
  return it->second;
}

void RowTable::Reset(int columns) {
  if (columns < 0) throw std::invalid_argument("RowTable: negative column count");
  columns_.clear();
  columns_.resize(static_cast<std::size_t>(columns));
  rows_ = 0;
  cellsInRow_ = 0;
}

void RowTable::Reserve(int rows) {
  for (Column& c : columns_) {
    c.types.reserve(static_cast<std::size_t>(rows));
    c.values.reserve(static_cast<std::size_t>(rows));
  }
}

std::size_t RowTable::MemoryBytes() const {
  std::size_t bytes = 0;
  for (const Column& c : columns_) {
    bytes += c.types.capacity() * sizeof(CellType) + c.values.capacity() * sizeof(double);
    for (const std::string& text : c.strings) bytes += sizeof(std::string) + text.capacity();
    bytes += c.codes.size() * (sizeof(std::string) + sizeof(std::uint32_t) + 2 * sizeof(void*));
  }
  return bytes;
}

RowTable::Column& RowTable::NextColumn() {
  if (cellsInRow_ >= ColumnCount()) {
    throw std::invalid_argument("RowTable: row " + std::to_string(rows_ + 1) + " has more than " +
                                std::to_string(ColumnCount()) + " cells");
  }
  if (rows_ == std::numeric_limits<int>::max()) throw std::length_error("RowTable: too many rows");
  return columns_[static_cast<std::size_t>(cellsInRow_++)];
}

void RowTable::AppendInt32(std::int32_t value) {
  Column& c = NextColumn();
  c.types.push_back(CellType::Int32);
  c.values.push_back(value);
}

void RowTable::AppendFloat(float value) {
  Column& c = NextColumn();
  c.types.push_back(CellType::Float);
  c.values.push_back(value);
}

void RowTable::AppendDouble(double value) {
  Column& c = NextColumn();
  c.types.push_back(CellType::Double);
  c.values.push_back(value);
}

void RowTable::AppendString(std::string_view value) {
  Column& c = NextColumn();
  c.types.push_back(CellType::String);
  c.values.push_back(c.Intern(value));
}

void RowTable::AppendEmpty() {
  Column& c = NextColumn();
  c.types.push_back(CellType::Empty);
  c.values.push_back(0);
}

void RowTable::EndRow() {
  if (cellsInRow_ != ColumnCount()) {
    const int missing = ColumnCount() - cellsInRow_;
    // Drop the partial row so the table stays rectangular.
    for (int c = 0; c < cellsInRow_; ++c) {
      columns_[c].types.pop_back();
      columns_[c].values.pop_back();
    }
    cellsInRow_ = 0;
    throw std::invalid_argument("RowTable: row " + std::to_string(rows_ + 1) + " lacks " +
                                std::to_string(missing) + " of its " + std::to_string(ColumnCount()) +
                                " cells");
  }
  cellsInRow_ = 0;
  ++rows_;
}

void RowTable::Assign(std::vector<ColumnCells> columns) {
  const std::size_t rows = columns.empty() ? 0 : columns[0].types.size();
  if (rows > static_cast<std::size_t>(std::numeric_limits<int>::max())) throw std::length_error("RowTable: too many rows");
  std::vector<Column> filled(columns.size());
  for (std::size_t c = 0; c < columns.size(); ++c) {
    ColumnCells& cells = columns[c];
    if (cells.types.size() != rows || cells.values.size() != rows) {
      throw std::invalid_argument("RowTable: column " + std::to_string(c + 1) + " has " +
                                  std::to_string(cells.types.size()) + " cells, column 1 has " + std::to_string(rows));
    }
    Column& column = filled[c];
    for (std::size_t r = 0; r < rows; ++r) {
      if (cells.types[r] == CellType::String && !(cells.values[r] >= 0 && cells.values[r] < cells.strings.size())) {
        throw std::invalid_argument("RowTable: row " + std::to_string(r + 1) + ", column " + std::to_string(c + 1) +
                                    " names no string");
      }
    }
    for (std::uint32_t code = 0; code < cells.strings.size(); ++code) {
      if (!column.codes.try_emplace(cells.strings[code], code).second) {
        throw std::invalid_argument("RowTable: column " + std::to_string(c + 1) + " holds the string \"" +
                                    cells.strings[code] + "\" twice");
      }
    }
    column.types = std::move(cells.types);
    column.values = std::move(cells.values);
    column.strings = std::move(cells.strings);
  }
  columns_ = std::move(filled);
  rows_ = static_cast<int>(rows);
  cellsInRow_ = 0;
}

void RowTable::CheckCell(int row, int column) const {
  if (row < 0 || row >= rows_ || column < 0 || column >= ColumnCount()) {
    throw std::out_of_range("RowTable: no cell at row " + std::to_string(row + 1) + ", column " +
                            std::to_string(column + 1));
  }
}

Cell RowTable::GetCell(int row, int column) const {
  CheckCell(row, column);
  const Column& c = columns_[column];
  Cell cell;
  cell.type = c.types[row];
  if (cell.type == CellType::String) {
    cell.text = c.strings[static_cast<std::uint32_t>(c.values[row])];
  } else if (cell.type != CellType::Empty) {
    cell.number = c.values[row];
  }
  return cell;
}

void RowTable::SetDouble(int row, int column, double value) {
  CheckCell(row, column);
  columns_[column].types[row] = CellType::Double;
  columns_[column].values[row] = value;
}

void RowTable::SetString(int row, int column, std::string_view value) {
  CheckCell(row, column);
  Column& c = columns_[column];
  c.types[row] = CellType::String;
  c.values[row] = c.Intern(value);
}

RowTable& GlobalRowTable() {
  static RowTable table;
  return table;
}

}  // namespace orlix::engine
