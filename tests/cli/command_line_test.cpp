// The command line of orlix-cli: help and version on standard output with
// status 0, a wrong command line with the usage on standard error, and the
// stages of a run shown only where someone watches a terminal.
#include "cli/command_line.h"

#include <gtest/gtest.h>

#include <sstream>

#include "cli/run_command.h"
#include "cli/run_options.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_files.h"

namespace orlix::cli {
namespace {

std::string penguins() { return test::sampleFile("penguins.csv"); }

struct Outcome {
  int status;
  std::string out, err;
};

Outcome commandLine(const std::vector<std::string>& args, bool terminal = false) {
  std::ostringstream out, err;
  const int status = runCommandLine(args, out, err, terminal);
  return {status, out.str(), err.str()};
}

TEST(CommandLine, HelpAndVersionAnswerOnStandardOutput) {
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"--help"}, {"-h"}, {"run", "--help"}, {"run", "--data", penguins(), "-h"}}) {
    const Outcome o = commandLine(args);
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.out.rfind("usage: orlix-cli run --data FILE", 0), 0u) << o.out;
    EXPECT_NE(o.out.find("  --min-n N "), std::string::npos);
    EXPECT_EQ(o.err, "");
  }
  const Outcome version = commandLine({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, std::string("orlix-cli ") + kVersion + "\n");
  EXPECT_EQ(std::count(version.out.begin(), version.out.end(), '.'), 2);
}

TEST(CommandLine, AWrongCommandLineGetsTheUsageWithTheError) {
  const Outcome unknown = commandLine({"--colour"});
  EXPECT_EQ(unknown.status, 1);
  EXPECT_EQ(unknown.out, "");
  EXPECT_EQ(unknown.err.rfind("Error from orlix-cli\nunknown option --colour\nusage: orlix-cli run", 0), 0u)
      << unknown.err;
  EXPECT_NE(unknown.err.find("HRESULT: 80070057"), std::string::npos);
  EXPECT_NE(commandLine({"grow"}).err.find("unknown command grow\nusage:"), std::string::npos);
  EXPECT_NE(commandLine({}).err.find("no command given\nusage:"), std::string::npos);
  const Outcome inRun = commandLine({"run", "--data", penguins(), "--target", "sex", "--colour", "red"});
  EXPECT_EQ(inRun.status, 1);
  EXPECT_NE(inRun.err.find("unknown option --colour\nusage:"), std::string::npos);
  // A field named like an option is a value where a value is due.
  EXPECT_NE(commandLine({"run", "--data", penguins(), "--target", "-h"}).err.find("target variable does not exist: -h"),
            std::string::npos);
}

TEST(CommandLine, StagesAreShownOnATerminalOnly) {
  test::TempDir dir;
  const std::vector<std::string> run = {"run", "--data", penguins(), "--target", "species", "--project",
                                        dir.file("p")};
  const Outcome quiet = commandLine(run, false);
  ASSERT_EQ(quiet.status, 0) << quiet.err;
  EXPECT_EQ(quiet.err, "");
  const Outcome shown = commandLine(run, true);
  ASSERT_EQ(shown.status, 0) << shown.err;
  // The report is the same; the source is read once, the switch to a
  // category map for the text target included.
  EXPECT_EQ(shown.out.substr(shown.out.find("Segment")), quiet.out.substr(quiet.out.find("Segment")));
  EXPECT_EQ(shown.err.find("read 344 rows"), shown.err.rfind("read 344 rows"));
  size_t at = 0;
  for (const char* stage : {"connecting to [penguins.csv]", "read 344 rows", "statistics of 8 variables",
                            "growing the tree", "writing the results", "done"}) {
    const size_t found = shown.err.find(stage, at);
    EXPECT_NE(found, std::string::npos) << stage << " in\n" << shown.err;
    at = found == std::string::npos ? at : found;
  }
  EXPECT_NE(shown.err.find(" s  connecting"), std::string::npos) << shown.err;
}

}  // namespace
}  // namespace orlix::cli
