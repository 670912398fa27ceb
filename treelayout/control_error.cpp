#include "treelayout/control_error.h"

namespace orlix::treelayout {

ControlError ControlError::invalidPropertyValue(const std::string& detail) {
  return ControlError(kInvalidPropertyValue, withDetail(kInvalidPropertyValueText, detail));
}

ControlError ControlError::notATree() { return ControlError(kGraphNotATree, kGraphNotATreeText); }

}  // namespace orlix::treelayout
