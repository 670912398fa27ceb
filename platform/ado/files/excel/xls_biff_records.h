// The records of an Excel 97-2003 workbook stream (BIFF5 and BIFF8), read by
// our own code: the sheets' names and kinds, the shared strings, the formats
// that make a number a date, and every cell of a worksheet with its value
// (numbers, dates, texts, truth values, error cells, the cached results of
// formulas). Every length and index is checked against the stream.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
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
  // naming `path` when its records are damaged or the workbook is encrypted.
  BiffWorkbook(std::string stream, const std::string& path);

  const std::vector<BiffSheet>& sheets() const { return sheets_; }
  bool date1904() const { return date1904_; }

  // Every cell of one sheet (an index into sheets()) that holds something, in
  // file order. Throws DataError naming the file and sheet when a record is damaged.
  std::vector<BiffCell> Cells(std::size_t sheet) const;

 private:
  using Span = std::pair<std::size_t, std::size_t>;  // [begin, end) of a record body

  void ReadGlobals();
  void ReadSharedStrings(const std::vector<Span>& parts);
  bool IsDateXf(std::uint16_t xf) const;
  std::string String(std::size_t at, std::size_t end, bool long_count) const;
  std::string Narrow(std::string_view bytes) const;
  SheetCell Number(double value, std::uint16_t xf) const;
  [[noreturn]] void Damaged(const std::string& what) const;

  std::string stream_;
  std::string path_;
  bool biff8_ = true;
  bool date1904_ = false;
  std::string charset_ = "CP1252";  // of BIFF5's 8-bit texts
  std::vector<BiffSheet> sheets_;
  std::vector<std::uint16_t> xf_formats_;
  std::vector<std::pair<int, std::string>> formats_;
  std::vector<std::string> shared_strings_;
};

}  // namespace orlix::ado
