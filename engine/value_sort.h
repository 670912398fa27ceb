// Sorting a column's rows by value: one radix sort gives the distinct values,
// their order and the row order the split search sweeps.
#pragma once

#include <cstdint>
#include <vector>

namespace orlix {

// Rows 0 .. values.size()-1 ordered by ascending value (total order of the bit
// patterns: -0.0 before +0.0), ties in row order. Values must not be NaN.
std::vector<std::int32_t> SortRowsByValue(const std::vector<double>& values);

}  // namespace orlix
