// What freexl leaves out of an .xls workbook, read from its BIFF records:
// the cached results of formula cells, truth values told apart from error
// cells, and the sheets' names and kinds.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/ado/files/excel/sheet_grid.h"

namespace orlix::ado {

struct BiffCell {
  int row;
  int column;
  SheetCell cell;
};

struct BiffSheet {
  std::string name;      // UTF-8
  std::uint32_t offset;  // of the sheet's BOF record in the stream
  bool worksheet;        // false for chart and macro sheets
};

class BiffWorkbook {
 public:
  // `stream` is the workbook stream of the compound file. Throws DataError
  // naming `path` when its records are damaged.
  BiffWorkbook(std::string stream, const std::string& path);

  const std::vector<BiffSheet>& sheets() const { return sheets_; }
  bool date1904() const { return date1904_; }

  // The formula results and BOOLERR cells of one sheet (an index into sheets()).
  std::vector<BiffCell> FormulaAndBoolCells(std::size_t sheet) const;

 private:
  void ReadGlobals();
  bool IsDateXf(std::uint16_t xf) const;
  std::string String(std::size_t at, std::size_t end, bool long_count) const;

  std::string stream_;
  std::string path_;
  bool biff8_ = true;
  bool date1904_ = false;
  std::vector<BiffSheet> sheets_;
  std::vector<std::uint16_t> xf_formats_;
  std::vector<std::pair<int, std::string>> formats_;
};

}  // namespace orlix::ado
