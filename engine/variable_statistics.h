// The statistics pass of InitializeVars: counts, moments, value texts, decile
// cut points, and the in-place conversion of the table's cells (numbers to
// doubles for numeric variables, decile numbers for decile variables).
// Throws EngineDataError naming the variable and the row when a numeric cell is
// not a number, or when the table does not have the shape the engine expects.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "engine/cancellation.h"
#include "engine/column_descriptor.h"
#include "engine/row_table.h"
#include "engine/value_sort.h"

namespace orlix::engine {

// Value text of a cell of a character (non-numeric) variable.
std::string CharacterValueText(const Cell& cell);

// Comparison text of a cell of a character predictor, as a category split
// matches it against the categories (3.4 stays "3.4").
std::string CharacterComparisonText(const Cell& cell);

// Decile goal for decile d of a table of rows rows.
int DecileGoal(int rows, int d);

// Decile number of value given the ten cut points.
int DecileOf(double value, const ColumnDescriptor& column);

// Runs the pass over the first rows rows (variables on up to two threads).
// Returns, for each kind-0 variable, its rows sorted by the cell value after
// the pass (empty for other kinds). Throws RunCancelled before a variable
// once `cancel` is raised.
std::vector<SortedColumn> ComputeVariableStatistics(RowTable& table, std::span<ColumnDescriptor> columns, int rows,
                                                    CancelFlag cancel = nullptr);

}  // namespace orlix::engine
