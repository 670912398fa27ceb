#include "engine/node_row_orders.h"

#include <algorithm>
#include <numeric>

#include "engine/parallel_for.h"

namespace orlix::engine {
namespace {

// Stable partition of [first, last) through scratch: invariant after the loop,
// [first, first + kept) holds the left rows in their old order and scratch the
// right rows in theirs.
template <typename T, typename IsLeft>
int StablePartition(T* first, T* last, std::vector<T>& scratch, IsLeft&& isLeft) {
  scratch.clear();
  T* out = first;
  for (T* p = first; p != last; ++p) {
    if (isLeft(*p)) {
      *out++ = *p;
    } else {
      scratch.push_back(*p);
    }
  }
  std::copy(scratch.begin(), scratch.end(), out);
  return static_cast<int>(out - first);
}

}  // namespace

void NodeRowOrders::Build(std::vector<std::vector<SweepRow>> byValue, const std::vector<double>& targets) {
  byValue_ = std::move(byValue);
  ParallelFor(static_cast<int>(byValue_.size()), [&](int c) {
    for (SweepRow& r : byValue_[static_cast<std::size_t>(c)]) r.target = targets[static_cast<std::size_t>(r.row)];
  });
  byRow_.resize(targets.size());
  std::iota(byRow_.begin(), byRow_.end(), 0);
}

std::span<const SweepRow> NodeRowOrders::ByValue(int column, RowRange range) const {
  return std::span<const SweepRow>(byValue_[column]).subspan(range.begin, range.size());
}

std::span<const std::int32_t> NodeRowOrders::ByRow(RowRange range) const {
  return std::span<const std::int32_t>(byRow_).subspan(range.begin, range.size());
}

int NodeRowOrders::Partition(RowRange range, const std::vector<char>& goesLeft) {
  // Each array is partitioned on its own; a thread keeps its own scratch.
  ParallelFor(2, [&](int part) {
    std::vector<SweepRow> scratch;
    for (std::size_t c = static_cast<std::size_t>(part); c < byValue_.size(); c += 2) {
      std::vector<SweepRow>& order = byValue_[c];
      if (order.empty()) continue;
      StablePartition(order.data() + range.begin, order.data() + range.end, scratch,
                      [&](const SweepRow& r) { return goesLeft[static_cast<std::size_t>(r.row)] == 1; });
    }
  });
  std::vector<std::int32_t> scratch;
  const int left = StablePartition(byRow_.data() + range.begin, byRow_.data() + range.end, scratch,
                                   [&](std::int32_t r) { return goesLeft[static_cast<std::size_t>(r)] == 1; });
  return range.begin + left;
}

void NodeRowOrders::Restore(RowRange range) {
  for (auto& order : byValue_) {
    if (order.empty()) continue;
    std::sort(order.begin() + range.begin, order.begin() + range.end, [](const SweepRow& a, const SweepRow& b) {
      return a.valueIndex != b.valueIndex ? a.valueIndex < b.valueIndex : a.row < b.row;
    });
  }
  std::sort(byRow_.begin() + range.begin, byRow_.begin() + range.end);
}

}  // namespace orlix::engine
