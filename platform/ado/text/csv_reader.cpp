#include "platform/ado/text/csv_reader.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <exception>
#include <memory>
#include <thread>

#include "platform/ado/connection_string.h"
#include "platform/ado/error.h"
#include "platform/ado/text/csv_tokenizer.h"
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
constexpr size_t kFileWindow = 4u << 20;

// Where the bytes come from: a file read with pread, or bytes in memory.
class ByteSource {
 public:
  virtual ~ByteSource() = default;
  // Up to `n` bytes from `offset` into `out`; 0 at the end.
  virtual size_t readAt(size_t offset, char* out, size_t n) = 0;
  // Every byte at once, where they are in memory already; empty otherwise.
  virtual std::string_view whole() const { return {}; }
  // Looked at before each window is handed out.
  CancelFlag cancel = nullptr;
};

class MemorySource : public ByteSource {
 public:
  explicit MemorySource(std::string_view bytes) : bytes_(bytes) {}
  size_t readAt(size_t offset, char* out, size_t n) override {
    if (offset >= bytes_.size()) return 0;
    n = std::min(n, bytes_.size() - offset);
    std::memcpy(out, bytes_.data() + offset, n);
    return n;
  }
  std::string_view whole() const override { return bytes_; }

 private:
  std::string_view bytes_;
};

// Read with pread rather than mapped, so that a file changed meanwhile
// cannot fault; a file that shrinks simply ends sooner.
class FileSource : public ByteSource {
 public:
  explicit FileSource(const std::string& path) : path_(path) {
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0) throw DataError(path, std::string("cannot open the file: ") + std::strerror(errno));
    struct stat st {};
    if (fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) {
      ::close(fd_);
      throw DataError(path, "not a regular file");
    }
    size_ = static_cast<size_t>(st.st_size);
  }
  ~FileSource() override { ::close(fd_); }
  FileSource(const FileSource&) = delete;
  FileSource& operator=(const FileSource&) = delete;

  size_t size() const { return size_; }
  size_t readAt(size_t offset, char* out, size_t n) override {
    for (;;) {
      const ssize_t got = ::pread(fd_, out, n, static_cast<off_t>(offset));
      if (got >= 0) return static_cast<size_t>(got);
      if (errno != EINTR) throw DataError(path_, std::string("the file cannot be read: ") + std::strerror(errno));
    }
  }

 private:
  std::string path_;
  int fd_ = -1;
  size_t size_ = 0;
};

// The bytes [begin, end) of a source, handed out window by window in one
// reused buffer (or, for bytes in memory read at once, as they are).
class Stretch {
 public:
  static constexpr size_t kToEnd = std::string_view::npos;

  Stretch(ByteSource& source, size_t begin, size_t end, size_t windowBytes)
      : source_(source), begin_(begin), end_(end), next_(begin) {
    if (windowBytes == 0) {
      const std::string_view all = source.whole();
      whole_ = all.substr(std::min(begin, all.size()), end == kToEnd ? kToEnd : end - begin);
      return;
    }
    capacity_ = end == kToEnd ? windowBytes : std::min(windowBytes, end - begin + 1);
    buffer_.reset(new char[capacity_]);
  }

  // The next window: the unconsumed end of the last one (from `consumed`
  // on), then more bytes; `last` once it reaches the end of the stretch. A
  // window nothing of which was consumed grows, up to one byte more than
  // the longest record.
  std::string_view next(size_t consumed, bool& last) {
    throwIfCancelled(source_.cancel);
    if (!buffer_) {
      last = true;
      return consumed == 0 ? whole_ : std::string_view();
    }
    std::memmove(buffer_.get(), buffer_.get() + consumed, used_ - consumed);
    used_ -= consumed;
    windowStart_ += consumed;
    if (used_ == capacity_ && capacity_ <= kMaxCsvRecordBytes) {
      const size_t bigger = std::min(capacity_ * 2, kMaxCsvRecordBytes + 1);
      std::unique_ptr<char[]> grown(new char[bigger]);
      std::memcpy(grown.get(), buffer_.get(), used_);
      buffer_ = std::move(grown);
      capacity_ = bigger;
    }
    while (used_ < capacity_ && !atEnd_) {
      size_t want = capacity_ - used_;
      if (end_ != kToEnd) want = std::min(want, end_ - next_);
      const size_t got = want ? source_.readAt(next_, buffer_.get() + used_, want) : 0;
      used_ += got;
      next_ += got;
      atEnd_ = got == 0 || (end_ != kToEnd && next_ >= end_);
    }
    last = atEnd_;
    return {buffer_.get(), used_};
  }

