// SplitCandidate: a scored candidate split, and the one order that decides
// between candidates: the better score wins; equal scores go to the candidate
// met first (predictors in column order, then thresholds in text order or
// partitions in enumeration order).
#pragma once

#include <climits>

namespace orlix::engine {

struct SplitCandidate {
  float score;
  int variable = -1;  // engine column of the predictor, -1 for "no candidate yet"
  int order = -1;     // threshold rank in valueCounts order, or partition index
};

// True when a is chosen over b. Criterion::Better(x, y) is the strict
// comparison of scores (false whenever one is NaN), so a NaN score never wins.
// The initial best of a search has variable -1: only a strictly better score beats it.
template <typename Criterion>
bool Precedes(const SplitCandidate& a, const SplitCandidate& b) {
  if (Criterion::Better(a.score, b.score)) return true;
  if (a.score != b.score || b.variable < 0) return false;
  if (a.variable != b.variable) return a.variable < b.variable;
  return a.order < b.order;
}

// The candidate chosen among the best candidates of each predictor (in column
// order) and initial, as one search over all of them would choose it.
template <typename Criterion, typename Candidates>
SplitCandidate FirstBest(const Candidates& perPredictor, SplitCandidate initial) {
  for (const SplitCandidate& candidate : perPredictor) {
    if (Precedes<Criterion>(candidate, initial)) initial = candidate;
  }
  return initial;
}

}  // namespace orlix::engine
