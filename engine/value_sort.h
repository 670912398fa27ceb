// Sorting a column's rows by value: one radix sort gives the distinct values,
// their order and the row order the split search sweeps.
#pragma once

#include <cstdint>
#include <vector>

namespace orlix {

// A row and the index of its value among the column's distinct values.
struct SortedRow {
  std::int32_t row;
  std::int32_t valueIndex;
};

struct SortedColumn {
  std::vector<SortedRow> rows;   // ascending value, ties in row order
  std::vector<double> distinct;  // distinct bit patterns, ascending (-0.0 just before +0.0)
};

// Sorts values (no NaN) with their row numbers 0 .. size-1.
SortedColumn SortByValue(const std::vector<double>& values);

}  // namespace orlix