  // Where the current window starts, counted from the stretch's beginning.
  size_t windowOffset() const { return windowStart_; }
  size_t begin() const { return begin_; }

 private:
  ByteSource& source_;
  size_t begin_, end_, next_;
  std::string_view whole_;
  std::unique_ptr<char[]> buffer_;
  size_t capacity_ = 0, used_ = 0, windowStart_ = 0;
  bool atEnd_ = false;
};

// Calls onRecord(cells, tokens) for each record of the stretch, in order,
// until it returns false; the tokenizer numbers lines from `firstLine`.
// Returns the stretch offset after the last record handed over.
template <typename OnRecord>
size_t readRecords(Stretch& stretch, CsvTokenizer& tokens, size_t firstLine, bool fileStart, OnRecord&& onRecord) {
  std::vector<CsvCell> cells;
  size_t consumed = 0;
  size_t line = firstLine;
  for (;;) {
    bool last = false;
    const std::string_view window = stretch.next(consumed, last);
    tokens.start(window, last, line, fileStart && stretch.windowOffset() == 0);
    while (tokens.next(cells))
      if (!onRecord(cells, tokens)) return stretch.windowOffset() + tokens.offset();
    if (last) return stretch.windowOffset() + tokens.offset();
    consumed = tokens.offset();
    if (consumed == 0 && window.size() > kMaxCsvRecordBytes) tokens.fail("a record is longer than 16 MiB");
    line += countLineBreaks(window.substr(0, consumed));
  }
}

struct ColumnScan {
  bool numeric = true;   // every value so far is a number
  bool allInt = true;    // every value so far is a 32-bit integer: kept in data.ints, else in data.reals
  bool anyValue = false;
  bool reread = false;   // text after numbers: its text is read in a second pass
  Table::ColumnData data;
};

// A column that held 32-bit integers only takes its first other number.
void intsToReals(ColumnScan& c) {
  c.data.reals.reserve(std::max(c.data.ints.capacity(), c.data.ints.size() + 1));
  for (int64_t v : c.data.ints) c.data.reals.push_back(static_cast<double>(v));
  c.data.ints = {};
  c.allInt = false;
}

// Reads the records of one stretch of the file into per-column arrays,
// deciding each column's kind as it goes (see the table above).
class ChunkScanner {
 public:
  explicit ChunkScanner(const std::vector<std::string>& names) : columns(names.size()), names_(&names) {}

  void scanRows(Stretch& stretch, CsvTokenizer& tokens, size_t firstLine, size_t expectedBytes) {
    std::string scratch;
    readRecords(stretch, tokens, firstLine, false, [&](const std::vector<CsvCell>& cells, CsvTokenizer& t) {
      tokens_ = &t;
      cells_ = &cells;
      if (rows == 256) reserveFor(stretch.windowOffset() + t.offset(), expectedBytes);
      checkWidth();
      for (size_t col = 0; col < columns.size(); ++col) scanCell(col, scratch);
      ++rows;
      return true;
    });
  }

