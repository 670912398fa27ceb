// Reads the sheets of an Excel workbook: .xls (Excel 97-2003, its BIFF records)
// and .xlsx (zipped XML), told apart by their content, not their name.
#pragma once

#include <string>
#include <vector>

#include "platform/ado/files/file_table.h"

namespace orlix::ado {

// The worksheets as table names, "Name$", in workbook order.
// Throws DataError naming the file when it is no Excel workbook.
std::vector<std::string> listExcelSheets(const std::string& path);

// Reads the table of worksheet `sheet` ("Name" or "Name$", matched ignoring ASCII
// case) into `sink`, as EmitSheetTable finds it. Throws DataError naming the
// file and the sheet.
void readExcelSheet(const std::string& path, const std::string& sheet, FileTableSink& sink);

}  // namespace orlix::ado
