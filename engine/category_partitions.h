// CategoryPartitions: the two-way partitions of a character predictor's
// categories that a category split tries, in the order they are tried.
#pragma once

#include <cstdint>
#include <iostream>
#include <string>
#include <vector>

#include "engine/value_counts.h"

namespace orlix::engine {

// A character predictor with more categories than this never splits a node.
inline constexpr int kMaxSplitCategories = 10;

class CategoryPartitions {
 public:
  // From a variable's valueCounts. More than 10 categories give no partitions
  // and the text "math error in compute_n_partitions" on out.
  explicit CategoryPartitions(const ValueCounts& valueCounts, std::ostream& out = std::cout);

  const std::vector<std::string>& categories() const { return categories_; }
  int n() const { return static_cast<int>(categories_.size()); }
  int partitionCount() const { return static_cast<int>(masks_.size()); }
  // Bit i set: category i is in the subset of partition p.
  std::uint32_t SubsetMask(int p) const { return masks_[static_cast<std::size_t>(p)]; }
  std::vector<std::string> Subset(int p) const;
  std::vector<std::string> Complement(int p) const;

 private:
  std::vector<std::string> Pick(std::uint32_t mask) const;

  std::vector<std::string> categories_;
  std::vector<std::uint32_t> masks_;
};

}  // namespace orlix::engine
