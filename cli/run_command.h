// `orlix-cli run`: one analysis through a map component, the report on
// `out`, failures in the "Error from" form on `err`.
#pragma once

#include <ostream>

#include "cli/run_options.h"

namespace orlix::cli {

// Returns the exit status: 0 for a result (a tree of the root alone
// included), 1 for a failure. With `showStages` the stages of the run are
// shown on `err` as they go (for a terminal).
int runAnalysis(const RunOptions& options, std::ostream& out, std::ostream& err, bool showStages = false);

// The program's version, "major.minor.patch".
extern const char* const kVersion;

}  // namespace orlix::cli
