// SplitCriterion: what the split searches ask of a criterion (VarianceCriterion,
// ChiSquareCriterion). A criterion holds one node's rows divided between a
// left and a right child: Reset puts them all on the right, the searches move
// rows (one by one or in groups) to the left and ask for the children's score.
// Its Stats sum a set of rows; the searches never look inside them.
#pragma once

#include <concepts>
#include <cstdint>

#include "engine/value_sort.h"

namespace orlix::engine {

template <typename S>
concept RowStats = std::semiregular<S> && requires(S& stats, const S& rows) {
  stats.Add(rows);                               // joins another set of rows
  { rows.Constant() } -> std::same_as<bool>;     // whether the rows' targets are all equal
};

template <typename C>
concept SplitCriterion =
    std::copy_constructible<C> && RowStats<typename C::Stats> &&
    requires(C& criterion, const C& held, typename C::Stats& stats, const typename C::Stats& rows,
             const SweepRow& sweepRow, std::int32_t row, float score, bool rightConstant) {
      { C::kInitialBest } -> std::convertible_to<float>;     // the score every candidate must beat
      { C::Better(score, score) } -> std::same_as<bool>;     // strictly better, false for NaN
      held.AddRow(stats, row);                               // adds a table row to stats
      criterion.Reset(rows);                                 // rows: the node's, all on the right
      criterion.MoveRowLeft(sweepRow);
      criterion.MoveLeft(rows);
      { held.LeftCount() } -> std::same_as<int>;
      { held.RightCount() } -> std::same_as<int>;
      { held.ChildrenScore(rightConstant) } -> std::same_as<float>;
    };

}  // namespace orlix::engine
