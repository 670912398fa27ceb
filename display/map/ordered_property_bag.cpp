#include "display/map/ordered_property_bag.h"

#include <charconv>
#include <cmath>
#include <stdexcept>
#include <type_traits>

namespace orlix::display {
namespace {

using graphon::view::StoredProperty;
using treelayout::PropertyValue;

template <typename T>
std::string numberText(T value) {
  char buffer[64];
  const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
  return error == std::errc{} ? std::string(buffer, end) : std::string();
}

StoredProperty stored(const std::string& name, const PropertyValue& value) {
  return std::visit(
      [&](const auto& v) -> StoredProperty {
        using T = std::decay_t<decltype(v)>;
        if constexpr (std::is_same_v<T, std::string>) return {name, StoredProperty::Type::Text, v};
        else if constexpr (std::is_same_v<T, std::int16_t>) return {name, StoredProperty::Type::Int16, numberText(v)};
        else if constexpr (std::is_same_v<T, std::int32_t>) return {name, StoredProperty::Type::Int32, numberText(v)};
        else if constexpr (std::is_same_v<T, float>) return {name, StoredProperty::Type::Single, numberText(v)};
        else return {name, StoredProperty::Type::Double, numberText(v)};
      },
      value);
}

template <typename T>
T parsed(const StoredProperty& p) {
  T value{};
  const char* first = p.value.data();
  const char* last = first + p.value.size();
  const auto [end, error] = std::from_chars(first, last, value);
  if (error != std::errc{} || end != last || first == last)
    throw std::invalid_argument("the stored property \"" + p.name + "\" has a bad value \"" + p.value + "\"");
  return value;
}

PropertyValue value(const StoredProperty& p) {
  switch (p.type) {
    case StoredProperty::Type::Int16: return parsed<std::int16_t>(p);
    case StoredProperty::Type::Int32: return parsed<std::int32_t>(p);
    case StoredProperty::Type::Single: return parsed<float>(p);
    case StoredProperty::Type::Double: return parsed<double>(p);
    case StoredProperty::Type::Text: return p.value;
  }
  return p.value;
}

}  // namespace

std::optional<PropertyValue> OrderedPropertyBag::read(const std::string& name) const {
  for (const auto& [key, value] : entries_)
    if (key == name) return value;
  return std::nullopt;
}

void OrderedPropertyBag::write(const std::string& name, const PropertyValue& value) {
  for (auto& [key, stored] : entries_)
    if (key == name) {
      stored = value;
      return;
    }
  entries_.emplace_back(name, value);
}

graphon::view::PropertySection OrderedPropertyBag::section(const std::string& owner) const {
  graphon::view::PropertySection s{owner, {}};
  for (const auto& [name, v] : entries_) s.properties.push_back(stored(name, v));
  return s;
}

OrderedPropertyBag OrderedPropertyBag::fromSection(const graphon::view::PropertySection& section) {
  OrderedPropertyBag bag;
  for (const StoredProperty& p : section.properties) bag.write(p.name, value(p));
  return bag;
}

}  // namespace orlix::display