  // Reads only the columns marked for a second pass, as text.
  void rereadText(Stretch& stretch, CsvTokenizer& tokens, size_t firstLine) {
    for (ColumnScan& c : columns) {
      if (!c.reread) continue;
      c.data.nulls.reserve(rows);
      c.data.offsets.reserve(rows);
      c.data.lengths.reserve(rows);
    }
    std::string scratch;
    readRecords(stretch, tokens, firstLine, false, [&](const std::vector<CsvCell>& cells, CsvTokenizer& t) {
      tokens_ = &t;
      for (size_t col = 0; col < columns.size(); ++col) {
        ColumnScan& c = columns[col];
        if (!c.reread) continue;
        if (col >= cells.size() || cells[col].empty()) {
          pushNull(c);
          continue;
        }
        pushChecked(c, col, cells[col].text(scratch));
      }
      return true;
    });
  }

  std::vector<ColumnScan> columns;
  size_t rows = 0;

 private:
  const std::vector<std::string>* names_;
  CsvTokenizer* tokens_ = nullptr;               // the one being read
  const std::vector<CsvCell>* cells_ = nullptr;  // the record being read

  void scanCell(size_t col, std::string& scratch) {
    ColumnScan& c = columns[col];
    const std::vector<CsvCell>& cells = *cells_;
    if (c.reread) {
      // Its text is kept in the second pass, but checked now, so that the
      // first bad field of the file is the one reported whichever column holds it.
      if (col < cells.size() && !cells[col].empty()) checkText(col, cells[col].text(scratch));
      return;
    }
    if (col >= cells.size() || cells[col].empty()) return pushNull(c);
    if (c.numeric) {
      double v;
      const TextCellKind k = cells[col].escapes ? TextCellKind::Text : classifyTextCell(cells[col].raw(), v);
      if (k != TextCellKind::Text) {
        c.anyValue = true;
        if (c.allInt && k != TextCellKind::Int32) intsToReals(c);
        if (c.allInt)
          c.data.ints.push_back(static_cast<int64_t>(v));
        else
          c.data.reals.push_back(v);
        c.data.nulls.push_back(false);
        return;
      }
      if (c.anyValue) {  // numbers before: the column is read again as text
        c.numeric = c.allInt = false;
        c.reread = true;
        c.data = {};
        checkText(col, cells[col].text(scratch));
        return;
      }
      becomeText(c, rows);
    }
    c.anyValue = true;
    pushChecked(c, col, cells[col].text(scratch));
  }

  void checkText(size_t col, std::string_view text) const {
    const size_t bad = invalidUtf8Offset(text);
    if (bad != std::string_view::npos)
      tokens_->fail(std::string(text[bad] == '\0' ? "a NUL byte" : "invalid UTF-8") + " in field '" +
                    (*names_)[col] + "'");
  }

  void pushChecked(ColumnScan& c, size_t col, std::string_view text) {
    checkText(col, text);
    c.data.offsets.push_back(c.data.chars.size());
    c.data.lengths.push_back(static_cast<uint32_t>(text.size()));
    c.data.chars.append(text);
    c.data.nulls.push_back(false);
  }

  static void pushNull(ColumnScan& c) {
    c.data.nulls.push_back(true);
    if (!c.numeric) {
      c.data.offsets.push_back(0);
      c.data.lengths.push_back(0);
    } else if (c.allInt) {
      c.data.ints.push_back(0);
    } else {
      c.data.reals.push_back(0);
    }
  }

  // The first value of a column is text: it is text from the start.
  static void becomeText(ColumnScan& c, size_t rows) {
    c.numeric = c.allInt = false;
    c.data.ints = {};
    c.data.reals = {};
    c.data.offsets.assign(rows, 0);
    c.data.lengths.assign(rows, 0);
  }

  void checkWidth() {
    const std::vector<CsvCell>& cells = *cells_;
    for (size_t i = columns.size(); i < cells.size(); ++i)
      if (!cells[i].empty())
        tokens_->fail("the row has " + std::to_string(cells.size()) + " fields, the header " +
                      std::to_string(columns.size()));
  }

