// `orlix-cli run ARGS` in this process, as the program's main runs it: the
// status, with the report in `out` and a failure printed to `err`.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "cli/run_command.h"

namespace orlix::cli::testing {

inline int runInProcess(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  try {
    return runAnalysis(parseRunOptions(args), out, err);
  } catch (const CliFailure& failure) {
    printFailure(failure, err);
    return 1;
  }
}

}  // namespace orlix::cli::testing
