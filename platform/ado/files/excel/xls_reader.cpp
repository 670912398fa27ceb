#include "platform/ado/files/excel/xls_reader.h"

#include <fstream>
#include <iterator>

#include "platform/ado/files/excel/compound_file.h"
#include "platform/ado/files/excel/xls_biff_records.h"

namespace orlix::ado {

namespace {

// An Excel 97-2003 worksheet has 256 columns (A to IV) and 65,536 rows.
constexpr int kXlsColumns = 256;

BiffWorkbook ReadBiff(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) ThrowFileError(path, "cannot be opened");
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  auto stream = ReadCompoundStream(bytes, "Workbook", path);
  if (!stream) stream = ReadCompoundStream(bytes, "Book", path);
  if (!stream) ThrowFileError(path, "holds no workbook stream");
  return BiffWorkbook(std::move(*stream), path);
}

}  // namespace

std::vector<std::string> listXlsSheets(const std::string& path) {
  BiffWorkbook biff = ReadBiff(path);
  std::vector<std::string> names;
  for (const auto& sheet : biff.sheets())
    if (sheet.worksheet) names.push_back(sheet.name);
  return names;
}

SheetGrid readXlsGrid(const std::string& path, const std::string& sheet) {
  BiffWorkbook biff = ReadBiff(path);
  for (std::size_t i = 0; i < biff.sheets().size(); ++i) {
    if (!biff.sheets()[i].worksheet || biff.sheets()[i].name != sheet) continue;
    SheetGrid grid;
    for (auto& c : biff.Cells(i)) {
      if (c.column >= kXlsColumns)
        ThrowFileError(path, "is a damaged workbook: sheet " + sheet + " has a cell beyond column IV (row " +
                                 std::to_string(c.row + 1) + ")");
      if (c.cell.kind != SheetCell::kEmpty) grid.Set(c.row, c.column, std::move(c.cell), path);
    }
    return grid;
  }
  ThrowFileError(path, "has no sheet " + sheet);
}

}  // namespace orlix::ado
