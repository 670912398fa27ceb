// The SQL text an SQL provider runs for a record-set source, and the guard
// that keeps it to one statement.
#pragma once

#include <string>
#include <string_view>

namespace orlix::ado {

// A source that starts with SELECT, WITH or VALUES runs as it is; anything
// else is a table expression and becomes "select * from " + source.
// Throws DataError naming `sourceName` when the text holds a second statement
// (a ";" outside quotes, brackets and comments followed by more text).
std::string sqlForSource(std::string_view source, const std::string& sourceName);

}  // namespace orlix::ado
