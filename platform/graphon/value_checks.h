#pragma once
// Checks of the values the diagram's setters take; each returns the value or
// throws std::invalid_argument / std::out_of_range naming `what`.
#include <cstdint>

#include "platform/graphon/style.h"

namespace orlix::graphon::check {

float coordinate(float value, const char* what);  // finite
float extent(float value, const char* what);      // finite, 0 or more
std::int32_t shape(std::int32_t value);           // 0..15
std::int32_t lineStyle(std::int32_t value, const char* what);  // 0..6
std::int32_t lineWidth(std::int32_t value, const char* what);  // 0 or more
const Font& font(const Font& value, const char* what);         // positive finite size

}  // namespace orlix::graphon::check
