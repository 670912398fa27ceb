#include "platform/graphon/value_checks.h"

#include <cmath>
#include <stdexcept>
#include <string>

namespace orlix::graphon::check {

float coordinate(float value, const char* what) {
  if (!std::isfinite(value)) throw std::invalid_argument(std::string(what) + " must be a finite number");
  return value;
}

float extent(float value, const char* what) {
  if (coordinate(value, what) < 0.0f)
    throw std::invalid_argument(std::string(what) + " must not be negative");
  return value;
}

std::int32_t shape(std::int32_t value) {
  if (value < kShapeEllipse || value > kShapeOctogon)
    throw std::out_of_range("shape " + std::to_string(value) + " is outside 0..15");
  return value;
}

std::int32_t lineStyle(std::int32_t value, const char* what) {
  if (value < kLineSolid || value > kLineInsideSolid)
    throw std::out_of_range(std::string(what) + " " + std::to_string(value) + " is outside 0..6");
  return value;
}

std::int32_t lineWidth(std::int32_t value, const char* what) {
  if (value < 0) throw std::invalid_argument(std::string(what) + " must not be negative");
  return value;
}

const Font& font(const Font& value, const char* what) {
  if (!std::isfinite(value.size) || value.size <= 0.0f)
    throw std::invalid_argument(std::string(what) + " size must be a positive number");
  return value;
}

}  // namespace orlix::graphon::check
