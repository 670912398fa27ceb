#include "platform/ado/files/excel/xls_biff_records.h"

#include <cstring>

#include "platform/ado/files/byte_order.h"
#include "platform/ado/files/excel/excel_number_format.h"
#include "platform/ado/files/text_encoding.h"

namespace orlix::ado {

namespace {

enum : std::uint16_t {
  kFormula = 0x0006, kEof = 0x000A, kDateMode = 0x0022, kBoundSheet = 0x0085, kXf = 0x00E0,
  kBoolErr = 0x0205, kString = 0x0207, kFormat = 0x041E, kBof = 0x0809,
};

void AppendUtf8(std::string& out, std::uint32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | cp >> 6));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    if (cp >= 0xD800 && cp <= 0xDFFF) cp = 0xFFFD;  // a lone surrogate half
    out.push_back(static_cast<char>(0xE0 | cp >> 12));
    out.push_back(static_cast<char>(0x80 | (cp >> 6 & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

// Walks the records from `at`; `visit(type, body_start, body_end)` returns false to stop.
template <typename Visit>
void WalkRecords(const std::string& s, std::size_t at, const std::string& path, Visit visit) {
  while (at + 4 <= s.size()) {
    std::uint16_t type = Le16(s, at);
    std::size_t length = Le16(s, at + 2);
    if (at + 4 + length > s.size()) ThrowFileError(path, "is truncated inside a workbook record");
    if (!visit(type, at + 4, at + 4 + length)) return;
    at += 4 + length;
  }
}

}  // namespace

BiffWorkbook::BiffWorkbook(std::string stream, const std::string& path)
    : stream_(std::move(stream)), path_(path) {
  if (stream_.size() < 8 || Le16(stream_, 0) != kBof)
    ThrowFileError(path, "is a damaged workbook: its stream does not begin with a BOF record");
  biff8_ = Le16(stream_, 4) == 0x0600;
  ReadGlobals();
}

// A BIFF string: a character count (8 or 16 bits), in BIFF8 an option byte,
// then 8-bit or UTF-16 characters. Rich-text and phonetic trailers are not needed.
std::string BiffWorkbook::String(std::size_t at, std::size_t end, bool long_count) const {
  std::size_t head = long_count ? 2 : 1;
  if (at + head > end) ThrowFileError(path_, "is a damaged workbook: a string runs past its record");
  std::size_t count = long_count ? Le16(stream_, at) : static_cast<std::uint8_t>(stream_[at]);
  at += head;
  bool wide = false;
  if (biff8_) {
    if (at >= end) ThrowFileError(path_, "is a damaged workbook: a string runs past its record");
    std::uint8_t flags = stream_[at++];
    wide = flags & 1;
    if (flags & 8) at += 2;  // rich-text run count
    if (flags & 4) at += 4;  // phonetic size
  }
  std::size_t bytes = count * (wide ? 2 : 1);
  if (at + bytes > end) ThrowFileError(path_, "is a damaged workbook: a string runs past its record");
  std::string out;
  if (!biff8_) return ToUtf8(std::string_view(stream_).substr(at, bytes), "CP1252", path_, "a sheet string");
  for (std::size_t i = 0; i < count; ++i)
    AppendUtf8(out, wide ? Le16(stream_, at + 2 * i) : static_cast<std::uint8_t>(stream_[at + i]));
  return out;
}

void BiffWorkbook::ReadGlobals() {
  WalkRecords(stream_, 0, path_, [&](std::uint16_t type, std::size_t at, std::size_t end) {
    std::size_t length = end - at;
    switch (type) {
      case kDateMode:
        if (length >= 2) date1904_ = Le16(stream_, at) == 1;
        break;
      case kXf:
        if (length >= 4) xf_formats_.push_back(Le16(stream_, at + 2));
        break;
      case kFormat:
        if (length >= 3) formats_.emplace_back(Le16(stream_, at), String(at + 2, end, biff8_));
        break;
      case kBoundSheet:
        if (length < 7) ThrowFileError(path_, "is a damaged workbook: a sheet entry is too short");
        sheets_.push_back({String(at + 6, end, false), Le32(stream_, at), stream_[at + 5] == 0});
        break;
      default: break;
    }
    return type != kEof;
  });
}

bool BiffWorkbook::IsDateXf(std::uint16_t xf) const {
  if (xf >= xf_formats_.size()) return false;
  int id = xf_formats_[xf];
  for (const auto& [format_id, code] : formats_)
    if (format_id == id) return IsDateFormat(id, code);
  return IsDateFormat(id, "");
}

std::vector<BiffCell> BiffWorkbook::FormulaAndBoolCells(std::size_t sheet) const {
  std::vector<BiffCell> cells;
  std::size_t start = sheets_.at(sheet).offset;
  if (start >= stream_.size()) ThrowFileError(path_, "is a damaged workbook: sheet " + sheets_[sheet].name + " lies outside it");
  bool pending_string = false;
  WalkRecords(stream_, start, path_, [&](std::uint16_t type, std::size_t at, std::size_t end) {
    std::size_t length = end - at;
    if (type == kString && pending_string) {
      cells.back().cell.text = String(at, end, true);
      pending_string = false;
    } else if (type == kFormula && length >= 14) {
      BiffCell c{Le16(stream_, at), Le16(stream_, at + 2), {}};
      pending_string = false;
      if (Le16(stream_, at + 12) != 0xFFFF) {
        std::memcpy(&c.cell.number, stream_.data() + at + 6, 8);
        c.cell.kind = IsDateXf(Le16(stream_, at + 4)) ? SheetCell::kDate : SheetCell::kNumber;
        if (c.cell.kind == SheetCell::kDate) c.cell.number = OleDateFromExcelSerial(c.cell.number, date1904_);
      } else {
        switch (stream_[at + 6]) {
          case 0: c.cell.kind = SheetCell::kText; pending_string = true; break;
          case 1: c.cell.kind = SheetCell::kBool; c.cell.number = stream_[at + 8] != 0; break;
          case 2: c.cell.kind = SheetCell::kError; break;
          default: c.cell.kind = SheetCell::kEmpty; break;
        }
      }
      cells.push_back(std::move(c));
    } else if (type == kBoolErr && length >= 8) {
      BiffCell c{Le16(stream_, at), Le16(stream_, at + 2), {}};
      bool error = stream_[at + 7] != 0;
      c.cell.kind = error ? SheetCell::kError : SheetCell::kBool;
      c.cell.number = !error && stream_[at + 6] != 0;
      cells.push_back(std::move(c));
    }
    return type != kEof;
  });
  return cells;
}

}  // namespace orlix::ado
