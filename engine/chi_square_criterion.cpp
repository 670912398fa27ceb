#include "engine/chi_square_criterion.h"

namespace orlix::engine {

float ChiSquare(const ClassStats& left, const ClassStats& right, int classes) {
  const ClassStats* side[2] = {&left, &right};
  const std::int64_t total = static_cast<std::int64_t>(left.n) + right.n;
  float score = 0;
  for (const ClassStats* node : side) {
    for (int i = 0; i < classes; ++i) {
      const std::int64_t classTotal = static_cast<std::int64_t>(left.counts[i]) + right.counts[i];
      const std::int64_t expected = total == 0 ? 0 : node->n * classTotal / total;
      if (expected <= 0) continue;
      const double difference = static_cast<double>(node->counts[i] - expected);
      // The term in double, the running total in single precision.
      score = static_cast<float>(score + difference * difference / static_cast<double>(expected));
    }
  }
  return score;
}

}  // namespace orlix::engine
