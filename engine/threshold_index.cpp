#include "engine/threshold_index.h"

#include <algorithm>
#include <climits>

namespace orlix::engine {

ThresholdIndex::ThresholdIndex(std::vector<double> distinct, std::vector<double> thresholds)
    : distinct_(std::move(distinct)), thresholds_(std::move(thresholds)) {
  const int d = DistinctCount();
  gaps_ = std::max(d - 1, 0);
  // Gap of each threshold; thresholds below the smallest value or at or above
  // the largest leave one side of every node empty and are never candidates.
  std::vector<int> gapOf(thresholds_.size(), -1);
  offsets_.assign(static_cast<std::size_t>(gaps_) + 2, 0);
  for (std::size_t r = 0; r < thresholds_.size(); ++r) {
    const auto it = std::upper_bound(distinct_.begin(), distinct_.end(), thresholds_[r]);
    const int k = static_cast<int>(it - distinct_.begin()) - 1;
    if (k >= 0 && k < gaps_) {
      gapOf[r] = k;
      ++offsets_[static_cast<std::size_t>(k) + 1];
    }
  }
  for (std::size_t k = 1; k < offsets_.size(); ++k) offsets_[k] += offsets_[k - 1];
  ranks_.resize(static_cast<std::size_t>(offsets_.back()));
  std::vector<int> fill(offsets_.begin(), offsets_.end() - 1);
  for (std::size_t r = 0; r < thresholds_.size(); ++r) {
    if (gapOf[r] >= 0) ranks_[static_cast<std::size_t>(fill[static_cast<std::size_t>(gapOf[r])]++)] = static_cast<int>(r);
  }
  tree_.assign(2 * static_cast<std::size_t>(gaps_), INT_MAX);
  for (int k = 0; k < gaps_; ++k) {
    if (offsets_[k] < offsets_[k + 1]) tree_[static_cast<std::size_t>(gaps_ + k)] = ranks_[static_cast<std::size_t>(offsets_[k])];
  }
  for (int i = gaps_ - 1; i > 0; --i) tree_[i] = std::min(tree_[2 * i], tree_[2 * i + 1]);
}

int ThresholdIndex::FirstRank(int from, int to) const {
  int best = INT_MAX;
  for (int l = from + gaps_, r = to + gaps_; l < r; l /= 2, r /= 2) {
    if (l & 1) best = std::min(best, tree_[static_cast<std::size_t>(l++)]);
    if (r & 1) best = std::min(best, tree_[static_cast<std::size_t>(--r)]);
  }
  return best == INT_MAX ? -1 : best;
}

}  // namespace orlix::engine
