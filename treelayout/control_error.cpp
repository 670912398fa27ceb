#include "treelayout/control_error.h"

namespace orlix::treelayout {

ControlError::ControlError(std::uint32_t code, std::string description)
    : std::runtime_error(description), code_(code), description_(std::move(description)) {}

ControlError ControlError::invalidPropertyValue(const std::string& detail) {
  std::string text = kInvalidPropertyValueText;
  if (!detail.empty()) text += ": " + detail;
  return ControlError(kInvalidPropertyValue, text);
}

ControlError ControlError::notATree() { return ControlError(kGraphNotATree, kGraphNotATreeText); }

}  // namespace orlix::treelayout
