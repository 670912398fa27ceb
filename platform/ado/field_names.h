// Names as the data layer matches them (fields, tables, sheets, connection
// string keys): ASCII letters ignoring case, every other byte as it is, in any
// process locale. And field names as the readers hand them on.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace orlix::ado {

// 'A'..'Z' to 'a'..'z'; every other byte unchanged.
constexpr char asciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// `s` with its ASCII letters in lower case.
std::string asciiLowered(std::string_view s);

// Equality ignoring ASCII case: the one rule by which every name is matched.
bool equalsIgnoreCase(std::string_view a, std::string_view b);

// An empty name becomes "F" + its 1-based position; a repeated name (ignoring
// ASCII case) gets "_2", "_3", ...
void MakeFieldNamesUnique(std::vector<std::string>& names);

}  // namespace orlix::ado
