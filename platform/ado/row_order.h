// Sorting the rows of a table for Recordset::SetSort.
#pragma once

#include <string_view>
#include <vector>

#include "platform/ado/table.h"

namespace orlix::ado {

struct SortKey {
  size_t column;
  bool descending;
};

// Parses "Name [ASC|DESC], ..."; DataError for an unknown field or keyword.
std::vector<SortKey> parseSortKeys(std::string_view text, const Table& table);
// Row indices in key order; stable, NULLs first, text ignoring ASCII case.
std::vector<size_t> sortedRows(const Table& table, const std::vector<SortKey>& keys);

}  // namespace orlix::ado
