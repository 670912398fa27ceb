// How the components compare field names: the data layer's one rule (ASCII
// letters ignoring case, every other byte equal), under the components' name.
#pragma once

#include <string_view>

#include "platform/ado/field_names.h"

namespace orlix::server {

inline bool sameFieldName(std::string_view a, std::string_view b) { return ado::equalsIgnoreCase(a, b); }

}  // namespace orlix::server
