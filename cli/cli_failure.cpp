#include "cli/cli_failure.h"

#include "platform/com/error_info.h"

namespace orlix::cli {

void printFailure(const CliFailure& failure, std::ostream& err) {
  err << "Error from " << failure.source << "\n"
      << failure.description << "\n"
      << "HRESULT: " << com::hresultHex(failure.code) << std::endl;
}

CliFailure failureFromErrorInfo(com::HRESULT code, const std::string& fallbackSource) {
  if (auto info = com::GetErrorInfo()) return {info->source, info->description, code};
  return {fallbackSource, "The call failed without error information", code};
}

}  // namespace orlix::cli
