#include "platform/ado/text/csv_tokenizer.h"

#include <algorithm>
#include <cstring>

#include "platform/ado/text/csv_reader.h"
#include "platform/ado/error.h"

namespace orlix::ado {

namespace {

// Bytes that end an unquoted cell.
struct StopTable {
  bool stop[256] = {};
  constexpr StopTable() {
    stop[static_cast<unsigned char>(',')] = true;
    stop[static_cast<unsigned char>('\n')] = true;
    stop[static_cast<unsigned char>('\r')] = true;
    stop[static_cast<unsigned char>('"')] = true;
  }
};
constexpr StopTable kStops;

bool isBlankRecord(const std::vector<CsvCell>& cells) {
  if (cells.size() != 1 || cells[0].quoted) return false;
  std::string_view s = cells[0].raw();
  return std::all_of(s.begin(), s.end(), [](char c) { return c == ' ' || c == '\t'; });
}

}  // namespace

std::string_view CsvCell::text(std::string& scratch) const {
  if (!escapes) return raw();
  scratch.clear();
  for (uint32_t i = 0; i < size; ++i) {
    scratch.push_back(data[i]);
    if (data[i] == '"') ++i;  // the second quote of a pair
  }
  return scratch;
}

size_t countLineBreaks(std::string_view bytes) {
  if (bytes.empty()) return 0;
  const char* const end = bytes.data() + bytes.size();
  size_t breaks = 0;
  if (!std::memchr(bytes.data(), '\r', bytes.size())) {  // the usual case, counted by memchr's stride
    for (const char* p = bytes.data(); (p = static_cast<const char*>(std::memchr(p, '\n', end - p))); ++p) ++breaks;
    return breaks;
  }
  for (const char* p = bytes.data(); p < end; ++p)
    if (*p == '\n' || (*p == '\r' && (p + 1 == end || p[1] != '\n'))) ++breaks;
  return breaks;
}

CsvTokenizer::CsvTokenizer(std::string sourceName) : source_(std::move(sourceName)) {}

void CsvTokenizer::start(std::string_view window, bool last, size_t firstLine, bool fileStart) {
  data_ = window;
  last_ = last;
  firstLine_ = firstLine;
  pos_ = recordStart_ = 0;
  if (fileStart && data_.substr(0, 3) == "\xEF\xBB\xBF") pos_ = recordStart_ = 3;
  lineCountedTo_ = 0;
  lineAtCounted_ = firstLine;
}

size_t CsvTokenizer::line() const {
  // Counted lazily and incrementally: only messages need it.
  if (recordStart_ < lineCountedTo_) {
    lineCountedTo_ = 0;
    lineAtCounted_ = firstLine_;
  }
  lineAtCounted_ += countLineBreaks(data_.substr(lineCountedTo_, recordStart_ - lineCountedTo_));
  lineCountedTo_ = recordStart_;
  return lineAtCounted_;
}

void CsvTokenizer::fail(const std::string& message) const {
  throw DataError(source_, "line " + std::to_string(line()) + ": " + message);
}

bool CsvTokenizer::stopShort() {
  pos_ = recordStart_;
  return false;
}

bool CsvTokenizer::next(std::vector<CsvCell>& cells) {
  const char* const begin = data_.data();
  const char* const end = begin + data_.size();
  for (;;) {
    cells.clear();
    if (pos_ >= data_.size()) return false;
    recordStart_ = pos_;
    const char* p = begin + pos_;
    for (;;) {
      CsvCell cell;
      if (p < end && *p == '"') {
        cell.quoted = true;
        cell.data = ++p;
        for (;;) {
          const char* q = static_cast<const char*>(std::memchr(p, '"', end - p));
          // Without the rest, a missing closing quote or a quote at the very
          // end (the first of a "" pair?) cannot be told.
          if ((!q || q + 1 == end) && !last_) return stopShort();
          if (!q) fail("a quoted field has no closing quote");
          if (q + 1 < end && q[1] == '"') {
            cell.escapes = true;
            p = q + 2;
            continue;
          }
          p = q + 1;
          if (q - cell.data > static_cast<ptrdiff_t>(kMaxCsvRecordBytes))
            fail("a record is longer than 16 MiB");
          cell.size = static_cast<uint32_t>(q - cell.data);
          break;
        }
        if (p < end && *p != ',' && *p != '\n' && *p != '\r')
          fail("text after the closing quote of field " + std::to_string(cells.size() + 1));
      } else {
        cell.data = p;
        for (;;) {
          while (p < end && !kStops.stop[static_cast<unsigned char>(*p)]) ++p;
          if (p == end || *p != '"') break;
          sawBareQuote_ = true;  // kept as text, as lenient readers do
          ++p;
        }
        if (p - cell.data > static_cast<ptrdiff_t>(kMaxCsvRecordBytes))
          fail("a record is longer than 16 MiB");
        cell.size = static_cast<uint32_t>(p - cell.data);
      }
      cells.push_back(cell);
      if (static_cast<size_t>(p - (begin + recordStart_)) > kMaxCsvRecordBytes)
        fail("a record is longer than 16 MiB");
      if (p < end && *p == ',') {
        ++p;
        continue;
      }
      // The record's end must be seen whole: "\r" may be followed by "\n".
      if (!last_ && (p == end || (*p == '\r' && p + 1 == end))) return stopShort();
      if (p < end && *p == '\r') ++p;
      if (p < end && *p == '\n') ++p;
      break;
    }
    pos_ = static_cast<size_t>(p - begin);
    if (!isBlankRecord(cells)) return true;
  }
}

}  // namespace orlix::ado
