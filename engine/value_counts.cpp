#include "engine/value_counts.h"

#include <algorithm>
#include <cstdint>

namespace orlix::engine {
namespace {

// std::string compares through char_traits<char>, which orders bytes as unsigned.
bool TextLess(const ValueCounts::Entry& a, std::string_view b) { return a.first < b; }

}  // namespace

// The first 16 bytes of a text as two big-endian numbers, zero padded: their
// order is the texts' order except that ties need the whole texts.
struct PrefixKey {
  std::uint64_t high = 0;
  std::uint64_t low = 0;
  std::uint32_t index = 0;
};

PrefixKey KeyOf(const std::string& text, std::uint32_t index) {
  PrefixKey key;
  key.index = index;
  for (std::size_t i = 0; i < 16; ++i) {
    const std::uint64_t byte = i < text.size() ? static_cast<unsigned char>(text[i]) : 0;
    (i < 8 ? key.high : key.low) = ((i < 8 ? key.high : key.low) << 8) | byte;
  }
  return key;
}

ValueCounts ValueCounts::FromUnsorted(std::vector<Entry> entries) {
  std::vector<PrefixKey> keys;
  keys.reserve(entries.size());
  for (std::size_t i = 0; i < entries.size(); ++i) keys.push_back(KeyOf(entries[i].first, static_cast<std::uint32_t>(i)));
  std::sort(keys.begin(), keys.end(), [&](const PrefixKey& a, const PrefixKey& b) {
    if (a.high != b.high) return a.high < b.high;
    if (a.low != b.low) return a.low < b.low;
    return entries[a.index].first < entries[b.index].first;
  });
  ValueCounts result;
  result.entries_.reserve(entries.size());
  for (const PrefixKey& key : keys) {
    Entry& entry = entries[key.index];
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

}  // namespace orlix::engine
