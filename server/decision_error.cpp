#include "server/decision_error.h"

namespace orlix::server {

void printDecisionError(const _decision_error& e, std::ostream& err) {
  err << "DecisionMap error: " << e.message << std::endl;
  err << "Severity: " << e.severity << std::endl;
  err << e.module << std::endl;
  err << e.remedy << std::endl;
}

}  // namespace orlix::server
