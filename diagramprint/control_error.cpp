#include "diagramprint/control_error.h"

namespace orlix::diagramprint {
namespace {

std::string withDetail(const char* text, const std::string& detail) {
  return detail.empty() ? std::string(text) : std::string(text) + ": " + detail;
}

}  // namespace

ControlError::ControlError(std::uint32_t code, std::string description)
    : std::runtime_error(description), code_(code), description_(std::move(description)) {}

ControlError ControlError::invalidPropertyValue(const std::string& detail) {
  return ControlError(kInvalidPropertyValue, withDetail(kInvalidPropertyValueText, detail));
}

ControlError ControlError::setNotSupported(const std::string& property) {
  return ControlError(kSetNotSupported, withDetail(kSetNotSupportedText, property));
}

ControlError ControlError::getNotSupported(const std::string& property) {
  return ControlError(kGetNotSupported,
                      withDetail(kGetNotSupportedText, property + " is available only at run time"));
}

ControlError ControlError::printerError(const std::string& detail) {
  return ControlError(kPrinterError, withDetail(kPrinterErrorText, detail));
}

ControlError ControlError::noDefaultPrinter() {
  return ControlError(kNoDefaultPrinter, kNoDefaultPrinterText);
}

}  // namespace orlix::diagramprint
