#include "engine/value_sort.h"

#include <algorithm>
#include <array>
#include <bit>

namespace orlix::engine {
namespace {

// Unsigned key whose order is the numeric order of the double.
std::uint64_t SortKey(double value) {
  const auto bits = std::bit_cast<std::uint64_t>(value);
  return (bits >> 63) ? ~bits : bits | (std::uint64_t{1} << 63);
}

double FromSortKey(std::uint64_t key) {
  return std::bit_cast<double>((key >> 63) ? key & ~(std::uint64_t{1} << 63) : ~key);
}

using KeyedRow = SortScratch::KeyedRow;

constexpr int kDigitBits = 11;
constexpr int kDigits = (64 + kDigitBits - 1) / kDigitBits;
constexpr std::size_t kBuckets = std::size_t{1} << kDigitBits;

// LSD radix sort; stable, so equal keys keep row order.
void RadixSort(std::vector<KeyedRow>& a, std::vector<KeyedRow>& b) {
  const std::size_t n = a.size();
  b.resize(n);
  std::vector<std::array<std::uint32_t, kDigits>> histogram(kBuckets);
  for (const KeyedRow& r : a) {
    for (int d = 0; d < kDigits; ++d) ++histogram[(r.key >> (d * kDigitBits)) & (kBuckets - 1)][d];
  }
  std::array<std::uint32_t, kBuckets> offset{};
  for (int d = 0; d < kDigits; ++d) {
    const unsigned shift = static_cast<unsigned>(d * kDigitBits);
    if (histogram[(a[0].key >> shift) & (kBuckets - 1)][d] == n) continue;  // one digit for all keys
    std::uint32_t sum = 0;
    for (std::size_t k = 0; k < kBuckets; ++k) {
      offset[k] = sum;
      sum += histogram[k][d];
    }
    for (const KeyedRow& r : a) b[offset[(r.key >> shift) & (kBuckets - 1)]++] = r;
    a.swap(b);
  }
}

}  // namespace

SortedColumn SortByValue(std::span<const double> values, SortScratch& scratch) {
  const std::size_t n = values.size();
  std::vector<KeyedRow>& keyed = scratch.keyed;
  keyed.resize(n);
  for (std::size_t i = 0; i < n; ++i) keyed[i] = {SortKey(values[i]), static_cast<std::int32_t>(i)};
  if (n < 2048) {
    std::stable_sort(keyed.begin(), keyed.end(), [](const KeyedRow& x, const KeyedRow& y) { return x.key < y.key; });
  } else {
    RadixSort(keyed, scratch.other);
  }
  SortedColumn sorted;
  sorted.rows.resize(n);
  for (std::size_t i = 0; i < n; ++i) {
    if (i == 0 || keyed[i].key != keyed[i - 1].key) sorted.distinct.push_back(FromSortKey(keyed[i].key));
    sorted.rows[i] = {keyed[i].row, static_cast<std::int32_t>(sorted.distinct.size() - 1), 0.0};
  }
  return sorted;
}

}  // namespace orlix::engine
