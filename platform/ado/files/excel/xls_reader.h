// Excel 97-2003 workbooks (.xls): the workbook stream taken out of its
// compound file and its BIFF records read by our own code, in process.
#pragma once

#include <string>
#include <vector>

#include "platform/ado/files/excel/sheet_grid.h"

namespace orlix::ado {

// Worksheet names in workbook order. Throws DataError naming the file.
std::vector<std::string> listXlsSheets(const std::string& path);

// The cells of worksheet `sheet` (exact name as listXlsSheets gives it).
// Throws DataError naming the file and the sheet.
SheetGrid readXlsGrid(const std::string& path, const std::string& sheet);

}  // namespace orlix::ado
