// Provider: one opened data source behind a Connection. A provider reads
// whole results into a Table (client-side cursors only) and lists its tables.
// Sources are read-only. Every failure is a DataError naming the source.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ado/table.h"

namespace orlix::ado {

class Provider {
 public:
  virtual ~Provider() = default;

  // Runs `source`, either a table expression ("[sales.txt]", "Sheet1$") or
  // "select * from " + one, and returns the complete result; the caller owns it.
  virtual std::shared_ptr<Table> query(std::string_view source) = 0;
  // The names of the tables (or sheets) the source offers, in catalog order.
  virtual std::vector<std::string> tableNames() = 0;
};

// The table a record-set source names, for providers that take no SQL:
// "select * from [T]", "select * from T", "[T]", "`T`", "\"T\"" or "T" give T.
// A second statement (";" outside brackets or quotes) or any other SQL
// (where, joins, column lists) throws DataError naming `sourceName`.
std::string tableNameFromSource(std::string_view source, const std::string& sourceName);

}  // namespace orlix::ado
