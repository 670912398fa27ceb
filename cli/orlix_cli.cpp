// orlix-cli: the batch front end. `orlix-cli run ...` runs one analysis and
// writes its report and, on request, a project folder.
#include <iostream>
#include <string>
#include <vector>

#include "cli/print_command.h"
#include "cli/run_command.h"

int main(int argc, char** argv) {
  using namespace orlix::cli;
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (!args.empty() && args[0] == "print") return runPrintCommand({args.begin() + 1, args.end()}, std::cerr);
  if (args.empty() || args[0] != "run") {
    printFailure({"orlix-cli", std::string(args.empty() ? "no command given" : "unknown command " + args[0]) +
                                   "\n" + kUsage,
                  orlix::com::E_INVALIDARG},
                 std::cerr);
    return 1;
  }
  try {
    const RunOptions options = parseRunOptions({args.begin() + 1, args.end()});
    return runAnalysis(options, std::cout, std::cerr);
  } catch (const CliFailure& failure) {
    printFailure(failure, std::cerr);
    return 1;
  } catch (const std::exception& e) {
    printFailure({"orlix-cli", e.what(), orlix::com::E_FAIL}, std::cerr);
    return 1;
  }
}
