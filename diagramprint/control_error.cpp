#include "diagramprint/control_error.h"

namespace orlix::diagramprint {
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
