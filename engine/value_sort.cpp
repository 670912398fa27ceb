#include "engine/value_sort.h"

#include <algorithm>
#include <array>
#include <bit>
#include <numeric>

namespace orlix {
namespace {

// Unsigned key whose order is the numeric order of the double.
std::uint64_t SortKey(double value) {
  const auto bits = std::bit_cast<std::uint64_t>(value);
  return (bits >> 63) ? ~bits : bits | (std::uint64_t{1} << 63);
}

struct KeyedRow {
  std::uint64_t key;
  std::int32_t row;
};

constexpr int kDigitBits = 16;
constexpr int kDigits = 64 / kDigitBits;
constexpr std::size_t kBuckets = std::size_t{1} << kDigitBits;

}  // namespace

std::vector<std::int32_t> SortRowsByValue(const std::vector<double>& values) {
  const std::size_t n = values.size();
  std::vector<KeyedRow> a(n), b(n);
  for (std::size_t i = 0; i < n; ++i) a[i] = {SortKey(values[i]), static_cast<std::int32_t>(i)};

  if (n < 4096) {
    std::stable_sort(a.begin(), a.end(), [](const KeyedRow& x, const KeyedRow& y) { return x.key < y.key; });
  } else {
    // LSD radix sort, stable, so equal keys keep row order.
    std::vector<std::array<std::uint32_t, kDigits>> histogram(kBuckets);
    for (const KeyedRow& r : a) {
      for (int d = 0; d < kDigits; ++d) ++histogram[(r.key >> (d * kDigitBits)) & (kBuckets - 1)][d];
    }
    std::vector<std::uint32_t> offset(kBuckets);
    for (int d = 0; d < kDigits; ++d) {
      const unsigned shift = static_cast<unsigned>(d * kDigitBits);
      const std::uint64_t first = (a[0].key >> shift) & (kBuckets - 1);
      if (histogram[first][d] == n) continue;  // every key shares this digit
      std::uint32_t sum = 0;
      for (std::size_t k = 0; k < kBuckets; ++k) {
        offset[k] = sum;
        sum += histogram[k][d];
      }
      for (const KeyedRow& r : a) b[offset[(r.key >> shift) & (kBuckets - 1)]++] = r;
      a.swap(b);
    }
  }
  std::vector<std::int32_t> rows(n);
  for (std::size_t i = 0; i < n; ++i) rows[i] = a[i].row;
  return rows;
}

}  // namespace orlix
