#pragma once
// The named store a container persists its controls' properties in. A control
// writes its values by name and reads them back by name; a name not there
// reads as no value.
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <variant>

namespace orlix::treelayout {

using PropertyValue = std::variant<std::int16_t, std::int32_t, float, double, std::string>;

class PropertyBag {
 public:
  virtual ~PropertyBag() = default;
  virtual std::optional<PropertyValue> read(const std::string& name) const = 0;
  virtual void write(const std::string& name, const PropertyValue& value) = 0;
};

// A property bag held in memory, for containers that keep their own files.
class MemoryPropertyBag : public PropertyBag {
 public:
  std::optional<PropertyValue> read(const std::string& name) const override;
  void write(const std::string& name, const PropertyValue& value) override;
  void erase(const std::string& name) { values_.erase(name); }

 private:
  std::map<std::string, PropertyValue, std::less<>> values_;
};

// The entry `name` as a number: numbers as they are, texts read in the C
// locale. No value when the entry is missing; ControlError 380 naming the
// entry when it holds something else.
std::optional<double> readNumber(const PropertyBag& bag, const std::string& name);

}  // namespace orlix::treelayout
