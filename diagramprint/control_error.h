#pragma once
// The error the print control raises: an automation error code of the control
// facility and its description, as a container shows them to the user.
#include <cstdint>
#include <string>

#include "platform/com/control_error.h"

namespace orlix::diagramprint {

using com::kInvalidPropertyValue;
using com::kInvalidPropertyValueText;

// 383, a read-only property was written (or a run-time-only one at design time).
inline constexpr std::uint32_t kSetNotSupported = 0x800A017Fu;
// 394, a run-time-only property was read at design time.
inline constexpr std::uint32_t kGetNotSupported = 0x800A018Au;
// 482, the standard printer error: a print job that failed and was abandoned.
inline constexpr std::uint32_t kPrinterError = 0x800A01E2u;
// 1000, printing without a printer to print on.
inline constexpr std::uint32_t kNoDefaultPrinter = 0x800A03E8u;

inline constexpr const char* kSetNotSupportedText = "Set not supported";
inline constexpr const char* kGetNotSupportedText = "Get not supported";
inline constexpr const char* kPrinterErrorText = "Printer error";
inline constexpr const char* kNoDefaultPrinterText = "You have no default printer!";

class ControlError : public com::ControlError {
 public:
  using com::ControlError::ControlError;

  static ControlError invalidPropertyValue(const std::string& detail = {});
  static ControlError setNotSupported(const std::string& property);
  static ControlError getNotSupported(const std::string& property);
  static ControlError printerError(const std::string& detail);
  static ControlError noDefaultPrinter();
};

}  // namespace orlix::diagramprint
