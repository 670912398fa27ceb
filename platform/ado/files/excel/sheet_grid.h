// The cells of one spreadsheet, as the Excel readers (.xls and .xlsx) collect
// them, and the table found in them: its header row, its fields and their types.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/ado/files/file_table.h"

namespace orlix::ado {

struct SheetCell {
  enum Kind : std::uint8_t { kEmpty, kNumber, kDate, kBool, kText, kError };
  Kind kind = kEmpty;
  double number = 0;  // kNumber; kDate as days since 1899-12-30; kBool as 0 or 1
  std::string text;   // kText, UTF-8
};

class SheetGrid {
 public:
  static constexpr int kMaxRows = 1048576;
  static constexpr int kMaxColumns = 16384;

  // Places a cell; throws DataError naming `path` outside the sheet's limits.
  void Set(int row, int column, SheetCell cell, const std::string& path);
  int RowCount() const { return static_cast<int>(rows_.size()); }
  int ColumnCount(int row) const { return static_cast<int>(rows_[row].size()); }
  const SheetCell& At(int row, int column) const;

 private:
  std::vector<std::vector<SheetCell>> rows_;
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
