// RowTable: the process-wide analysis table, one typed cell per row and column,
// the target in the last column. The component layer fills it row by row or a
// whole column at a time; the engine reads it and rewrites cells in place (numbers to doubles, decile numbers).
// Misuse (a row with the wrong number of cells, a cell out of range) throws
// std::invalid_argument or std::out_of_range with a message naming row and column.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace orlix::engine {

// The automation type codes of the cells the engine handles.
enum class CellType : std::uint8_t { Empty = 0, Int32 = 3, Float = 4, Double = 5, String = 8 };

// One cell read back: its type and its value (number for 3/4/5, text for 8).
// text points into the table and stays valid until the table is reset.
struct Cell {
  CellType type = CellType::Empty;
  double number = 0;
  std::string_view text;
};

class RowTable {
 public:
  // Empties the table and fixes its number of columns.
  void Reset(int columns);

  int ColumnCount() const { return static_cast<int>(columns_.size()); }
  // Number of complete rows.
  int RowCount() const { return rows_; }

  // Fill API: the cells of one row in column order, then EndRow.
  void AppendInt32(std::int32_t value);
  void AppendFloat(float value);
  void AppendDouble(double value);
  void AppendString(std::string_view value);
  void AppendEmpty();
  void EndRow();

  // Whole columns at once, for loaders that convert a source column by column:
  // a column's type-8 cells hold indexes into its strings, which are distinct.
  struct ColumnCells {
    std::vector<CellType> types;
    std::vector<double> values;
    std::vector<std::string> strings;
  };
  // Replaces the table by these columns, taken over; all hold the same number
  // of cells. Throws std::invalid_argument when they do not, when a string
  // code has no string, or when a string repeats.
  void Assign(std::vector<ColumnCells> columns);

  Cell GetCell(int row, int column) const;
  CellType TypeAt(int row, int column) const { return columns_[column].types[row]; }
  // Numeric value of a type 3/4/5 cell (unchecked, for the engine's inner loops).
  double NumberAt(int row, int column) const { return columns_[column].values[row]; }
  // All value slots of a column (numbers; string codes for type-8 cells), for
  // passes that have checked the types already.
  const std::vector<double>& ColumnValues(int column) const { return columns_[column].values; }
  // Room for rows, so a large fill does not reallocate.
  void Reserve(int rows);
  // Bytes the table holds (cells and distinct strings).
  std::size_t MemoryBytes() const;

  // In-place rewrites done by the engine.
  void SetDouble(int row, int column, double value);
  void SetString(int row, int column, std::string_view value);

  // Distinct strings of a column, indexed by string code; StringCodeAt gives
  // the code of a type-8 cell.
  const std::vector<std::string>& ColumnStrings(int column) const {
    return columns_[column].strings;
  }
  std::uint32_t StringCodeAt(int row, int column) const {
    return static_cast<std::uint32_t>(columns_[column].values[row]);
  }

 private:
  struct Column {
    std::vector<CellType> types;
    std::vector<double> values;  // the number, or the string code of a type-8 cell
    std::vector<std::string> strings;
    std::unordered_map<std::string, std::uint32_t> codes;
    std::uint32_t Intern(std::string_view text);
  };
  Column& NextColumn();
  void CheckCell(int row, int column) const;

  std::vector<Column> columns_;
  int rows_ = 0;
  int cellsInRow_ = 0;
};

// The one process-wide table the component layer fills and the engines read.
RowTable& GlobalRowTable();

}  // namespace orlix::engine
