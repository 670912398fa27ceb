// A failure of the batch front end in the form the program reports a failed
// run: the error's source, its description and its HRESULT.
#pragma once

#include <ostream>
#include <string>

#include "platform/com/hresult.h"

namespace orlix::cli {

struct CliFailure {
  std::string source;
  std::string description;
  com::HRESULT code = com::E_FAIL;
};

// "Error from " + source, the description, "HRESULT: " + code, one per line.
void printFailure(const CliFailure& failure, std::ostream& err);

// The failure the thread's error information describes, for a call that
// returned `code`; the description says so when none was left.
CliFailure failureFromErrorInfo(com::HRESULT code, const std::string& fallbackSource);

}  // namespace orlix::cli
