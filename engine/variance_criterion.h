// The regression criterion: the sum of the two children's target variances,
// smaller is better. The split searches drive it incrementally: reset with all
// of the parent's rows on the right, move rows (or groups of rows) to the left,
// ask for the children's score.
#pragma once

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "engine/split_criterion.h"

namespace orlix::engine {

// Count and double-precision sums of target values, and whether all the
// values are equal (known for rows added one by one or in groups; a
// difference of two sets is not known to be constant).
struct VarianceStats {
  int n = 0;
  double sum = 0;
  double sumSquares = 0;
  double low = std::numeric_limits<double>::infinity();
  double high = -std::numeric_limits<double>::infinity();

  void Add(double y) {
    ++n;
    sum += y;
    sumSquares += y * y;
    low = std::min(low, y);
    high = std::max(high, y);
  }
  void Add(const VarianceStats& other) {
    n += other.n;
    sum += other.sum;
    sumSquares += other.sumSquares;
    low = std::min(low, other.low);
    high = std::max(high, other.high);
  }
  VarianceStats Minus(const VarianceStats& other) const {
    return {n - other.n, sum - other.sum, sumSquares - other.sumSquares};
  }
  bool Constant() const { return low == high; }
};

// Mean and population sd as a node stores them. A variance that rounds below 0
// is 0, and so is the spread of equal values, whatever the sums round to.
struct Moments {
  float mean = 0;
  float sd = 0;
};

inline Moments MomentsOf(const VarianceStats& s, bool constant) {
  if (s.n < 1) return {};
  const double variance = (s.sumSquares - s.sum * s.sum / s.n) / s.n;
  const double sd = constant ? 0.0 : std::sqrt(variance > 0 ? variance : 0.0);
  return {static_cast<float>(s.sum / s.n), static_cast<float>(sd)};
}

inline Moments MomentsOf(const VarianceStats& s) { return MomentsOf(s, s.Constant()); }

// left sd squared plus right sd squared, stored as a float.
inline float VarianceScore(float leftSd, float rightSd) {
  return static_cast<float>(std::pow(static_cast<double>(leftSd), 2.0) +
                            std::pow(static_cast<double>(rightSd), 2.0));
}

class VarianceCriterion {
 public:
  using Stats = VarianceStats;
  static constexpr float kInitialBest = 1e15f;
  static bool Better(float a, float b) { return a < b; }

  // target[row]: the target cell of every table row, as a double.
  explicit VarianceCriterion(const std::vector<double>& target) : target_(target) {}

  void AddRow(Stats& stats, int row) const { stats.Add(target_[static_cast<std::size_t>(row)]); }
  void Reset(const Stats& parent) {
    parent_ = parent;
    left_ = {};
  }
  void MoveRowLeft(const SweepRow& row) { left_.Add(row.target); }
  void MoveLeft(const Stats& rows) { left_.Add(rows); }
  int LeftCount() const { return left_.n; }
  int RightCount() const { return parent_.n - left_.n; }
  // rightConstant: whether the rows on the right all have the same target.
  float ChildrenScore(bool rightConstant) const {
    return VarianceScore(MomentsOf(left_).sd, MomentsOf(parent_.Minus(left_), rightConstant).sd);
  }

 private:
  const std::vector<double>& target_;
  Stats parent_;
  Stats left_;
};

static_assert(SplitCriterion<VarianceCriterion>);

}  // namespace orlix::engine
