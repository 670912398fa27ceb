// Splits CSV bytes into records and cells (RFC 4180 quoting), without
// copying: cells point into the input. The input comes as windows: a window
// starts with a record, and unless it is the last of what is read, a record
// that runs past its end is left for the next window. Used by the CSV
// reader's passes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orlix::ado {

struct CsvCell {
  const char* data = nullptr;  // inside the quotes for a quoted cell
  uint32_t size = 0;
  bool quoted = false;
  bool escapes = false;  // holds "" pairs that stand for one quote

  bool empty() const { return size == 0; }
  std::string_view raw() const { return {data, size}; }
  // The cell's text with "" turned into "; uses `scratch` when needed.
  std::string_view text(std::string& scratch) const;
};

// Line breaks as the reader counts lines: "\n", "\r\n" and a lone "\r".
size_t countLineBreaks(std::string_view bytes);

class CsvTokenizer {
 public:
  explicit CsvTokenizer(std::string sourceName);

  // Reads `window` from here on: bytes that begin with a record (after a
  // UTF-8 byte-order mark, skipped when `fileStart`). `last` when nothing
  // follows the window; `firstLine` is the line where it begins.
  void start(std::string_view window, bool last, size_t firstLine, bool fileStart = false);

  // Reads the next record that is not blank; false at the end of the window
  // (or where a record runs past a window that is not the last). Throws
  // DataError on an unbalanced quote, text after a closing quote or an
  // over-long record.
  bool next(std::vector<CsvCell>& cells);
  // 1-based line number where the last record began.
  size_t line() const;
  // Bytes of the window taken by whole records so far, and in all.
  size_t offset() const { return pos_; }
  size_t size() const { return data_.size(); }

  [[noreturn]] void fail(const std::string& message) const;
  // Whether a quote stood inside an unquoted cell (kept there as a character).
  bool sawBareQuote() const { return sawBareQuote_; }

 private:
  // A record that runs past a window that is not the last: left for the next.
  bool stopShort();

  std::string_view data_;
  std::string source_;
  bool last_ = true;
  size_t firstLine_ = 1;
  size_t pos_ = 0;
  size_t recordStart_ = 0;
  mutable size_t lineCountedTo_ = 0;
  mutable size_t lineAtCounted_ = 1;
  bool sawBareQuote_ = false;
};

}  // namespace orlix::ado
