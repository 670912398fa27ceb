// ThresholdIndex: where a numeric predictor's candidate thresholds fall among
// its distinct values. A threshold t sends a node's rows with value <= t left,
// so every threshold between two neighbouring values of a node makes the same
// split; the search needs the first of them in text order (its rank).
#pragma once

#include <vector>

namespace orlix::engine {

class ThresholdIndex {
 public:
  // distinct: the predictor's distinct cell values, ascending. thresholds[r]:
  // the threshold of rank r (valueCounts order), widened to double.
  ThresholdIndex(std::vector<double> distinct, std::vector<double> thresholds);

  int DistinctCount() const { return static_cast<int>(distinct_.size()); }
  double Distinct(int k) const { return distinct_[static_cast<std::size_t>(k)]; }
  double Threshold(int rank) const { return thresholds_[static_cast<std::size_t>(rank)]; }

  // Smallest rank of a threshold t with Distinct(from) <= t < Distinct(to); -1 when none.
  int FirstRank(int from, int to) const;

  // Calls visit(rank) for every threshold in that interval, in no set order.
  template <typename Visit>
  void ForEachRank(int from, int to, Visit&& visit) const {
    for (int i = offsets_[static_cast<std::size_t>(from)]; i < offsets_[static_cast<std::size_t>(to)]; ++i) {
      visit(ranks_[static_cast<std::size_t>(i)]);
    }
  }

 private:
  std::vector<double> distinct_;
  std::vector<double> thresholds_;
  // Ranks grouped by gap k (Distinct(k) <= t < Distinct(k+1)): ranks_[offsets_[k] ..
  // offsets_[k+1]), ascending within a gap.
  std::vector<int> offsets_;
  std::vector<int> ranks_;
  // Segment tree over each gap's smallest rank (leaves at gaps_ + k).
  int gaps_ = 0;
  std::vector<int> tree_;
};

}  // namespace orlix::engine
