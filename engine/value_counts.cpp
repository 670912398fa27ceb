#include "engine/value_counts.h"

#include <algorithm>

namespace orlix {
namespace {

// std::string compares through char_traits<char>, which orders bytes as unsigned.
bool TextLess(const ValueCounts::Entry& a, std::string_view b) { return a.first < b; }

}  // namespace

ValueCounts ValueCounts::FromUnsorted(std::vector<Entry> entries) {
  std::sort(entries.begin(), entries.end(),
            [](const Entry& a, const Entry& b) { return a.first < b.first; });
  ValueCounts result;
  for (auto& entry : entries) {
    if (!result.entries_.empty() && result.entries_.back().first == entry.first) {
      result.entries_.back().second += entry.second;
    } else {
      result.entries_.push_back(std::move(entry));
    }
  }
  return result;
}

void ValueCounts::Add(std::string_view text, int count) {
  auto it = std::lower_bound(entries_.begin(), entries_.end(), text, TextLess);
  if (it != entries_.end() && it->first == text) {
    it->second += count;
  } else {
    entries_.insert(it, Entry(std::string(text), count));
  }
}

int ValueCounts::IndexOf(std::string_view text) const {
  auto it = std::lower_bound(entries_.begin(), entries_.end(), text, TextLess);
  if (it == entries_.end() || it->first != text) return -1;
  return static_cast<int>(it - entries_.begin());
}

int ValueCounts::CountOf(std::string_view text) const {
  const int i = IndexOf(text);
  return i < 0 ? 0 : entries_[static_cast<std::size_t>(i)].second;
}

void ValueCounts::ZeroCounts() {
  for (auto& entry : entries_) entry.second = 0;
}

}  // namespace orlix
