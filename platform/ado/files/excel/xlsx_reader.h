// Excel workbooks (.xlsx): a zip of XML parts, read with libzip and libxml2;
// the large parts (the sheet, its shared strings and styles) as streams.
#pragma once

#include <string>
#include <vector>

#include "platform/ado/files/excel/sheet_grid.h"

namespace orlix::ado {

// Worksheet names in workbook order. Throws DataError naming the file.
std::vector<std::string> listXlsxSheets(const std::string& path);

// The cells of worksheet `sheet` (exact name as listXlsxSheets gives it).
SheetGrid readXlsxGrid(const std::string& path, const std::string& sheet);

}  // namespace orlix::ado
