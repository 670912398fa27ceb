#include "platform/ado/files/excel/excel_reader.h"

#include <fstream>

#include "platform/ado/field_names.h"
#include "platform/ado/files/excel/sheet_grid.h"
#include "platform/ado/files/excel/xls_reader.h"
#include "platform/ado/files/excel/xlsx_reader.h"

namespace orlix::ado {

namespace {

enum class Workbook { kXls, kXlsx };

// By the first bytes: a compound file is .xls, a zip is .xlsx.
Workbook KindOf(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) ThrowFileError(path, "cannot be opened");
  char head[8] = {};
  in.read(head, sizeof head);
  if (in.gcount() == 8 && std::string(head, 8) == "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1") return Workbook::kXls;
  if (in.gcount() >= 4 && std::string(head, 4) == "PK\x03\x04") return Workbook::kXlsx;
  ThrowFileError(path, "is no Excel workbook (neither Excel 97-2003 nor .xlsx content)");
}

std::vector<std::string> SheetNames(const std::string& path) {
  if (KindOf(path) == Workbook::kXlsx) return listXlsxSheets(path);
  return listXlsSheets(path);
}

}  // namespace

std::vector<std::string> listExcelSheets(const std::string& path) {
  std::vector<std::string> names = SheetNames(path);
  for (auto& name : names) name += "$";
  return names;
}

void readExcelSheet(const std::string& path, const std::string& sheet, FileTableSink& sink) {
  std::string wanted = sheet;
  if (!wanted.empty() && wanted.back() == '$') wanted.pop_back();
  for (const auto& name : SheetNames(path)) {
    if (!equalsIgnoreCase(name, wanted)) continue;
    bool xlsx = KindOf(path) == Workbook::kXlsx;
    EmitSheetTable(xlsx ? readXlsxGrid(path, name) : readXlsGrid(path, name), path, name, sink);
    return;
  }
  ThrowFileError(path, "has no sheet " + wanted);
}

}  // namespace orlix::ado
