#include "platform/ado/files/excel/sheet_grid.h"

#include <algorithm>
#include <charconv>

#include "platform/ado/field_names.h"
#include "platform/com/ole_date.h"

namespace orlix::ado {

namespace {

bool Filled(const SheetCellView& c) {
  return c.kind != SheetCell::kEmpty && !(c.kind == SheetCell::kText && c.text.empty());
}
bool IsValue(const SheetCellView& c) {
  return c.kind == SheetCell::kNumber || c.kind == SheetCell::kDate || c.kind == SheetCell::kBool;
}

std::string NumberText(double value) {
  char buffer[32];
  auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, end);
}

std::string CellText(const SheetCellView& c) {
  switch (c.kind) {
    case SheetCell::kNumber: return NumberText(c.number);
    case SheetCell::kDate: return com::isOleDateInRange(c.number) ? com::formatOleDate(c.number) : "";
    case SheetCell::kBool: return c.number != 0 ? "TRUE" : "FALSE";
    default: return std::string(c.text);
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
    const SheetCellView c = grid.At(r, column);
    if (Filled(c) && c.kind != SheetCell::kError) kinds |= 1 << c.kind;
  }
  if (kinds == 1 << SheetCell::kNumber) return kFileDouble;
  if (kinds == 1 << SheetCell::kDate) return kFileDate;
  if (kinds == 1 << SheetCell::kBool) return kFileBoolean;
  return kFileVarWChar;
}

FileCell CellValue(const SheetCellView& c, int type) {
  if (!Filled(c) || c.kind == SheetCell::kError) return std::monostate{};
  switch (type) {
    case kFileDouble:
    case kFileDate: return c.number;
    case kFileBoolean: return c.number != 0;
    default: return CellText(c);
  }
}

}  // namespace

void SheetGrid::Place(int row, int column, const std::string& path) {
  if (row < 0 || row >= kMaxRows || column < 0 || column >= kMaxColumns)
    ThrowFileError(path, "has a cell outside the limits of a worksheet (row " + std::to_string(row + 1) +
                             ", column " + std::to_string(column + 1) + ")");
  if (!cells_.empty() && sorted_) {
    const Stored& last = cells_.back();
    sorted_ = static_cast<int>(last.row) < row || (static_cast<int>(last.row) == row && last.column < column);
  }
  rowStarts_.clear();
  cells_.push_back(Stored{static_cast<std::uint32_t>(row), static_cast<std::uint16_t>(column), SheetCell::kEmpty, {0}});
}

void SheetGrid::Set(int row, int column, SheetCell cell, const std::string& path) {
  if (cell.kind == SheetCell::kText) return SetText(row, column, cell.text, path);
  SetValue(row, column, cell.kind, cell.number, path);
}

void SheetGrid::SetValue(int row, int column, SheetCell::Kind kind, double number, const std::string& path) {
  Place(row, column, path);
  cells_.back().kind = kind;
  cells_.back().number = number;
}

std::uint32_t SheetGrid::AddString(std::string_view text) {
  if (textStarts_.empty()) textStarts_.push_back(0);
  chars_.append(text);
  textStarts_.push_back(chars_.size());
  return static_cast<std::uint32_t>(textStarts_.size() - 2);
}

void SheetGrid::SetString(int row, int column, std::uint32_t id, const std::string& path) {
  Place(row, column, path);
  cells_.back().kind = SheetCell::kText;
  cells_.back().text = id;
}

void SheetGrid::SetText(int row, int column, std::string_view text, const std::string& path) {
  Place(row, column, path);
  const std::uint32_t id = AddString(text);
  cells_.back().kind = SheetCell::kText;
  cells_.back().text = id;
}

std::string_view SheetGrid::Text(std::uint32_t id) const {
  return std::string_view(chars_).substr(textStarts_[id], textStarts_[id + 1] - textStarts_[id]);
}

void SheetGrid::Index() const {
  if (!rowStarts_.empty()) return;
  if (!sorted_) {
    std::stable_sort(cells_.begin(), cells_.end(), [](const Stored& a, const Stored& b) {
      return a.row != b.row ? a.row < b.row : a.column < b.column;
    });
    // Of two cells for one place the later, set last, stays.
    std::size_t kept = 0;
    for (std::size_t i = 0; i < cells_.size(); ++i) {
      if (kept > 0 && cells_[kept - 1].row == cells_[i].row && cells_[kept - 1].column == cells_[i].column)
        --kept;
      cells_[kept++] = cells_[i];
    }
    cells_.resize(kept);
    sorted_ = true;
  }
  const std::size_t rows = cells_.empty() ? 0 : cells_.back().row + 1;
  rowStarts_.assign(rows + 1, 0);
  for (const Stored& c : cells_) ++rowStarts_[c.row + 1];
  for (std::size_t r = 0; r < rows; ++r) rowStarts_[r + 1] += rowStarts_[r];
}

int SheetGrid::RowCount() const {
  Index();
  return static_cast<int>(rowStarts_.size()) - 1;
}

int SheetGrid::ColumnCount(int row) const {
  Index();
  if (row < 0 || row + 1 >= static_cast<int>(rowStarts_.size())) return 0;
  const std::uint64_t begin = rowStarts_[row], end = rowStarts_[row + 1];
  return begin == end ? 0 : cells_[end - 1].column + 1;
}

SheetCellView SheetGrid::At(int row, int column) const {
  Index();
  if (row < 0 || row + 1 >= static_cast<int>(rowStarts_.size()) || column < 0) return {};
  const Stored* begin = cells_.data() + rowStarts_[row];
  const Stored* end = cells_.data() + rowStarts_[row + 1];
  const Stored* found = nullptr;
  if (end - begin > column && begin[column].column == column) {
    found = begin + column;  // a row without gaps
  } else {
    found = std::lower_bound(begin, end, column, [](const Stored& c, int col) { return c.column < col; });
    if (found == end || found->column != column) return {};
  }
  SheetCellView view;
  view.kind = found->kind;
  if (found->kind == SheetCell::kText)
    view.text = Text(found->text);
  else
    view.number = found->number;
  return view;
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
  sink.ReserveRows(static_cast<std::size_t>(area.end_row - area.first_row));
  std::vector<FileCell> cells(names.size());
  for (int r = area.first_row; r < area.end_row; ++r) {
    for (std::size_t i = 0; i < names.size(); ++i) cells[i] = CellValue(grid.At(r, area.first_column + i), types[i]);
    sink.AddRow(cells);
  }
}

}  // namespace orlix::ado
