// The components' own exception: raised and caught inside a component method,
// written to standard error as four lines, never thrown across the boundary.
#pragma once

#include <ostream>
#include <string>

namespace orlix::server {

struct _decision_error {
  std::string message;
  std::string module;
  std::string remedy;
  std::string severity;
};

// "DecisionMap error: " + message, "Severity: " + severity, module, remedy;
// each line flushed at once.
void printDecisionError(const _decision_error& e, std::ostream& err);

}  // namespace orlix::server
