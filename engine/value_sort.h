// Sorting a column's rows by value: one radix sort gives the distinct values,
// their order and the row order the split search sweeps.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace orlix::engine {

// A row as a sweep reads it: its number, the index of its value among the
// column's distinct values, and its target (filled in by the engine, kept
// here so a sweep reads memory in order).
struct SweepRow {
  std::int32_t row;
  std::int32_t valueIndex;
  double target;
};

struct SortedColumn {
  std::vector<SweepRow> rows;    // ascending value, ties in row order; target 0
  std::vector<double> distinct;  // distinct bit patterns, ascending (-0.0 just before +0.0)
};

// Working memory of SortByValue, reused from one column to the next.
struct SortScratch {
  struct KeyedRow {
    std::uint64_t key;
    std::int32_t row;
  };
  std::vector<KeyedRow> keyed;
  std::vector<KeyedRow> other;
};

// Sorts values (no NaN) with their row numbers 0 .. size-1.
SortedColumn SortByValue(std::span<const double> values, SortScratch& scratch);

}  // namespace orlix::engine
