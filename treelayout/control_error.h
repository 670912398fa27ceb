#pragma once
// The error the layout control raises: an automation error code of the control
// facility and its description, as a container shows them to the user.
#include <cstdint>
#include <string>

#include "platform/com/control_error.h"

namespace orlix::treelayout {

using com::kInvalidPropertyValue;
using com::kInvalidPropertyValueText;

// 1000, raised by Layout when the diagram does not form one rooted tree.
inline constexpr std::uint32_t kGraphNotATree = 0x800A03E8u;

inline constexpr const char* kGraphNotATreeText = "The graph is not a tree.";

class ControlError : public com::ControlError {
 public:
  using com::ControlError::ControlError;

  static ControlError invalidPropertyValue(const std::string& detail = {});
  static ControlError notATree();
};

}  // namespace orlix::treelayout
