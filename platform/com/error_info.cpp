#include "platform/com/error_info.h"

#include <utility>

namespace orlix::com {
namespace {

// One per thread, as the component model keeps it.
thread_local std::optional<ErrorInfo> tCurrentError;

}  // namespace

void SetErrorInfo(ErrorInfo info) { tCurrentError = std::move(info); }

std::optional<ErrorInfo> GetErrorInfo() { return std::exchange(tCurrentError, std::nullopt); }

void ClearErrorInfo() { tCurrentError.reset(); }

HRESULT ReportError(HRESULT code, std::string description, std::string source, const Guid& iid) {
  SetErrorInfo(ErrorInfo{std::move(description), std::move(source), iid});
  return code;
}

}  // namespace orlix::com
