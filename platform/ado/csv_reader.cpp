#include "platform/ado/csv_reader.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>

#include "platform/ado/csv_tokenizer.h"
#include "platform/ado/error.h"
#include "platform/ado/utf8.h"

namespace orlix::ado {

namespace {

// Field types of a text file, chosen after every row has been scanned:
//
//   every non-empty cell of the column is ...                      type              size
//   -------------------------------------------------------------  ----------------  ----
//   an optionally signed digit string whose value fits 32 bits      adInteger (3)     4
//   a number: an optional sign, then digits with an optional        adDouble (5)      8
//     point and further digits, or a point and digits; then an
//     optional exponent (e or E, optional sign, digits). No
//     blanks, no inf or nan, no hex, and finite as a double
//   anything else, or no cell of the column holds a value           adVarWChar (202)  255
//
// Empty cells (quoted or not) are NULL; a short row is padded with NULLs.
enum class Kind { Int32, Number, Text };

constexpr long kTextSize = 255;
constexpr long kAttributes = adFldIsNullable | adFldMayBeNull;

bool digit(char c) { return c >= '0' && c <= '9'; }

// Classifies a non-empty cell and gives its value when it is a number.
Kind classify(std::string_view s, double& value) {
  size_t i = 0;
  const size_t n = s.size();
  bool negative = false;
  if (s[0] == '+' || s[0] == '-') {
    negative = s[0] == '-';
    ++i;
  }
  // Digit string within 32 bits.
  const size_t digitsFrom = i;
  int64_t v = 0;
  while (i < n && digit(s[i]) && v <= 2147483648LL) v = v * 10 + (s[i++] - '0');
  if (i == n && i > digitsFrom) {
    if (negative ? v <= 2147483648LL : v <= 2147483647LL) {
      value = static_cast<double>(negative ? -v : v);
      return Kind::Int32;
    }
  }
  // General number.
  i = digitsFrom;
  size_t mantissaDigits = 0;
  while (i < n && digit(s[i])) ++i, ++mantissaDigits;
  if (i < n && s[i] == '.') {
    ++i;
    while (i < n && digit(s[i])) ++i, ++mantissaDigits;
  }
  if (mantissaDigits == 0) return Kind::Text;
  if (i < n && (s[i] == 'e' || s[i] == 'E')) {
    ++i;
    if (i < n && (s[i] == '+' || s[i] == '-')) ++i;
    size_t expDigits = 0;
    while (i < n && digit(s[i])) ++i, ++expDigits;
    if (expDigits == 0) return Kind::Text;
  }
  if (i != n) return Kind::Text;
  const char* from = s.data() + (s[0] == '+' ? 1 : 0);
  auto [end, ec] = std::from_chars(from, s.data() + n, value);
  if (ec != std::errc() || end != s.data() + n || !std::isfinite(value)) return Kind::Text;
  return Kind::Number;
}

struct ColumnScan {
  std::string name;
  bool numeric = true;   // every value so far is a number
  bool allInt = true;    // every value so far is a 32-bit integer
  bool anyValue = false;
  bool reread = false;   // turned to text after numbers: its text is read in a second pass
  Table::ColumnData data;
};

class CsvReader {
 public:
  CsvReader(std::string_view bytes, const std::string& source)
      : tokens_(bytes, source), source_(source) {}

  std::shared_ptr<Table> read() {
    readHeader();
    scanRows();
    if (std::any_of(columns_.begin(), columns_.end(), [](auto& c) { return c.reread; }))
      rereadText();
    return finish();
  }

 private:
  void readHeader() {
    if (!tokens_.next(cells_)) throw DataError(source_, "the file is empty: no header line");
    std::string scratch;
    for (size_t i = 0; i < cells_.size(); ++i) {
      std::string_view name = cells_[i].text(scratch);
      checkText(name, "the header");
      ColumnScan c;
      c.name = name.empty() ? "F" + std::to_string(i + 1) : std::string(name);
      columns_.push_back(std::move(c));
    }
  }

  void checkText(std::string_view s, const std::string& where) {
    size_t bad = invalidUtf8Offset(s);
    if (bad == std::string_view::npos) return;
    tokens_.fail(std::string(s[bad] == '\0' ? "a NUL byte" : "invalid UTF-8") + " in " + where);
  }

  std::string fieldLabel(size_t col) { return "field '" + columns_[col].name + "'"; }

  void checkWidth() {
    for (size_t i = columns_.size(); i < cells_.size(); ++i)
      if (!cells_[i].empty())
        tokens_.fail("the row has " + std::to_string(cells_.size()) + " fields, the header " +
                     std::to_string(columns_.size()));
  }

  static void pushText(Table::ColumnData& d, std::string_view s) {
    d.offsets.push_back(d.chars.size());
    d.lengths.push_back(static_cast<uint32_t>(s.size()));
    d.chars.append(s);
  }

