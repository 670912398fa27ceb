#include "treelayout/property_bag.h"

#include <charconv>
#include <cmath>
#include <type_traits>

#include "treelayout/control_error.h"

namespace orlix::treelayout {
namespace {

std::optional<double> parsed(const std::string& text) {
  double value = 0;
  const char* first = text.data();
  const char* last = first + text.size();
  while (first != last && *first == ' ') ++first;
  while (last != first && last[-1] == ' ') --last;
  const auto [end, error] = std::from_chars(first, last, value);
  if (error != std::errc{} || end != last || first == last) return std::nullopt;
  return value;
}

}  // namespace

std::optional<PropertyValue> MemoryPropertyBag::read(const std::string& name) const {
  const auto found = values_.find(name);
  if (found == values_.end()) return std::nullopt;
  return found->second;
}

void MemoryPropertyBag::write(const std::string& name, const PropertyValue& value) {
  values_.insert_or_assign(name, value);
}

std::optional<double> readNumber(const PropertyBag& bag, const std::string& name) {
  const std::optional<PropertyValue> value = bag.read(name);
  if (!value) return std::nullopt;
  const std::optional<double> number = std::visit(
      [](const auto& v) -> std::optional<double> {
        if constexpr (std::is_same_v<std::decay_t<decltype(v)>, std::string>)
          return parsed(v);
        else
          return static_cast<double>(v);
      },
      *value);
  if (!number || !std::isfinite(*number))
    throw ControlError::invalidPropertyValue("the stored \"" + name + "\" is not a number");
  return number;
}

}  // namespace orlix::treelayout
