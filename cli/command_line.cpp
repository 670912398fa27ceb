#include "cli/command_line.h"

#include "cli/print_command.h"
#include "cli/run_command.h"

namespace orlix::cli {

namespace {

bool isHelp(const std::string& arg) { return arg == "--help" || arg == "-h"; }

}  // namespace

int runCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, bool terminal) {
  if (!args.empty() && isHelp(args[0])) {
    out << kUsage << kHelp;
    return 0;
  }
  if (!args.empty() && args[0] == "--version") {
    out << "orlix-cli " << kVersion << "\n";
    return 0;
  }
  if (!args.empty() && args[0] == "print") {
    if (args.size() > 1 && isHelp(args[1])) {
      out << kUsage << kHelp;
      return 0;
    }
    return runPrintCommand({args.begin() + 1, args.end()}, err);
  }
  if (args.empty() || args[0] != "run") {
    const std::string what = args.empty()                 ? "no command given"
                             : args[0].rfind("-", 0) == 0 ? "unknown option " + args[0]
                                                          : "unknown command " + args[0];
    printFailure({"orlix-cli", what + "\n" + kUsage, com::E_INVALIDARG}, err);
    return 1;
  }
  try {
    const RunOptions options = parseRunOptions({args.begin() + 1, args.end()});
    if (options.help) {
      out << kUsage << kHelp;
      return 0;
    }
    return runAnalysis(options, out, err, terminal);
  } catch (const CliFailure& failure) {
    printFailure(failure, err);
    return 1;
  } catch (const std::exception& e) {
    printFailure({"orlix-cli", e.what(), com::E_FAIL}, err);
    return 1;
  }
}

}  // namespace orlix::cli
