// The split searches, written once for any SplitCriterion. The criterion keeps
// the statistics of a left and a right child and the searches move rows
// between them; they never compute statistics themselves.
// Each search lowers best, in the order of Precedes, to its first best candidate.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "engine/category_partitions.h"
#include "engine/node_row_orders.h"
#include "engine/split_candidate.h"
#include "engine/split_criterion.h"
#include "engine/threshold_index.h"

namespace orlix::engine {

// Calls visit(k, kNext, rightConstant) for every split between neighbouring
// values of a node whose children both hold more than minimumN rows, with the
// criterion holding that split: rows with value index <= k on the left, kNext
// the next value index met, rightConstant whether the right rows' targets are
// all equal. rows: the node's rows in the predictor's value order.
template <SplitCriterion Criterion, typename Visit>
void SweepThresholds(Criterion& criterion, const typename Criterion::Stats& parent,
                     std::span<const SweepRow> rows, int minimumN, Visit&& visit) {
  criterion.Reset(parent);
  const std::size_t n = rows.size();
  // rows[i, n) have equal targets exactly when i >= constantFrom.
  std::size_t constantFrom = n;
  while (constantFrom > 0 && (constantFrom == n || rows[constantFrom - 1].target == rows[n - 1].target)) {
    --constantFrom;
  }
  std::size_t i = 0;
  while (i < n) {
    const int k = rows[i].valueIndex;
    // rows[0, i) are on the left, rows[i, n) on the right.
    do {
      criterion.MoveRowLeft(rows[i]);
      ++i;
    } while (i < n && rows[i].valueIndex == k);
    if (i == n) break;
    if (criterion.LeftCount() <= minimumN) continue;
    if (criterion.RightCount() <= minimumN) break;
    visit(k, rows[i].valueIndex, i >= constantFrom);
  }
}

template <SplitCriterion Criterion>
void SearchNumeric(Criterion& criterion, const typename Criterion::Stats& parent,
                   std::span<const SweepRow> rows, const ThresholdIndex& thresholds, int variable,
                   int minimumN, SplitCandidate& best) {
  SweepThresholds(criterion, parent, rows, minimumN, [&](int k, int kNext, bool rightConstant) {
    SplitCandidate candidate{criterion.ChildrenScore(rightConstant), variable, 0};
    if (Criterion::Better(best.score, candidate.score)) return;  // cannot win or tie
    candidate.order = thresholds.FirstRank(k, kNext);
    if (candidate.order >= 0 && Precedes<Criterion>(candidate, best)) best = candidate;
  });
}

// The same search visiting every threshold in text order, as the trace needs:
// onNewBest(candidate) for each new best.
template <SplitCriterion Criterion, typename OnNewBest>
void SearchNumericInOrder(Criterion& criterion, const typename Criterion::Stats& parent,
                          std::span<const SweepRow> rows, const ThresholdIndex& thresholds, int variable,
                          int minimumN, SplitCandidate& best, OnNewBest&& onNewBest) {
  struct Scored {
    int rank;
    float score;
  };
  std::vector<Scored> scored;
  SweepThresholds(criterion, parent, rows, minimumN, [&](int k, int kNext, bool rightConstant) {
    const float score = criterion.ChildrenScore(rightConstant);
    thresholds.ForEachRank(k, kNext, [&](int rank) { scored.push_back({rank, score}); });
  });
  std::sort(scored.begin(), scored.end(), [](const Scored& a, const Scored& b) { return a.rank < b.rank; });
  for (const Scored& s : scored) {
    const SplitCandidate candidate{s.score, variable, s.rank};
    if (!Precedes<Criterion>(candidate, best)) continue;
    best = candidate;
    onNewBest(candidate);
  }
}

// Rows whose category is in a partition's subset go right, all others left.
// levels[row]: index of the row's comparison text among the categories, or -1.
template <SplitCriterion Criterion>
void SearchCategory(Criterion& criterion, const typename Criterion::Stats& parent,
                    std::span<const std::int32_t> rows, const std::vector<std::int8_t>& levels,
                    const CategoryPartitions& partitions, int variable, int minimumN, SplitCandidate& best) {
  constexpr int kNoCategory = kMaxSplitCategories;
  std::array<typename Criterion::Stats, kMaxSplitCategories + 1> perLevel{};
  for (std::int32_t row : rows) {
    const int level = levels[static_cast<std::size_t>(row)];
    criterion.AddRow(perLevel[static_cast<std::size_t>(level < 0 ? kNoCategory : level)], row);
  }
  for (int p = 0; p < partitions.partitionCount(); ++p) {
    const std::uint32_t subset = partitions.SubsetMask(p);
    criterion.Reset(parent);
    criterion.MoveLeft(perLevel[kNoCategory]);
    typename Criterion::Stats right;
    for (int level = 0; level < partitions.n(); ++level) {
      const auto& rows = perLevel[static_cast<std::size_t>(level)];
      if (subset & (std::uint32_t{1} << level)) {
        right.Add(rows);
      } else {
        criterion.MoveLeft(rows);
      }
    }
    if (criterion.LeftCount() <= minimumN || criterion.RightCount() <= minimumN) continue;
    const SplitCandidate candidate{criterion.ChildrenScore(right.Constant()), variable, p};
    if (Precedes<Criterion>(candidate, best)) best = candidate;
  }
}

}  // namespace orlix::engine
