// The category criterion: the chi-square statistic of the two children's class
// counts, larger is better. Driven by the split searches like VarianceCriterion.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "engine/split_criterion.h"

namespace orlix::engine {

// A category map's target has at most this many classes.
inline constexpr int kMaxClasses = 10;

// Rows per class index (the classes in text order).
struct ClassStats {
  int n = 0;
  std::array<int, kMaxClasses> counts{};

  void Add(int classIndex) {
    ++n;
    ++counts[static_cast<std::size_t>(classIndex)];
  }
  void Add(const ClassStats& other) {
    n += other.n;
    for (std::size_t i = 0; i < counts.size(); ++i) counts[i] += other.counts[i];
  }
  ClassStats Minus(const ClassStats& other) const {
    ClassStats result;
    result.n = n - other.n;
    for (std::size_t i = 0; i < counts.size(); ++i) result.counts[i] = counts[i] - other.counts[i];
    return result;
  }
  // Category searches ask whether a side is constant; it does not matter here.
  bool Constant() const { return false; }
};

// Chi-square of the 2 x classes table of observed counts, with expected counts
// T_r x C_i / T truncated to integers (64-bit), cells of expected count 0 left
// out; the terms, left node's classes first, are added into a float total.
float ChiSquare(const ClassStats& left, const ClassStats& right, int classes);

class ChiSquareCriterion {
 public:
  using Stats = ClassStats;
  static constexpr float kInitialBest = -1e15f;
  static bool Better(float a, float b) { return a > b; }

  // classOf[row]: the class index of every table row; classes: their number.
  ChiSquareCriterion(const std::vector<std::int8_t>& classOf, int classes) : classOf_(classOf), classes_(classes) {}

  void AddRow(Stats& stats, int row) const { stats.Add(classOf_[static_cast<std::size_t>(row)]); }
  void Reset(const Stats& parent) {
    parent_ = parent;
    left_ = {};
  }
  void MoveRowLeft(const SweepRow& row) { left_.Add(static_cast<int>(row.target)); }
  void MoveLeft(const Stats& rows) { left_.Add(rows); }
  int LeftCount() const { return left_.n; }
  int RightCount() const { return parent_.n - left_.n; }
  float ChildrenScore(bool /*rightConstant*/) const { return ChiSquare(left_, parent_.Minus(left_), classes_); }

 private:
  const std::vector<std::int8_t>& classOf_;
  int classes_;
  Stats parent_;
  Stats left_;
};

static_assert(SplitCriterion<ChiSquareCriterion>);

}  // namespace orlix::engine
