// How the components compare field names: only the ASCII letters a to z are
// folded to upper case, every other byte must be equal.
#pragma once

#include <string_view>

namespace orlix::server {

bool sameFieldName(std::string_view a, std::string_view b);

}  // namespace orlix::server
