// The order in which candidate splits are tried and ties are broken.
#include <gtest/gtest.h>

#include <cmath>

#include "engine/category_partitions.h"
#include "engine/chi_square_criterion.h"
#include "engine/split_candidate.h"
#include "engine/split_criterion.h"
#include "engine/threshold_index.h"
#include "engine/variance_criterion.h"

namespace orlix::engine {
namespace {

using Strings = std::vector<std::string>;

ValueCounts Categories(const Strings& texts) {
  ValueCounts counts;
  for (const auto& t : texts) counts.Add(t, 1);
  return counts;
}

TEST(CategoryPartitions, TwoCategories) {
  CategoryPartitions p(Categories({"b", "a"}));
  ASSERT_EQ(p.partitionCount(), 3);
  EXPECT_EQ(p.Subset(0), Strings{});
  EXPECT_EQ(p.Complement(0), (Strings{"a", "b"}));
  EXPECT_EQ(p.Subset(1), Strings{"a"});
  EXPECT_EQ(p.Complement(1), Strings{"b"});
  EXPECT_EQ(p.Subset(2), Strings{"b"});
  EXPECT_EQ(p.Complement(2), Strings{"a"});
}

TEST(CategoryPartitions, CountsAndEnumerationOrder) {
  // Subsets of at most half the categories: 2^(n-1) for odd n.
  const int expected[] = {1, 1, 3, 4, 11, 16, 42, 64, 163, 256, 638};
  for (int n = 0; n <= 10; ++n) {
    Strings texts;
    for (int i = 0; i < n; ++i) texts.push_back(std::string(1, static_cast<char>('a' + i)));
    CategoryPartitions p(Categories(texts));
    EXPECT_EQ(p.partitionCount(), expected[n]) << n;
  }
  CategoryPartitions four(Categories({"a", "b", "c", "d"}));
  // Subsets by size, then by bit mask: {} {a} {b} {c} {d} {a,b} {a,c} {b,c} {a,d} ...
  EXPECT_EQ(four.Subset(5), (Strings{"a", "b"}));
  EXPECT_EQ(four.Subset(7), (Strings{"b", "c"}));
  EXPECT_EQ(four.Subset(8), (Strings{"a", "d"}));
  EXPECT_EQ(four.Complement(10), (Strings{"a", "b"}));  // {c,d}: the even split appears from both sides
}

TEST(CategoryPartitions, MoreThanTenCategoriesGiveNone) {
  Strings texts;
  for (int i = 0; i < 11; ++i) texts.push_back(std::to_string(i));
  std::ostringstream out;
  CategoryPartitions p(Categories(texts), out);
  EXPECT_EQ(p.partitionCount(), 0);
  EXPECT_EQ(out.str(), "math error in compute_n_partitions\n");
}

TEST(SplitCandidate, OrderOfCandidates) {
  using V = VarianceCriterion;
  const SplitCandidate none{V::kInitialBest};
  const SplitCandidate a{1.0f, 0, 5};
  EXPECT_TRUE(Precedes<V>(a, none));
  EXPECT_FALSE(Precedes<V>(SplitCandidate{V::kInitialBest, 0, 0}, none));  // must be strictly better
  EXPECT_TRUE(Precedes<V>(SplitCandidate{0.5f, 3, 9}, a));                 // better score
  EXPECT_TRUE(Precedes<V>(SplitCandidate{1.0f, 0, 4}, a));                 // tie: earlier threshold
  EXPECT_FALSE(Precedes<V>(SplitCandidate{1.0f, 0, 6}, a));
  EXPECT_FALSE(Precedes<V>(SplitCandidate{1.0f, 1, 0}, a));                // tie: earlier predictor wins
  EXPECT_TRUE(Precedes<V>(a, SplitCandidate{1.0f, 1, 0}));
  const SplitCandidate nan{std::nanf(""), 0, 0};
  EXPECT_FALSE(Precedes<V>(nan, none));
  EXPECT_FALSE(Precedes<V>(nan, a));
  EXPECT_FALSE(Precedes<V>(a, a));
}

// The smallest criterion the searches accept: the score is the left count.
template <typename Score>
struct CountingCriterion {
  struct Stats {
    int n = 0;
    void Add(const Stats& rows) { n += rows.n; }
    bool Constant() const { return false; }
  };
  static constexpr float kInitialBest = 0;
  static bool Better(float a, float b) { return a > b; }
  void AddRow(Stats& stats, std::int32_t) const { ++stats.n; }
  void Reset(const Stats& parent) { parent_ = parent, left_ = {}; }
  void MoveRowLeft(const SweepRow&) { ++left_.n; }
  void MoveLeft(const Stats& rows) { left_.Add(rows); }
  int LeftCount() const { return left_.n; }
  int RightCount() const { return parent_.n - left_.n; }
  Score ChildrenScore(bool) const { return static_cast<Score>(left_.n); }
  Stats parent_, left_;
};

// Scores are compared as floats everywhere, so a criterion must give floats.
static_assert(SplitCriterion<VarianceCriterion>);
static_assert(SplitCriterion<ChiSquareCriterion>);
static_assert(SplitCriterion<CountingCriterion<float>>);
static_assert(!SplitCriterion<CountingCriterion<double>>);
static_assert(!SplitCriterion<SplitCandidate>);

TEST(ThresholdIndex, FirstThresholdBetweenNodeValues) {
  // Values 1 2 3 5; thresholds by rank: 2.5 (0), 1 (1), 5 (2), 2 (3), 0 (4), 1.5 (5).
  ThresholdIndex index({1, 2, 3, 5}, {2.5, 1, 5, 2, 0, 1.5});
  EXPECT_EQ(index.FirstRank(0, 1), 1);   // [1, 2): 1 and 1.5
  EXPECT_EQ(index.FirstRank(1, 2), 0);   // [2, 3): 2 (rank 3) and 2.5 (rank 0)
  EXPECT_EQ(index.FirstRank(2, 3), -1);  // [3, 5): none
  EXPECT_EQ(index.FirstRank(0, 3), 0);
  std::vector<int> ranks;
  index.ForEachRank(0, 2, [&](int r) { ranks.push_back(r); });
  std::sort(ranks.begin(), ranks.end());
  EXPECT_EQ(ranks, (std::vector<int>{0, 1, 3, 5}));
}

}  // namespace
}  // namespace orlix::engine
