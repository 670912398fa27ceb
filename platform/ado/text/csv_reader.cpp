#include "platform/ado/text/csv_reader.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>
#include <optional>
#include <thread>

#include "platform/ado/connection_string.h"
#include "platform/ado/text/csv_tokenizer.h"
#include "platform/ado/error.h"
#include "platform/ado/text/text_cell_kind.h"
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
// (classifyTextCell decides a cell.) Empty cells (quoted or not) are NULL; a short row is padded with NULLs.
constexpr long kTextSize = 255;
constexpr long kAttributes = adFldIsNullable | adFldMayBeNull;

struct ColumnScan {
  bool numeric = true;   // every value so far is a number
  bool allInt = true;    // every value so far is a 32-bit integer
  bool anyValue = false;
  bool reread = false;   // text after numbers: its text is read in a second pass
  Table::ColumnData data;
};

// Reads the records of one stretch of the file into per-column arrays,
// deciding each column's kind as it goes (see the table above).
class ChunkScanner {
 public:
  explicit ChunkScanner(const std::vector<std::string>& names)
      : columns(names.size()), names_(&names) {}

  void scanRows(CsvTokenizer& tokens) {
    tokens_ = &tokens;
    std::string scratch;
    const size_t start = tokens_->offset();
    while (tokens_->next(cells_)) {
      if (rows == 256) reserveFor(start);
      checkWidth();
      for (size_t col = 0; col < columns.size(); ++col) scanCell(col, scratch);
      ++rows;
    }
  }

  // Reads only the columns marked for a second pass, as text.
  void rereadText(CsvTokenizer& tokens) {
    tokens_ = &tokens;
    for (ColumnScan& c : columns) {
      if (!c.reread) continue;
      c.data.nulls.reserve(rows);
      c.data.offsets.reserve(rows);
      c.data.lengths.reserve(rows);
    }
    std::string scratch;
    while (tokens_->next(cells_)) {
      for (size_t col = 0; col < columns.size(); ++col) {
        ColumnScan& c = columns[col];
        if (!c.reread) continue;
        if (col >= cells_.size() || cells_[col].empty()) {
          pushNull(c);
          continue;
        }
        pushChecked(c, col, cells_[col].text(scratch));
      }
    }
  }

  std::vector<ColumnScan> columns;
  size_t rows = 0;

 private:
  const std::vector<std::string>* names_;
  CsvTokenizer* tokens_ = nullptr;  // the one being read
  std::vector<CsvCell> cells_;

  void scanCell(size_t col, std::string& scratch) {
    ColumnScan& c = columns[col];
    if (c.reread) return;
    if (col >= cells_.size() || cells_[col].empty()) return pushNull(c);
    if (c.numeric) {
      double v;
      const TextCellKind k = cells_[col].escapes ? TextCellKind::Text : classifyTextCell(cells_[col].raw(), v);
      if (k != TextCellKind::Text) {
        c.anyValue = true;
        c.allInt = c.allInt && k == TextCellKind::Int32;
        c.data.reals.push_back(v);
        c.data.nulls.push_back(false);
        return;
      }
      if (c.anyValue) {  // numbers before: the column is read again as text
        c.numeric = c.allInt = false;
        c.reread = true;
        c.data = {};
        return;
      }
      becomeText(c, rows);
    }
    c.anyValue = true;
    pushChecked(c, col, cells_[col].text(scratch));
  }

