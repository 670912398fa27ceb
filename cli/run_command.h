// `orlix-cli run`: one analysis through a map component, the report on
// `out`, failures in the "Error from" form on `err`.
#pragma once

#include <ostream>

#include "cli/run_options.h"

namespace orlix::cli {

// Returns the exit status: 0 for a result (a tree of the root alone
// included), 1 for a failure.
int runAnalysis(const RunOptions& options, std::ostream& out, std::ostream& err);

}  // namespace orlix::cli
