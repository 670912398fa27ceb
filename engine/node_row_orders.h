// NodeRowOrders: the rows of the node being grown, kept sorted by each numeric
// predictor's value and, separately, in row order. A node owns the same index
// range [begin, end) in every array; splitting a node partitions its range
// stably, so both children's ranges stay sorted and no node is ever re-sorted.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "engine/value_sort.h"

namespace orlix::engine {

struct RowRange {
  int begin = 0;
  int end = 0;
  int size() const { return end - begin; }
};

class NodeRowOrders {
 public:
  // byValue[c]: all rows sorted by variable c's value with their value indexes,
  // empty for variables that are not searched by threshold (taken over).
  // targets[row]: the target of each row as the criterion reads it.
  void Build(std::vector<std::vector<SweepRow>> byValue, const std::vector<double>& targets);

  std::span<const SweepRow> ByValue(int column, RowRange range) const;
  std::span<const std::int32_t> ByRow(RowRange range) const;

  // Moves the rows whose goesLeft byte is 1 to the front of range in every
  // array, keeping their order; returns the left child's range end.
  int Partition(RowRange range, const std::vector<char>& goesLeft);

  // Puts range back in sorted order (after its subranges were partitioned).
  void Restore(RowRange range);

 private:
  std::vector<std::vector<SweepRow>> byValue_;
  std::vector<std::int32_t> byRow_;
};

}  // namespace orlix::engine
