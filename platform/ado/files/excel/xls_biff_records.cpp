#include "platform/ado/files/excel/xls_biff_records.h"

#include <cmath>
#include <cstring>

#include "platform/ado/files/byte_order.h"
#include "platform/ado/files/excel/excel_number_format.h"
#include "platform/ado/files/text_encoding.h"
#include "platform/com/ole_date.h"

namespace orlix::ado {

namespace {

enum : std::uint16_t {
  kFormula = 0x0006, kEof = 0x000A, kDateMode = 0x0022, kFilePass = 0x002F, kContinue = 0x003C,
  kCodePage = 0x0042, kBoundSheet = 0x0085, kMulRk = 0x00BD, kRString = 0x00D6, kXf = 0x00E0, kSst = 0x00FC,
  kLabelSst = 0x00FD, kNumber = 0x0203, kLabel = 0x0204, kBoolErr = 0x0205, kString = 0x0207, kRk = 0x027E,
  kFormat = 0x041E, kBof = 0x0809,
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

// An RK number: 30 bits of an integer or of a double's high word, optionally
// to be divided by 100.
double RkValue(std::uint32_t rk) {
  double value;
  if (rk & 2) {
    value = static_cast<double>(static_cast<std::int32_t>(rk) >> 2);
  } else {
    std::uint64_t bits = static_cast<std::uint64_t>(rk & 0xFFFFFFFCu) << 32;
    std::memcpy(&value, &bits, sizeof value);
  }
  return (rk & 1) ? value / 100 : value;
}

// The body of a record and the CONTINUE records after it, read as one run of
// bytes. Where the characters of a string go on in the next part, that part
// starts with a fresh option byte saying whether they are 8 or 16 bits wide.
class ContinuedBytes {
 public:
  ContinuedBytes(const std::string& s, const std::vector<std::pair<std::size_t, std::size_t>>& parts,
                 const std::string& path)
      : s_(s), parts_(parts), path_(path), at_(parts.empty() ? 0 : parts[0].first) {}

  bool AtEnd() {
    while (part_ < parts_.size() && at_ == parts_[part_].second) NextPart();
    return part_ >= parts_.size();
  }
  std::uint8_t Byte() {
    if (AtEnd()) ThrowFileError(path_, "is a damaged workbook: its shared strings run past their records");
    return static_cast<std::uint8_t>(s_[at_++]);
  }
  std::uint16_t U16() { return static_cast<std::uint16_t>(Byte() | Byte() << 8); }
  std::uint32_t U32() { return U16() | static_cast<std::uint32_t>(U16()) << 16; }
  void Skip(std::uint64_t n) {
    while (n > 0) {
      if (AtEnd()) Byte();  // throws
      std::size_t here = std::min<std::uint64_t>(n, parts_[part_].second - at_);
      at_ += here;
      n -= here;
    }
  }
  std::string Chars(std::size_t count, bool wide) {
    std::string out;
    for (std::size_t i = 0; i < count; ++i) {
      if (part_ < parts_.size() && at_ == parts_[part_].second) {  // the characters go on in the next part
        NextPart();
        wide = Byte() & 1;  // throws when no part follows
      }
      AppendUtf8(out, wide ? U16() : Byte());
    }
    return out;
  }

