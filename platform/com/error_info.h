// The thread's error information: what a failing component method leaves for
// its caller besides the HRESULT (description, source ProgID, interface GUID).
#pragma once

#include <optional>
#include <string>

#include "platform/com/guid.h"
#include "platform/com/hresult.h"

namespace orlix::com {

struct ErrorInfo {
  std::string description;
  std::string source;  // the reporting component's ProgID
  Guid guid;           // the interface that reported it
};

// Replaces the calling thread's error information.
void SetErrorInfo(ErrorInfo info);
// Takes the calling thread's error information, leaving none behind
// (as the platform hands it over once); nullopt when none was set.
std::optional<ErrorInfo> GetErrorInfo();
void ClearErrorInfo();

// Sets the error information and returns `code`, for one-line failure returns.
HRESULT ReportError(HRESULT code, std::string description, std::string source, const Guid& iid);

}  // namespace orlix::com
