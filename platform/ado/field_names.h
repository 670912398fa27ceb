// Field names as the readers hand them on: never empty, unique ignoring ASCII case.
#pragma once

#include <string>
#include <vector>

namespace orlix::ado {

// An empty name becomes "F" + its 1-based position; a repeated name gets "_2", "_3", ...
void MakeFieldNamesUnique(std::vector<std::string>& names);

// Equality ignoring ASCII case, as field and table names are matched.
bool SameNameIgnoringCase(const std::string& a, const std::string& b);

}  // namespace orlix::ado