  // Reserves every column for the number of rows the first ones suggest, so
  // that large files are not copied while their columns grow.
  void reserveFor(size_t used, size_t expectedBytes) {
    if (used == 0) return;
    const size_t expected = rows * std::max(expectedBytes, used) / used * 21 / 20 + 16;
    for (ColumnScan& c : columns) {
      c.data.nulls.reserve(expected);
      if (c.numeric) {
        if (c.allInt)
          c.data.ints.reserve(expected);
        else
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
  if (!a.anyValue && b.anyValue && !b.numeric) {  // a holds NULLs only: take b's kind
    a.numeric = a.allInt = false;
    a.data.ints = {};
    a.data.offsets.assign(rowsA, 0);
    a.data.lengths.assign(rowsA, 0);
  }
  a.anyValue = a.anyValue || b.anyValue;
  a.data.nulls.insert(a.data.nulls.end(), b.data.nulls.begin(), b.data.nulls.end());
  if (a.numeric) {
    if (!b.numeric) {  // b held NULLs only
      if (a.allInt)
        a.data.ints.resize(rowsA + rowsB, 0);
      else
        a.data.reals.resize(rowsA + rowsB, 0);
      return;
    }
    if (a.allInt && !b.allInt) intsToReals(a);
    if (!a.allInt && b.allInt) intsToReals(b);
    if (a.allInt)
      a.data.ints.insert(a.data.ints.end(), b.data.ints.begin(), b.data.ints.end());
    else
      a.data.reals.insert(a.data.reals.end(), b.data.reals.begin(), b.data.reals.end());
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

class CsvReader {
 public:
  CsvReader(ByteSource& source, size_t size, const std::string& name, const CsvReading& reading)
      : source_(source), size_(size), name_(name), reading_(reading) {
    source_.cancel = reading.cancel;
  }

  std::shared_ptr<Table> read() {
    readHeader();
    ChunkScanner scan(names_);
    const size_t split = splitPoint();
    if (split == Stretch::kToEnd || !scanHalves(scan, split)) {
      scan = ChunkScanner(names_);
      Stretch all(source_, dataStart_, Stretch::kToEnd, windowFrom(dataStart_));
      CsvTokenizer tokens(name_);
      scan.scanRows(all, tokens, dataLine_, size_ - std::min(size_, dataStart_));
    }
    if (std::any_of(scan.columns.begin(), scan.columns.end(), [](auto& c) { return c.reread; })) {
      Stretch again(source_, dataStart_, Stretch::kToEnd, windowFrom(dataStart_));
      CsvTokenizer tokens(name_);
      scan.rereadText(again, tokens, dataLine_);
    }
    return finish(scan);
  }

 private:
  // The window for reading from `offset`: 0 (everything at once) for bytes in
  // memory unless told otherwise, else no larger than what is there to read.
  size_t windowFrom(size_t offset) const {
    if (reading_.windowBytes == 0 && !source_.whole().empty()) return 0;
    const size_t window = reading_.windowBytes ? reading_.windowBytes : kFileWindow;
    return std::min(window, (size_ > offset ? size_ - offset : 0) + 1);
  }

  void readHeader() {
    Stretch head(source_, 0, Stretch::kToEnd, windowFrom(0));
    CsvTokenizer tokens(name_);
    bool found = false;
    dataStart_ = readRecords(head, tokens, 1, true, [&](const std::vector<CsvCell>& cells, CsvTokenizer& t) {
      found = true;
      std::string scratch;
      for (size_t i = 0; i < cells.size(); ++i) {
        std::string_view name = cells[i].text(scratch);
        const size_t bad = invalidUtf8Offset(name);
        if (bad != std::string_view::npos)
          t.fail(std::string(name[bad] == '\0' ? "a NUL byte" : "invalid UTF-8") + " in the header");
        std::string unique = name.empty() ? "F" + std::to_string(i + 1) : std::string(name);
        // A repeated name gets its position, so that every field can be named.
        while (std::any_of(names_.begin(), names_.end(),
                           [&](const std::string& o) { return equalsIgnoreCase(o, unique); }))
          unique += std::to_string(i + 1);
        names_.push_back(std::move(unique));
      }
      return false;
    });
    if (!found) throw DataError(name_, "the file is empty: no header line");
    dataLine_ = 1 + countLineBreaks(headBytes(dataStart_));
  }

  // The first `n` bytes (the header's), for counting its lines.
  std::string headBytes(size_t n) {
    std::string bytes(n, '\0');
    size_t got = 0;
    while (got < n) {
      const size_t more = source_.readAt(got, bytes.data() + got, n - got);
      if (more == 0) break;
      got += more;
    }
    bytes.resize(got);
    return bytes;
  }

  // The start of the first line after the middle of a large file's data;
  // kToEnd for a small file or when no line ends after the middle. Whether
  // it starts a record (and not a line inside a quoted field) is known once
  // the first half has been read up to it.
  size_t splitPoint() {
    if (size_ <= dataStart_ || size_ - dataStart_ < reading_.splitAbove) return Stretch::kToEnd;
    const size_t middle = dataStart_ + (size_ - dataStart_) / 2;
    Stretch rest(source_, middle, Stretch::kToEnd, windowFrom(middle));
    size_t consumed = 0;
    for (;;) {
      bool last = false;
      const std::string_view window = rest.next(consumed, last);
      const size_t at = window.find('\n');
      if (at != std::string_view::npos) {
        const size_t split = middle + rest.windowOffset() + at + 1;
        return split < size_ ? split : Stretch::kToEnd;
      }
      if (last) return Stretch::kToEnd;
      consumed = window.size();
    }
  }

  // Scans [dataStart, split) here and [split, end) on another thread, then
  // joins the halves. False when either half fails: the first half fails
  // where the split lies inside a quoted field (and the halves are then
  // not records), and an error of the second half is reported with the
  // line counted from the top by a reading of the whole.
  bool scanHalves(ChunkScanner& first, size_t split) {
    ChunkScanner second(names_);
    std::exception_ptr secondError;
    Stretch secondStretch(source_, split, Stretch::kToEnd, windowFrom(split));
    CsvTokenizer secondTokens(name_);
    std::thread worker([&] {
      try {
        second.scanRows(secondStretch, secondTokens, 1, size_ - split);
      } catch (...) {
        secondError = std::current_exception();
      }
    });
    Stretch firstStretch(source_, dataStart_, split, windowFrom(dataStart_));
    CsvTokenizer firstTokens(name_);
    bool firstFailed = false;
    try {
      // Room for the second half too, which is appended to the first.
      first.scanRows(firstStretch, firstTokens, dataLine_, size_ - dataStart_);
    } catch (const DataError&) {
      firstFailed = true;
    } catch (...) {
      worker.join();
      throw;
    }
    worker.join();
    throwIfCancelled(reading_.cancel);  // not a failure to read the whole again
    if (firstFailed || secondError) return false;
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
        d.ints = {};
        d.reals = {};
        d.offsets.assign(scan.rows, 0);
        d.lengths.assign(scan.rows, 0);
      }
      if (c.numeric && c.allInt) {
        d.info.type = adInteger;
        d.info.definedSize = 4;
        d.info.attributes |= adFldFixed;
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
    return Table::fromColumns(name_, std::move(out), scan.rows);
  }

  ByteSource& source_;
  size_t size_;
  std::string name_;
  CsvReading reading_;
  std::vector<std::string> names_;
  size_t dataStart_ = 0;  // the offset of the first record after the header
  size_t dataLine_ = 1;   // its line
};

}  // namespace

std::shared_ptr<Table> readCsv(std::string_view bytes, const std::string& sourceName, const CsvReading& reading) {
  MemorySource source(bytes);
  return CsvReader(source, bytes.size(), sourceName, reading).read();
}

std::shared_ptr<Table> readCsvFile(const std::string& path, const CsvReading& reading) {
  FileSource source(path);
  return CsvReader(source, source.size(), path, reading).read();
}

}  // namespace orlix::ado
