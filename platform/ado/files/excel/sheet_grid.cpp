#include "platform/ado/files/excel/sheet_grid.h"

#include <algorithm>
#include <charconv>

#include "platform/ado/field_names.h"
#include "platform/com/ole_date.h"

namespace orlix::ado {

namespace {

bool Filled(const SheetCell& c) { return c.kind != SheetCell::kEmpty && !(c.kind == SheetCell::kText && c.text.empty()); }
bool IsValue(const SheetCell& c) {
  return c.kind == SheetCell::kNumber || c.kind == SheetCell::kDate || c.kind == SheetCell::kBool;
}

std::string NumberText(double value) {
  char buffer[32];
  auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, end);
}

std::string CellText(const SheetCell& c) {
  switch (c.kind) {
    case SheetCell::kNumber: return NumberText(c.number);
    case SheetCell::kDate: return com::isOleDateInRange(c.number) ? com::formatOleDate(c.number) : "";
    case SheetCell::kBool: return c.number != 0 ? "TRUE" : "FALSE";
    default: return c.text;
  }
}

struct TableArea {
  int header = -1;
  int first_row = 0;  // data rows [first_row, end_row)
  int end_row = 0;
  int first_column = 0;
  int end_column = 0;
};

int FilledCount(const SheetGrid& grid, int row) {
  int n = 0;
  for (int c = 0; c < grid.ColumnCount(row); ++c) n += Filled(grid.At(row, c));
  return n;
}

TableArea FindTable(const SheetGrid& grid) {
  TableArea area;
  std::vector<int> counts(grid.RowCount());
  int first_used = -1, last_used = -1, first_value = -1;
  for (int r = 0; r < grid.RowCount(); ++r) {
    counts[r] = FilledCount(grid, r);
    if (counts[r] == 0) continue;
    if (first_used < 0) first_used = r;
    last_used = r;
    if (first_value < 0)
      for (int c = 0; c < grid.ColumnCount(r); ++c)
        if (IsValue(grid.At(r, c))) { first_value = r; break; }
  }
  if (first_used < 0) return area;
  area.header = first_used;
  for (int r = first_used; r < first_value; ++r)
    if (counts[r] > counts[area.header]) area.header = r;
  area.first_row = area.header + 1;
  area.end_row = last_used + 1;
  // Notes above the table suggest notes below it: trailing rows that fill less
  // than half of the header's columns.
  auto under_header = [&](int r) {
    int n = 0;
    for (int c = 0; c < grid.ColumnCount(r); ++c) n += Filled(grid.At(r, c)) && Filled(grid.At(area.header, c));
    return n;
  };
  if (area.header > first_used)
    while (area.end_row > area.first_row && under_header(area.end_row - 1) * 2 < counts[area.header]) --area.end_row;
  area.first_column = grid.ColumnCount(area.header);
  for (int r = area.header; r < area.end_row; ++r)
    for (int c = 0; c < grid.ColumnCount(r); ++c)
      if (Filled(grid.At(r, c))) {
        area.first_column = std::min(area.first_column, c);
        area.end_column = std::max(area.end_column, c + 1);
      }
  return area;
}

int ColumnType(const SheetGrid& grid, const TableArea& area, int column) {
  int kinds = 0;
  for (int r = area.first_row; r < area.end_row; ++r) {
    const SheetCell& c = grid.At(r, column);
    if (Filled(c) && c.kind != SheetCell::kError) kinds |= 1 << c.kind;
  }
  if (kinds == 1 << SheetCell::kNumber) return kFileDouble;
  if (kinds == 1 << SheetCell::kDate) return kFileDate;
  if (kinds == 1 << SheetCell::kBool) return kFileBoolean;
  return kFileVarWChar;
}

FileCell CellValue(const SheetCell& c, int type) {
  if (!Filled(c) || c.kind == SheetCell::kError) return std::monostate{};
  switch (type) {
    case kFileDouble:
    case kFileDate: return c.number;
    case kFileBoolean: return c.number != 0;
    default: return CellText(c);
  }
}

}  // namespace

void SheetGrid::Set(int row, int column, SheetCell cell, const std::string& path) {
  if (row < 0 || row >= kMaxRows || column < 0 || column >= kMaxColumns)
    ThrowFileError(path, "has a cell outside the limits of a worksheet (row " + std::to_string(row + 1) +
                             ", column " + std::to_string(column + 1) + ")");
  if (static_cast<std::size_t>(row) >= rows_.size()) rows_.resize(row + 1);
  auto& cells = rows_[row];
  if (static_cast<std::size_t>(column) >= cells.size()) cells.resize(column + 1);
  cells[column] = std::move(cell);
}

const SheetCell& SheetGrid::At(int row, int column) const {
  static const SheetCell kNone;
  if (row < 0 || row >= RowCount() || column < 0 || column >= ColumnCount(row)) return kNone;
  return rows_[row][column];
}

void EmitSheetTable(const SheetGrid& grid, const std::string& path, const std::string& sheet,
                    FileTableSink& sink) {
  TableArea area = FindTable(grid);
  if (area.header < 0) ThrowFileError(path, "sheet " + sheet + " holds no table");
  std::vector<std::string> names;
  std::vector<int> types;
  for (int c = area.first_column; c < area.end_column; ++c) {
    names.push_back(CellText(grid.At(area.header, c)));
    types.push_back(ColumnType(grid, area, c));
  }
  MakeFieldNamesUnique(names);
  std::vector<FileField> fields;
  for (std::size_t i = 0; i < names.size(); ++i) {
    std::int32_t size = types[i] == kFileVarWChar ? 255 : types[i] == kFileBoolean ? 2 : 8;
    if (types[i] == kFileVarWChar)
      for (int r = area.first_row; r < area.end_row; ++r)
        size = std::max<std::int32_t>(size, CellText(grid.At(r, area.first_column + i)).size());
    fields.push_back({names[i], types[i], size});
  }
  sink.SetFields(std::move(fields));
  std::vector<FileCell> cells(names.size());
  for (int r = area.first_row; r < area.end_row; ++r) {
    for (std::size_t i = 0; i < names.size(); ++i) cells[i] = CellValue(grid.At(r, area.first_column + i), types[i]);
    sink.AddRow(cells);
  }
}

}  // namespace orlix::ado
