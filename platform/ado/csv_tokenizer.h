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
  CsvTokenizer(std::string_view data, std::string sourceName);

  // Reads the next record that is not blank; false at the end. Throws
  // DataError on an unbalanced quote, text after a closing quote or an
  // over-long record.
  bool next(std::vector<CsvCell>& cells);
  // 1-based line number where the last record began.
  size_t line() const;
  void rewind();

  [[noreturn]] void fail(const std::string& message) const;

 private:
  std::string_view data_;
  std::string source_;
  size_t start_ = 0;  // offset after the byte-order mark
  size_t pos_ = 0;
  size_t recordStart_ = 0;
  mutable size_t lineCountedTo_ = 0;
  mutable size_t lineAtCounted_ = 1;
};

}  // namespace orlix::ado
