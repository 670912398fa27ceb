// Splits CSV bytes into records and cells (RFC 4180 quoting), without
// copying: cells point into the input. Used by the CSV reader's passes.
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

class CsvTokenizer {
 public:
  // `data` must outlive the tokenizer; a UTF-8 byte-order mark is skipped.
  // With `begin` and `end`, reads only the records starting in that stretch
  // (`begin` must start a record); line numbers still count from the top.
  CsvTokenizer(std::string_view data, std::string sourceName, size_t begin = 0,
               size_t end = std::string_view::npos);

  // Reads the next record that is not blank; false at the end. Throws
  // DataError on an unbalanced quote, text after a closing quote or an
  // over-long record.
  bool next(std::vector<CsvCell>& cells);
  // 1-based line number where the last record began.
  size_t line() const;
  void rewind();
  // Bytes consumed so far, and in all.
  size_t offset() const { return pos_; }
  size_t size() const { return data_.size(); }

  [[noreturn]] void fail(const std::string& message) const;
  // Whether a quote stood inside an unquoted cell (kept there as a character).
  bool sawBareQuote() const { return sawBareQuote_; }

 private:
  std::string_view data_;
  std::string source_;
  size_t start_ = 0;  // offset after the byte-order mark
  size_t pos_ = 0;
  size_t recordStart_ = 0;
  std::string_view whole_;  // for line numbers
  mutable size_t lineCountedTo_ = 0;
  mutable size_t lineAtCounted_ = 1;
  bool sawBareQuote_ = false;
};

}  // namespace orlix::ado
