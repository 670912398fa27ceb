// Writes a generated table as an Excel workbook (.xlsx) of one sheet, "Data",
// laid out as spreadsheet programs write it: every cell with its reference,
// numbers as numbers, text through the shared strings, a header row of names.
#pragma once

#include <string>

#include "bench/common/table_generator.h"

namespace orlix::bench {

// Throws std::runtime_error naming `path` when the workbook cannot be written.
// The sheet's XML passes through a scratch file beside `path`, so that a
// workbook at the sheet's row limit needs no more memory than a small one.
void writeXlsx(const GeneratedTable& table, const std::string& path);

}  // namespace orlix::bench