 private:
  void NextPart() {
    if (++part_ < parts_.size()) at_ = parts_[part_].first;
  }
  const std::string& s_;
  const std::vector<std::pair<std::size_t, std::size_t>>& parts_;
  const std::string& path_;
  std::size_t part_ = 0;
  std::size_t at_;
};

// The iconv name of a BIFF5 code page; CP1252 where the number names none we know.
std::string CharsetOf(std::uint16_t code_page) {
  switch (code_page) {
    case 367: return "ASCII";
    case 10000: case 32768: return "MACINTOSH";
    case 32769: return "CP1252";
    default: break;
  }
  if ((code_page >= 437 && code_page <= 874) || (code_page >= 1250 && code_page <= 1258) || code_page == 932 ||
      code_page == 936 || code_page == 949 || code_page == 950)
    return "CP" + std::to_string(code_page);
  return "CP1252";
}

}  // namespace

BiffWorkbook::BiffWorkbook(std::string stream, const std::string& path)
    : stream_(std::move(stream)), path_(path) {
  if (stream_.size() < 8 || Le16(stream_, 0) != kBof)
    ThrowFileError(path, "is a damaged workbook: its stream does not begin with a BOF record");
  biff8_ = Le16(stream_, 4) == 0x0600;
  ReadGlobals();
}

void BiffWorkbook::Damaged(const std::string& what) const {
  ThrowFileError(path_, "is a damaged workbook: " + what);
}

std::string BiffWorkbook::Narrow(std::string_view bytes) const {
  return ToUtf8(bytes, charset_, path_, "a sheet string");
}

// A BIFF string: a character count (8 or 16 bits), in BIFF8 an option byte,
// then 8-bit or UTF-16 characters. Rich-text and phonetic trailers are not needed.
std::string BiffWorkbook::String(std::size_t at, std::size_t end, bool long_count) const {
  std::size_t head = long_count ? 2 : 1;
  if (at + head > end) Damaged("a string runs past its record");
  std::size_t count = long_count ? Le16(stream_, at) : static_cast<std::uint8_t>(stream_[at]);
  at += head;
  bool wide = false;
  if (biff8_) {
    if (at >= end) Damaged("a string runs past its record");
    std::uint8_t flags = stream_[at++];
    wide = flags & 1;
    if (flags & 8) at += 2;  // rich-text run count
    if (flags & 4) at += 4;  // phonetic size
  }
  std::size_t bytes = count * (wide ? 2 : 1);
  if (at + bytes > end) Damaged("a string runs past its record");
  if (!biff8_) return Narrow(std::string_view(stream_).substr(at, bytes));
  std::string out;
  for (std::size_t i = 0; i < count; ++i)
    AppendUtf8(out, wide ? Le16(stream_, at + 2 * i) : static_cast<std::uint8_t>(stream_[at + i]));
  return out;
}

void BiffWorkbook::ReadGlobals() {
  std::vector<Span> sst;
  bool in_sst = false;
  WalkRecords(stream_, 0, path_, [&](std::uint16_t type, std::size_t at, std::size_t end) {
    std::size_t length = end - at;
    if (type == kContinue && in_sst) {
      sst.emplace_back(at, end);
      return true;
    }
    in_sst = type == kSst;
    switch (type) {
      case kFilePass: ThrowFileError(path_, "is protected by a password");
      case kCodePage:
        if (length >= 2) charset_ = CharsetOf(Le16(stream_, at));
        break;
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
        if (length < 7) Damaged("a sheet entry is too short");
        sheets_.push_back({String(at + 6, end, false), Le32(stream_, at), stream_[at + 5] == 0});
        break;
      case kSst:
        sst.assign(1, {at, end});
        break;
      default: break;
    }
    return type != kEof;
  });
  if (!sst.empty()) ReadSharedStrings(sst);
}

// The shared string table: two counts, then each string as a count, an option
// byte, the run and phonetic sizes it announces, its characters and the trailers.
void BiffWorkbook::ReadSharedStrings(const std::vector<Span>& parts) {
  ContinuedBytes in(stream_, parts, path_);
  in.Skip(4);  // how often strings are used
  std::uint32_t unique = in.U32();
  // A writer may announce more strings than it wrote; a string cut short is damage.
  for (std::uint32_t i = 0; i < unique && !in.AtEnd(); ++i) {
    std::uint16_t count = in.U16();
    std::uint8_t flags = in.Byte();
    std::uint16_t runs = (flags & 8) ? in.U16() : 0;
    std::uint32_t phonetic = (flags & 4) ? in.U32() : 0;
    shared_strings_.push_back(in.Chars(count, flags & 1));
    in.Skip(4ull * runs + phonetic);
  }
}

bool BiffWorkbook::IsDateXf(std::uint16_t xf) const {
  if (xf >= xf_formats_.size()) return false;
  int id = xf_formats_[xf];
  for (const auto& [format_id, code] : formats_)
    if (format_id == id) return IsDateFormat(id, code);
  return IsDateFormat(id, "");
}

// A number as its cell's format shows it: a date where the format is one and
// the day exists, else a number.
SheetCell BiffWorkbook::Number(double value, std::uint16_t xf) const {
  if (!std::isfinite(value)) Damaged("a cell holds a number that is not finite");
  SheetCell cell;
  cell.kind = SheetCell::kNumber;
  cell.number = value;
  if (IsDateXf(xf) && value >= 0) {  // Excel shows no date for a negative serial
    double date = OleDateFromExcelSerial(value, date1904_);
    if (com::isOleDateInRange(date)) {
      cell.kind = SheetCell::kDate;
      cell.number = date;
    }
  }
  return cell;
}

std::vector<BiffCell> BiffWorkbook::Cells(std::size_t sheet) const {
  std::vector<BiffCell> cells;
  const BiffSheet& s = sheets_.at(sheet);
  if (s.offset + 4 > stream_.size() || Le16(stream_, s.offset) != kBof)
    Damaged("sheet " + s.name + " does not begin where the workbook says");
  const std::string where = " in sheet " + s.name;
  auto add = [&](std::size_t at, SheetCell cell) {
    cells.push_back({Le16(stream_, at), Le16(stream_, at + 2), std::move(cell)});
  };
  auto need = [&](std::size_t length, std::size_t minimum) {
    if (length < minimum) Damaged("a cell record is too short" + where);
  };
  bool pending_string = false;  // a text formula's result follows in a STRING record
  int depth = 0;                // charts embedded in the sheet bring their own BOF .. EOF
  WalkRecords(stream_, s.offset, path_, [&](std::uint16_t type, std::size_t at, std::size_t end) {
    std::size_t length = end - at;
    if (type == kBof) ++depth;
    if (type == kEof) return --depth > 0;
    if (depth != 1) return true;
    if (type == kString && pending_string) {
      cells.back().cell.text = String(at, end, true);
      pending_string = false;
      return true;
    }
    pending_string = false;
    SheetCell cell;
    switch (type) {
      case kNumber: {
        need(length, 14);
        double value;
        std::memcpy(&value, stream_.data() + at + 6, 8);
        add(at, Number(value, Le16(stream_, at + 4)));
        break;
      }
      case kRk:
        need(length, 10);
        add(at, Number(RkValue(Le32(stream_, at + 6)), Le16(stream_, at + 4)));
        break;
      case kMulRk: {
        need(length, 6);
        std::size_t n = (length - 6) / 6;
        for (std::size_t i = 0; i < n; ++i) {
          std::size_t item = at + 4 + 6 * i;
          cells.push_back({Le16(stream_, at), static_cast<int>(Le16(stream_, at + 2) + i),
                           Number(RkValue(Le32(stream_, item + 2)), Le16(stream_, item))});
        }
        break;
      }
      case kLabelSst: {
        need(length, 10);
        std::uint32_t index = Le32(stream_, at + 6);
        if (index >= shared_strings_.size()) Damaged("a cell refers to a shared string that does not exist" + where);
        cell.kind = SheetCell::kText;
        cell.text = shared_strings_[index];
        add(at, std::move(cell));
        break;
      }
      case kLabel:
      case kRString:
        need(length, 8);
        cell.kind = SheetCell::kText;
        cell.text = String(at + 6, end, true);
        add(at, std::move(cell));
        break;
      case kBoolErr: {
        need(length, 8);
        bool error = stream_[at + 7] != 0;
        cell.kind = error ? SheetCell::kError : SheetCell::kBool;
        cell.number = !error && stream_[at + 6] != 0;
        add(at, std::move(cell));
        break;
      }
      case kFormula:
        need(length, 14);
        if (Le16(stream_, at + 12) != 0xFFFF) {
          double value;
          std::memcpy(&value, stream_.data() + at + 6, 8);
          cell = Number(value, Le16(stream_, at + 4));
        } else {
          switch (stream_[at + 6]) {
            case 0: cell.kind = SheetCell::kText; pending_string = true; break;
            case 1: cell.kind = SheetCell::kBool; cell.number = stream_[at + 8] != 0; break;
            case 2: cell.kind = SheetCell::kError; break;
            default: cell.kind = SheetCell::kEmpty; break;  // an empty text
          }
        }
        add(at, std::move(cell));
        break;
      default: break;
    }
    return true;
  });
  return cells;
}

}  // namespace orlix::ado
