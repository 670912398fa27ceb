#include "platform/ado/files/excel/xls_reader.h"

#include <freexl.h>

#include <fstream>
#include <iterator>
#include <memory>

#include "platform/ado/files/excel/compound_file.h"
#include "platform/ado/ole_date.h"
#include "platform/ado/files/excel/xls_biff_records.h"

namespace orlix::ado {

namespace {

struct XlsCloser {
  void operator()(const void* handle) const { freexl_close(handle); }
};
using XlsPtr = std::unique_ptr<const void, XlsCloser>;

XlsPtr OpenXls(const std::string& path) {
  const void* handle = nullptr;
  int rc = freexl_open(path.c_str(), &handle);
  XlsPtr owned(handle);
  if (rc == FREEXL_FILE_NOT_FOUND) ThrowFileError(path, "cannot be opened");
  if (rc != FREEXL_OK)
    ThrowFileError(path, "is no readable Excel 97-2003 workbook (freexl error " + std::to_string(rc) + ")");
  unsigned password = 0;
  if (freexl_get_info(handle, FREEXL_BIFF_PASSWORD, &password) == FREEXL_OK && password == FREEXL_BIFF_OBFUSCATED)
    ThrowFileError(path, "is protected by a password");
  return owned;
}

BiffWorkbook ReadBiff(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  auto stream = ReadCompoundStream(bytes, "Workbook", path);
  if (!stream) stream = ReadCompoundStream(bytes, "Book", path);
  if (!stream) ThrowFileError(path, "holds no workbook stream");
  return BiffWorkbook(std::move(*stream), path);
}

SheetCell FromFreexl(const FreeXL_CellValue& v, const std::string& path) {
  SheetCell cell;
  switch (v.type) {
    case FREEXL_CELL_INT: cell.kind = SheetCell::kNumber; cell.number = v.value.int_value; break;
    case FREEXL_CELL_DOUBLE: cell.kind = SheetCell::kNumber; cell.number = v.value.double_value; break;
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT:
      cell.kind = SheetCell::kText;
      cell.text = v.value.text_value ? v.value.text_value : "";
      break;
    case FREEXL_CELL_DATE:
    case FREEXL_CELL_DATETIME: {
      auto date = OleDateFromText(v.value.text_value ? v.value.text_value : "");
      if (!date) ThrowFileError(path, "holds a date cell that is no valid date");
      cell.kind = SheetCell::kDate;
      cell.number = *date;
      break;
    }
    case FREEXL_CELL_TIME: {  // hh:mm:ss, a time of day without a date
      auto date = OleDateFromText(std::string("1899-12-30 ") + (v.value.text_value ? v.value.text_value : ""));
      if (!date) ThrowFileError(path, "holds a time cell that is no valid time");
      cell.kind = SheetCell::kDate;
      cell.number = *date;
      break;
    }
    default: break;
  }
  return cell;
}

}  // namespace

// Our own reading of the records comes first: freexl is only handed workbooks
// whose container and records hold together (it overruns buffers on some that don't).
std::vector<std::string> listXlsSheets(const std::string& path) {
  BiffWorkbook biff = ReadBiff(path);
  OpenXls(path);
  std::vector<std::string> names;
  for (const auto& sheet : biff.sheets())
    if (sheet.worksheet) names.push_back(sheet.name);
  return names;
}

SheetGrid readXlsGrid(const std::string& path, const std::string& sheet) {
  BiffWorkbook biff = ReadBiff(path);
  XlsPtr xls = OpenXls(path);
  unsigned count = 0;
  freexl_get_info(xls.get(), FREEXL_BIFF_SHEET_COUNT, &count);
  int index = -1;
  for (unsigned i = 0; i < count && index < 0; ++i) {
    const char* name = nullptr;
    if (freexl_get_worksheet_name(xls.get(), i, &name) == FREEXL_OK && name && sheet == name) index = i;
  }
  std::size_t biff_index = biff.sheets().size();
  for (std::size_t i = 0; i < biff.sheets().size(); ++i)
    if (biff.sheets()[i].name == sheet) biff_index = i;
  if (index < 0 || biff_index == biff.sheets().size()) ThrowFileError(path, "has no sheet " + sheet);

  unsigned rows = 0;
  unsigned short columns = 0;
  if (freexl_select_active_worksheet(xls.get(), index) != FREEXL_OK ||
      freexl_worksheet_dimensions(xls.get(), &rows, &columns) != FREEXL_OK)
    ThrowFileError(path, "sheet " + sheet + " cannot be read");
  SheetGrid grid;
  for (unsigned r = 0; r < rows; ++r)
    for (unsigned c = 0; c < columns; ++c) {
      FreeXL_CellValue value;
      if (freexl_get_cell_value(xls.get(), r, c, &value) != FREEXL_OK)
        ThrowFileError(path, "sheet " + sheet + " has an unreadable cell in row " + std::to_string(r + 1));
      SheetCell cell = FromFreexl(value, path);
      if (cell.kind != SheetCell::kEmpty) grid.Set(r, c, std::move(cell), path);
    }
  for (auto& c : biff.FormulaAndBoolCells(biff_index)) grid.Set(c.row, c.column, std::move(c.cell), path);
  return grid;
}

}  // namespace orlix::ado
