#pragma once
// The error the print control raises: an automation error code of the control
// facility and its description, as a container shows them to the user.
#include <cstdint>
#include <stdexcept>
#include <string>

namespace orlix::diagramprint {

// 380, the standard "invalid property value" error.
inline constexpr std::uint32_t kInvalidPropertyValue = 0x800A017Cu;
// 383, a read-only property was written (or a run-time-only one at design time).
inline constexpr std::uint32_t kSetNotSupported = 0x800A017Fu;
// 394, a run-time-only property was read at design time.
inline constexpr std::uint32_t kGetNotSupported = 0x800A018Au;
// 482, the standard printer error: a print job that failed and was abandoned.
inline constexpr std::uint32_t kPrinterError = 0x800A01E2u;
// 1000, printing without a printer to print on.
inline constexpr std::uint32_t kNoDefaultPrinter = 0x800A03E8u;

inline constexpr const char* kInvalidPropertyValueText = "Invalid property value";
inline constexpr const char* kSetNotSupportedText = "Set not supported";
inline constexpr const char* kGetNotSupportedText = "Get not supported";
inline constexpr const char* kPrinterErrorText = "Printer error";
inline constexpr const char* kNoDefaultPrinterText = "You have no default printer!";

class ControlError : public std::runtime_error {
 public:
  ControlError(std::uint32_t code, std::string description);

  // The full code, e.g. 0x800A03E8.
  std::uint32_t code() const { return code_; }
  // The error number inside the control facility, e.g. 1000.
  std::int32_t number() const { return static_cast<std::int32_t>(code_ & 0xFFFFu); }
  const std::string& description() const { return description_; }

  static ControlError invalidPropertyValue(const std::string& detail = {});
  static ControlError setNotSupported(const std::string& property);
  static ControlError getNotSupported(const std::string& property);
  static ControlError printerError(const std::string& detail);
  static ControlError noDefaultPrinter();

 private:
  std::uint32_t code_;
  std::string description_;
};

}  // namespace orlix::diagramprint
