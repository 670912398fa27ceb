// The cells of an .xlsx worksheet part, read into a grid that holds the
// workbook's shared strings already. The part is parsed with libxml2's SAX2
// push parser as another thread inflates it, so that inflating and parsing
// overlap and only a few pieces of the part are held at a time: a sheet at
// the row limit (a gigabyte of XML) costs no more memory than its cells.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/ado/files/excel/sheet_grid.h"
#include "platform/ado/files/excel/xlsx_package.h"

namespace orlix::ado {

struct SheetSettings {
  std::string sheet;                // its name, for messages
  bool date1904 = false;            // the workbook's date system
  std::uint32_t sharedStrings = 0;  // how many the grid holds
  std::vector<bool> dateStyles;     // per cell style: whether it shows dates
};

// Reads the rows of the part's first <sheetData> into `grid`. Throws
// DataError naming the file (and the sheet or part) when the part is not
// well-formed or a cell is bad.
void ReadSheetCells(const Package& package, const PackagePart& part, const SheetSettings& settings, SheetGrid& grid);

}  // namespace orlix::ado