  void pushChecked(ColumnScan& c, size_t col, std::string_view text) {
    const size_t bad = invalidUtf8Offset(text);
    if (bad != std::string_view::npos)
      tokens_->fail(std::string(text[bad] == '\0' ? "a NUL byte" : "invalid UTF-8") + " in field '" +
                   (*names_)[col] + "'");
    c.data.offsets.push_back(c.data.chars.size());
    c.data.lengths.push_back(static_cast<uint32_t>(text.size()));
    c.data.chars.append(text);
    c.data.nulls.push_back(false);
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

  void checkWidth() {
    for (size_t i = columns.size(); i < cells_.size(); ++i)
      if (!cells_[i].empty())
        tokens_->fail("the row has " + std::to_string(cells_.size()) + " fields, the header " +
                     std::to_string(columns.size()));
  }

  // Reserves every column for the number of rows the first ones suggest, so
  // that large files are not copied while their columns grow.
  void reserveFor(size_t start) {
    const size_t used = tokens_->offset() - start;
    if (used == 0) return;
    const size_t expected = rows * (tokens_->size() - start) / used * 21 / 20 + 16;
    for (ColumnScan& c : columns) {
      c.data.nulls.reserve(expected);
      if (c.numeric) {
        c.data.reals.reserve(expected);
      } else if (!c.reread) {
        c.data.offsets.reserve(expected);
        c.data.lengths.reserve(expected);
        c.data.chars.reserve(c.data.chars.size() * expected / rows * 21 / 20);
      }
    }
  }

};

// Appends the column of a later stretch to that of an earlier one.
void appendColumn(ColumnScan& a, ColumnScan&& b, size_t rowsA, size_t rowsB) {
  if (a.reread || b.reread || (a.anyValue && b.anyValue && a.numeric != b.numeric)) {
    a.reread = true;
    a.numeric = a.allInt = false;
    a.data = {};
    return;
  }
  if (!a.anyValue && b.anyValue) {  // a holds NULLs only: take b's kind
    a.numeric = b.numeric;
    a.allInt = b.allInt;
    a.data.reals.assign(a.numeric ? rowsA : 0, 0);
    a.data.offsets.assign(a.numeric ? 0 : rowsA, 0);
    a.data.lengths.assign(a.numeric ? 0 : rowsA, 0);
  }
  a.anyValue = a.anyValue || b.anyValue;
  a.allInt = a.allInt && b.allInt;
  a.data.nulls.insert(a.data.nulls.end(), b.data.nulls.begin(), b.data.nulls.end());
  if (a.numeric) {
    if (b.numeric) a.data.reals.insert(a.data.reals.end(), b.data.reals.begin(), b.data.reals.end());
    else a.data.reals.resize(rowsA + rowsB, 0);  // b held NULLs only
    return;
  }
  if (!b.numeric) {
    const uint64_t shift = a.data.chars.size();
    for (uint64_t o : b.data.offsets) a.data.offsets.push_back(o + shift);
    a.data.lengths.insert(a.data.lengths.end(), b.data.lengths.begin(), b.data.lengths.end());
    a.data.chars.append(b.data.chars);
  } else {  // b held NULLs only
    a.data.offsets.resize(rowsA + rowsB, 0);
    a.data.lengths.resize(rowsA + rowsB, 0);
  }
}

// Files larger than this are read by two threads, one half each.
constexpr size_t kSplitAbove = 8u << 20;

class CsvReader {
 public:
  CsvReader(std::string_view bytes, const std::string& source) : bytes_(bytes), source_(source) {}

  std::shared_ptr<Table> read() {
    CsvTokenizer tokens(bytes_, source_);
    readHeader(tokens);
    const size_t dataStart = tokens.offset();
    const size_t split = splitPoint(dataStart);
    ChunkScanner scan(names_);
    if (split == std::string_view::npos) {
      CsvTokenizer rest(bytes_, source_, dataStart);
      scan.scanRows(rest);
    } else if (!scanHalves(scan, dataStart, split)) {
      scan = ChunkScanner(names_);
      CsvTokenizer rest(bytes_, source_, dataStart);
      scan.scanRows(rest);
    }
    if (std::any_of(scan.columns.begin(), scan.columns.end(), [](auto& c) { return c.reread; })) {
      CsvTokenizer again(bytes_, source_, dataStart);
      scan.rereadText(again);
    }
    return finish(scan);
  }

 private:
  void readHeader(CsvTokenizer& tokens) {
    std::vector<CsvCell> cells;
    if (!tokens.next(cells)) throw DataError(source_, "the file is empty: no header line");
    std::string scratch;
    for (size_t i = 0; i < cells.size(); ++i) {
      std::string_view name = cells[i].text(scratch);
      const size_t bad = invalidUtf8Offset(name);
      if (bad != std::string_view::npos)
        tokens.fail(std::string(name[bad] == '\0' ? "a NUL byte" : "invalid UTF-8") + " in the header");
      std::string unique = name.empty() ? "F" + std::to_string(i + 1) : std::string(name);
      // A repeated name gets its position, so that every field can be named.
      while (std::any_of(names_.begin(), names_.end(),
                         [&](const std::string& o) { return equalsIgnoreCase(o, unique); }))
        unique += std::to_string(i + 1);
      names_.push_back(std::move(unique));
    }
  }

