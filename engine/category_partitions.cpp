#include "engine/category_partitions.h"

#include <bit>

namespace orlix::engine {
namespace {

// Number of partitions: sum over k = 0 .. n/2 of n! / ((n-k)! k!), in doubles,
// the total truncated after each addition.
int PartitionCount(int n) {
  auto factorial = [](int k) {
    double f = 1;
    for (int i = 2; i <= k; ++i) f *= i;
    return f;
  };
  int total = 0;
  for (int k = 0; k <= n / 2; ++k) {
    total = static_cast<int>(total + factorial(n) / (factorial(n - k) * factorial(k)));
  }
  return total;
}

}  // namespace

CategoryPartitions::CategoryPartitions(const ValueCounts& valueCounts, std::ostream& out) {
  for (const auto& entry : valueCounts) categories_.push_back(entry.first);
  const int count = n();
  if (count > kMaxSplitCategories) {
    out << "math error in compute_n_partitions" << std::endl;
    return;
  }
  masks_.reserve(static_cast<std::size_t>(PartitionCount(count)));
  for (int k = 0; k <= count / 2; ++k) {
    for (std::uint32_t m = 0; m < (std::uint32_t{1} << count); ++m) {
      if (std::popcount(m) == k) masks_.push_back(m);
    }
  }
}

std::vector<std::string> CategoryPartitions::Pick(std::uint32_t mask) const {
  std::vector<std::string> picked;
  for (int i = 0; i < n(); ++i) {
    if (mask & (std::uint32_t{1} << i)) picked.push_back(categories_[static_cast<std::size_t>(i)]);
  }
  return picked;
}

std::vector<std::string> CategoryPartitions::Subset(int p) const { return Pick(SubsetMask(p)); }

std::vector<std::string> CategoryPartitions::Complement(int p) const {
  return Pick(~SubsetMask(p) & ((std::uint32_t{1} << n()) - 1));
}

}  // namespace orlix::engine
