// The cells of one spreadsheet, as the Excel readers (.xls and .xlsx) collect
// them, and the table found in them: its header row, its fields and their types.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ado/files/file_table.h"

namespace orlix::ado {

struct SheetCell {
  enum Kind : std::uint8_t { kEmpty, kNumber, kDate, kBool, kText, kError };
  Kind kind = kEmpty;
  double number = 0;  // kNumber; kDate as days since 1899-12-30; kBool as 0 or 1
  std::string text;   // kText, UTF-8
};

// A cell as the grid holds it; `text` points into the grid.
struct SheetCellView {
  SheetCell::Kind kind = SheetCell::kEmpty;
  double number = 0;
  std::string_view text;
};

// The cells of a sheet, 16 bytes each and their texts in one buffer, so that
// a sheet of a million rows fits in memory; no cell is an object of its own.
// A cell set twice keeps the later value.
class SheetGrid {
 public:
  static constexpr int kMaxRows = 1048576;
  static constexpr int kMaxColumns = 16384;

  // Places a cell; throws DataError naming `path` outside the sheet's limits.
  void Set(int row, int column, SheetCell cell, const std::string& path);
  // The same for a number (kNumber, kDate, kBool), an error or an empty cell.
  void SetValue(int row, int column, SheetCell::Kind kind, double number, const std::string& path);
  void SetText(int row, int column, std::string_view text, const std::string& path);
  // A text kept once for many cells (a workbook's shared strings): its number.
  std::uint32_t AddString(std::string_view text);
  // A cell holding the text AddString numbered `id`.
  void SetString(int row, int column, std::uint32_t id, const std::string& path);
  // Room for this many cells, so that a large sheet is not copied as it grows.
  void Reserve(std::size_t cells) { cells_.reserve(cells); }

  int RowCount() const;
  int ColumnCount(int row) const;
  SheetCellView At(int row, int column) const;

 private:
  struct Stored {
    std::uint32_t row;
    std::uint16_t column;
    SheetCell::Kind kind;
    union {
      double number;
      std::uint32_t text;
    };
  };
  void Place(int row, int column, const std::string& path);
  // Sorts the cells by row and column once they are all placed, keeping the
  // later of two for one place, and finds where each row starts.
  void Index() const;
  std::string_view Text(std::uint32_t id) const;

  mutable std::vector<Stored> cells_;
  mutable std::vector<std::uint64_t> rowStarts_;  // rows + 1 entries once indexed
  mutable bool sorted_ = true;                     // by row and column, each place once
  std::string chars_;
  std::vector<std::uint64_t> textStarts_;  // text i is chars_[textStarts_[i], textStarts_[i + 1])
};

// Finds the table in `grid` and hands it to `sink`. The header is the fullest row
// above the first row holding a number, date or truth value, so notes above a
// table are skipped; when there were such notes, trailing rows that fill less
// than half of the header's columns are taken for notes below it too;
// empty header cells are named F1, F2, ... by column. A column of numbers only is
// adDouble, of dates adDate, of truth values adBoolean; text or a mix is adVarWChar
// (numbers, dates and truth values written as text). Empty and error cells are NULL.
// Throws DataError naming `path` and `sheet` when the sheet holds nothing.
void EmitSheetTable(const SheetGrid& grid, const std::string& path, const std::string& sheet,
                    FileTableSink& sink);

}  // namespace orlix::ado
