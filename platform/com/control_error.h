#pragma once
// The error a control raises: an automation error code of the control
// facility and its description, as a container shows them to the user. Each
// control derives its own, with the errors it raises.
#include <cstdint>
#include <stdexcept>
#include <string>

namespace orlix::com {

// 380, the standard "invalid property value" error.
inline constexpr std::uint32_t kInvalidPropertyValue = 0x800A017Cu;
inline constexpr const char* kInvalidPropertyValueText = "Invalid property value";

class ControlError : public std::runtime_error {
 public:
  ControlError(std::uint32_t code, std::string description)
      : std::runtime_error(description), code_(code), description_(std::move(description)) {}

  // The full code, e.g. 0x800A03E8.
  std::uint32_t code() const { return code_; }
  // The error number inside the control facility, e.g. 1000.
  std::int32_t number() const { return static_cast<std::int32_t>(code_ & 0xFFFFu); }
  const std::string& description() const { return description_; }

 protected:
  // `text`, or `text: detail` when there is a detail.
  static std::string withDetail(const char* text, const std::string& detail) {
    return detail.empty() ? std::string(text) : std::string(text) + ": " + detail;
  }

 private:
  std::uint32_t code_;
  std::string description_;
};

}  // namespace orlix::com
