#include "engine/variance_criterion.h"

#include <bit>
#include <climits>

namespace orlix {
namespace {

constexpr double kEpsilon = 0x1p-53;  // unit roundoff of double

// Exponent of the lowest set bit of a non-zero finite value.
int LowestBit(double value) {
  int exponent = 0;
  const double fraction = std::frexp(std::abs(value), &exponent);
  const auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
  return exponent - 53 + std::countr_zero(mantissa);
}

struct VarianceRange {
  double low = 0;
  double high = 0;
};

// Range of the variance (n, sum, sumSquares) can take when the sums are off by
// at most sumError and squaresError and every operation rounds once more.
VarianceRange Variances(const VarianceStats& s, bool constant, double sumError, double squaresError) {
  if (s.n < 1 || constant) return {};
  const double n = s.n;
  const double high = std::abs(s.sum) + sumError;
  const double low = std::max(std::abs(s.sum) - sumError, 0.0);
  const double slack = 8 * kEpsilon * (s.sumSquares + squaresError + high * high / n);
  double lowVariance = (s.sumSquares - squaresError - high * high / n - slack) / n;
  double highVariance = (s.sumSquares + squaresError - low * low / n + slack) / n;
  lowVariance -= 4 * kEpsilon * std::abs(lowVariance);
  highVariance += 4 * kEpsilon * std::abs(highVariance);
  return {std::max(lowVariance, 0.0), std::max(highVariance, 0.0)};
}

float Sd(double variance) { return static_cast<float>(std::sqrt(variance)); }

}  // namespace

bool SumsAreExact(const std::vector<double>& values) {
  int lowest = INT_MAX;
  double sum = 0, squares = 0;
  for (double v : values) {
    if (v == 0) continue;
    lowest = std::min(lowest, LowestBit(v));
    sum += std::abs(v);
    squares += v * v;
  }
  if (lowest == INT_MAX) return true;
  // In units of the lowest bit every partial sum must stay an exact integer
  // (a factor 2 of margin covers the rounding of the check itself).
  return std::ldexp(sum, -lowest) < 0x1p52 && std::ldexp(squares, -2 * lowest) < 0x1p52;
}

ScoreRange VarianceCriterion::ChildrenScores(bool rightConstant, float best) const {
  const Stats right = parent_.Minus(left_);
  const float score = VarianceScore(MomentsOf(left_).sd, MomentsOf(right, rightConstant).sd);
  if (exactSums_) return {score, score};
  // Two orders of adding up at most n terms of the parent differ by at most
  // a few n epsilon of the sum of magnitudes.
  const double tolerance = 8.0 * (parent_.n + 2) * kEpsilon;
  const double sumError = tolerance * parent_.absSum;
  const double squaresError = tolerance * parent_.sumSquares;
  const VarianceRange l = Variances(left_, left_.Constant(), sumError, squaresError);
  const VarianceRange r = Variances(right, rightConstant, sumError, squaresError);
  // Rounding the sds and the score to floats loses less than 2^-20 of it.
  if ((l.low + r.low) * (1 - 0x1p-20) > static_cast<double>(best)) return {score, score};
  return {VarianceScore(Sd(l.low), Sd(r.low)), VarianceScore(Sd(l.high), Sd(r.high))};
}

}  // namespace orlix
