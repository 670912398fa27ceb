// The analysis table's columns made from the source's, a whole column at a
// time: the fill of move_to_memory. Each source column is freed as soon as
// its analysis column is made, and a column of doubles is taken over as it
// is, so the source and the analysis table are never both held whole.
#pragma once

#include <cstddef>
#include <vector>

#include "engine/cancellation.h"
#include "engine/row_table.h"
#include "platform/ado/table.h"

namespace orlix::server {

// The analysis columns of the source columns at positions `used` (the
// predictors in source order, then the target), taking `source` over.
// A record with a NULL in a used field of a non-character type is dropped;
// a NULL in a character field becomes the text "MISSING". Integers become
// 32-bit integer cells, doubles double cells, text text cells; any other
// value its text. Throws std::bad_alloc when memory runs out, and
// engine::RunCancelled every few thousand rows once `cancel` is raised.
std::vector<engine::RowTable::ColumnCells> analysisColumns(std::vector<ado::Table::ColumnData> source,
                                                           const std::vector<std::size_t>& used,
                                                           engine::CancelFlag cancel = nullptr);

}  // namespace orlix::server
