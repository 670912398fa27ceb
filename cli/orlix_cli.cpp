// orlix-cli: the batch front end. `orlix-cli run ...` runs one analysis and
// writes its report and, on request, a project folder.
#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "cli/run_command.h"

int main(int argc, char** argv) {
  using namespace orlix::cli;
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (!args.empty() && (args[0] == "--help" || args[0] == "-h")) {
    std::cout << kUsage << kHelp;
    return 0;
  }
  if (!args.empty() && args[0] == "--version") {
    std::cout << "orlix-cli " << kVersion << "\n";
    return 0;
  }
  if (args.empty() || args[0] != "run") {
    const std::string what = args.empty()                 ? "no command given"
                             : args[0].rfind("-", 0) == 0 ? "unknown option " + args[0]
                                                          : "unknown command " + args[0];
    printFailure({"orlix-cli", what + "\n" + kUsage, orlix::com::E_INVALIDARG}, std::cerr);
    return 1;
  }
  try {
    const RunOptions options = parseRunOptions({args.begin() + 1, args.end()});
    if (options.help) {
      std::cout << kUsage << kHelp;
      return 0;
    }
    return runAnalysis(options, std::cout, std::cerr, isatty(STDERR_FILENO) == 1);
  } catch (const CliFailure& failure) {
    printFailure(failure, std::cerr);
    return 1;
  } catch (const std::exception& e) {
    printFailure({"orlix-cli", e.what(), orlix::com::E_FAIL}, std::cerr);
    return 1;
  }
}
