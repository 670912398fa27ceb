// What orlix-cli does with its command line: --help, --version, `run`,
// `print` and the errors of a wrong command line, kept apart from main so that tests
// run it with their own streams.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace orlix::cli {

// Returns the exit status: 0 for the help, the version and a result, 1 for
// a failure (written to `err` with the usage where the command line is
// wrong). `terminal`: standard error is a terminal, where a run shows its
// stages as it goes.
int runCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, bool terminal);

}  // namespace orlix::cli