  static void pushNull(ColumnScan& c) {
    c.data.nulls.push_back(true);
    if (c.numeric) {
      c.data.reals.push_back(0);
    } else {
      c.data.offsets.push_back(0);
      c.data.lengths.push_back(0);
    }
  }

  // The first value of a column is text: it is text from the start.
  static void becomeText(ColumnScan& c, size_t rows) {
    c.numeric = c.allInt = false;
    c.data.reals = {};
    c.data.offsets.assign(rows, 0);
    c.data.lengths.assign(rows, 0);
  }

  void scanRows() {
    std::string scratch;
    size_t row = 0;
    while (tokens_.next(cells_)) {
      checkWidth();
      for (size_t col = 0; col < columns_.size(); ++col) {
        ColumnScan& c = columns_[col];
        if (c.reread) continue;
        if (col >= cells_.size() || cells_[col].empty()) {
          pushNull(c);
          continue;
        }
        if (c.numeric) {
          double v;
          Kind k = cells_[col].escapes ? Kind::Text : classify(cells_[col].raw(), v);
          if (k != Kind::Text) {
            c.anyValue = true;
            c.allInt = c.allInt && k == Kind::Int32;
            c.data.reals.push_back(v);
            c.data.nulls.push_back(false);
            continue;
          }
          if (c.anyValue) {  // numbers before: read the column again as text
            c.numeric = c.allInt = false;
            c.reread = true;
            c.data = {};
            continue;
          }
          becomeText(c, row);
        }
        c.anyValue = true;
        std::string_view text = cells_[col].text(scratch);
        checkText(text, fieldLabel(col));
        pushText(c.data, text);
        c.data.nulls.push_back(false);
      }
      ++row;
    }
    rows_ = row;
  }

  void rereadText() {
    for (ColumnScan& c : columns_) {
      if (!c.reread) continue;
      c.data.nulls.reserve(rows_);
      c.data.offsets.reserve(rows_);
      c.data.lengths.reserve(rows_);
    }
    tokens_.rewind();
    tokens_.next(cells_);  // the header
    std::string scratch;
    while (tokens_.next(cells_)) {
      for (size_t col = 0; col < columns_.size(); ++col) {
        ColumnScan& c = columns_[col];
        if (!c.reread) continue;
        if (col >= cells_.size() || cells_[col].empty()) {
          pushNull(c);
          continue;
        }
        std::string_view text = cells_[col].text(scratch);
        checkText(text, fieldLabel(col));
        pushText(c.data, text);
        c.data.nulls.push_back(false);
      }
    }
  }

  std::shared_ptr<Table> finish() {
    std::vector<Table::ColumnData> out;
    out.reserve(columns_.size());
    for (ColumnScan& c : columns_) {
      Table::ColumnData d = std::move(c.data);
      d.info.name = c.name;
      d.info.attributes = kAttributes;
      if (c.numeric && !c.anyValue) {  // no value at all: text
        c.numeric = false;
        d.reals = {};
        d.offsets.assign(rows_, 0);
        d.lengths.assign(rows_, 0);
      }
      if (c.numeric && c.allInt) {
        d.info.type = adInteger;
        d.info.definedSize = 4;
        d.info.attributes |= adFldFixed;
        d.ints.resize(d.reals.size());
        for (size_t i = 0; i < d.reals.size(); ++i) d.ints[i] = static_cast<int64_t>(d.reals[i]);
        d.reals = {};
      } else if (c.numeric) {
        d.info.type = adDouble;
        d.info.definedSize = 8;
        d.info.attributes |= adFldFixed;
      } else {
        d.info.type = adVarWChar;
        d.info.definedSize = kTextSize;
      }
      out.push_back(std::move(d));
    }
    return Table::fromColumns(source_, std::move(out), rows_);
  }

  CsvTokenizer tokens_;
  std::string source_;
  std::vector<CsvCell> cells_;
  std::vector<ColumnScan> columns_;
  size_t rows_ = 0;
};

}  // namespace

std::shared_ptr<Table> readCsv(std::string_view bytes, const std::string& sourceName) {
  return CsvReader(bytes, sourceName).read();
}

std::shared_ptr<Table> readCsvFile(const std::string& path) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) throw DataError(path, std::string("cannot open the file: ") + std::strerror(errno));
  std::string bytes;
  if (std::fseek(f, 0, SEEK_END) == 0) {
    long size = std::ftell(f);
    std::fseek(f, 0, SEEK_SET);
    if (size > 0) bytes.resize(static_cast<size_t>(size));
    bytes.resize(std::fread(bytes.data(), 1, bytes.size(), f));
  }
  char buf[1 << 16];
  for (size_t got; (got = std::fread(buf, 1, sizeof buf, f)) > 0;) bytes.append(buf, got);
  const bool failed = std::ferror(f);
  std::fclose(f);
  if (failed) throw DataError(path, "the file cannot be read");
  return readCsv(bytes, path);
}

}  // namespace orlix::ado
