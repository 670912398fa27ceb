// ValueCounts: rows per distinct value text, kept in the engine's text order
// (byte by byte, which for UTF-8 is code point order; a prefix comes first).
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace orlix::engine {

class ValueCounts {
 public:
  using Entry = std::pair<std::string, int>;

  // Builds from texts in any order; equal texts are merged by adding counts.
  static ValueCounts FromUnsorted(std::vector<Entry> entries);

  // Adds count rows to text (inserting it in order when new).
  void Add(std::string_view text, int count);
  // Rows of text, 0 when absent.
  int CountOf(std::string_view text) const;
  // Index of text in order, -1 when absent.
  int IndexOf(std::string_view text) const;

  int size() const { return static_cast<int>(entries_.size()); }
  bool empty() const { return entries_.empty(); }
  const Entry& operator[](int i) const { return entries_[static_cast<std::size_t>(i)]; }
  auto begin() const { return entries_.begin(); }
  auto end() const { return entries_.end(); }
  void clear() { entries_.clear(); }
  // Sets every count to 0, keeping the texts.
  void ZeroCounts();
  bool operator==(const ValueCounts&) const = default;

 private:
  std::vector<Entry> entries_;
};

}  // namespace orlix::engine
