#pragma once
// The error the layout control raises: an automation error code of the control
// facility and its description, as a container shows them to the user.
#include <cstdint>
#include <stdexcept>
#include <string>

namespace orlix::treelayout {

// 380, the standard "invalid property value" error.
inline constexpr std::uint32_t kInvalidPropertyValue = 0x800A017Cu;
// 1000, raised by Layout when the diagram does not form one rooted tree.
inline constexpr std::uint32_t kGraphNotATree = 0x800A03E8u;

inline constexpr const char* kInvalidPropertyValueText = "Invalid property value";
inline constexpr const char* kGraphNotATreeText = "The graph is not a tree.";

class ControlError : public std::runtime_error {
 public:
  ControlError(std::uint32_t code, std::string description);

  // The full code, e.g. 0x800A03E8.
  std::uint32_t code() const { return code_; }
  // The error number inside the control facility, e.g. 1000.
  std::int32_t number() const { return static_cast<std::int32_t>(code_ & 0xFFFFu); }
  const std::string& description() const { return description_; }

  static ControlError invalidPropertyValue(const std::string& detail = {});
  static ControlError notATree();

 private:
  std::uint32_t code_;
  std::string description_;
};

}  // namespace orlix::treelayout