  // A record boundary near the middle of a large file: the first line end
  // after the middle that lies outside quotes (an even number of quotes
  // before it, since "" pairs keep the count even). npos for small files.
  size_t splitPoint(size_t from) const {
    if (bytes_.size() - from < kSplitAbove) return std::string_view::npos;
    const size_t middle = from + (bytes_.size() - from) / 2;
    size_t quotes = 0;
    for (const char* p = bytes_.data() + from;;) {
      p = static_cast<const char*>(std::memchr(p, '"', bytes_.data() + middle - p));
      if (!p) break;
      ++quotes, ++p;
    }
    for (size_t i = middle; i < bytes_.size(); ++i) {
      if (bytes_[i] == '"') ++quotes;
      else if (bytes_[i] == '\n' && quotes % 2 == 0) return i + 1 < bytes_.size() ? i + 1 : std::string_view::npos;
    }
    return std::string_view::npos;
  }

  // Scans [from, split) here and [split, end) on another thread, then joins
  // the halves; an error in the first half is the one reported, as it comes
  // first. False when the split may not be a record boundary: a quote inside
  // an unquoted cell of the first half upsets the count of quotes.
  bool scanHalves(ChunkScanner& first, size_t from, size_t split) {
    ChunkScanner second(names_);
    std::exception_ptr secondError;
    CsvTokenizer secondTokens(bytes_, source_, split);
    std::thread worker([&] {
      try {
        second.scanRows(secondTokens);
      } catch (...) {
        secondError = std::current_exception();
      }
    });
    CsvTokenizer firstTokens(bytes_, source_, from, split);
    try {
      first.scanRows(firstTokens);
    } catch (...) {
      worker.join();
      if (firstTokens.sawBareQuote()) return false;
      throw;
    }
    worker.join();
    if (firstTokens.sawBareQuote()) return false;
    if (secondError) std::rethrow_exception(secondError);
    for (size_t c = 0; c < names_.size(); ++c)
      appendColumn(first.columns[c], std::move(second.columns[c]), first.rows, second.rows);
    first.rows += second.rows;
    return true;
  }

  std::shared_ptr<Table> finish(ChunkScanner& scan) {
    std::vector<Table::ColumnData> out;
    out.reserve(names_.size());
    for (size_t i = 0; i < names_.size(); ++i) {
      ColumnScan& c = scan.columns[i];
      Table::ColumnData d = std::move(c.data);
      d.info.name = names_[i];
      d.info.attributes = kAttributes;
      if (c.numeric && !c.anyValue) {  // no value at all: text
        c.numeric = false;
        d.reals = {};
        d.offsets.assign(scan.rows, 0);
        d.lengths.assign(scan.rows, 0);
      }
      if (c.numeric && c.allInt) {
        d.info.type = adInteger;
        d.info.definedSize = 4;
        d.info.attributes |= adFldFixed;
        d.ints.resize(d.reals.size());
        for (size_t r = 0; r < d.reals.size(); ++r) d.ints[r] = static_cast<int64_t>(d.reals[r]);
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
    return Table::fromColumns(source_, std::move(out), scan.rows);
  }

  std::string_view bytes_;
  std::string source_;
  std::vector<std::string> names_;
};

}  // namespace

std::shared_ptr<Table> readCsv(std::string_view bytes, const std::string& sourceName) {
  return CsvReader(bytes, sourceName).read();
}

std::shared_ptr<Table> readCsvFile(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) throw DataError(path, std::string("cannot open the file: ") + std::strerror(errno));
  struct stat st {};
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    throw DataError(path, "not a regular file");
  }
  // Read with read(2) rather than mapped, so that a file changed meanwhile
  // cannot fault; the buffer is left uninitialised, as read fills it.
  size_t capacity = static_cast<size_t>(st.st_size) + 1;
  std::unique_ptr<char[]> buffer(new char[capacity]);
  size_t size = 0;
  for (;;) {
    if (size == capacity) {
      std::unique_ptr<char[]> bigger(new char[capacity * 2]);
      std::memcpy(bigger.get(), buffer.get(), size);
      buffer = std::move(bigger);
      capacity *= 2;
    }
    const ssize_t got = ::read(fd, buffer.get() + size, capacity - size);
    if (got == 0) break;
    if (got < 0) {
      if (errno == EINTR) continue;
      const int err = errno;
      ::close(fd);
      throw DataError(path, std::string("the file cannot be read: ") + std::strerror(err));
    }
    size += static_cast<size_t>(got);
  }
  ::close(fd);
  return readCsv(std::string_view(buffer.get(), size), path);
}

}  // namespace orlix::ado
