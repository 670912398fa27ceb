// The options of `orlix-cli run`, read from the command line.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/cli_failure.h"
#include "project/project_files.h"

namespace orlix::cli {

struct RunOptions {
  std::string settingsFile;      // --settings: a project's TreeParms.cfg
  std::string dataFile;          // --data
  std::string connectionString;  // --connect
  std::string table;             // --table
  std::string target;            // --target
  int minimumN = 25;             // --min-n
  std::vector<std::string> excluded, character, decile;
  std::string nodeFile;          // --node-file
  bool trace = false;            // --trace
  std::string projectDir;        // --project
  std::string mapPicture = "graphTree.jpg";  // --map-picture
  int orientation = 0;           // --orientation
  // From --settings: the fields the project's options checked (the others,
  // the target apart, are excluded) and its output names.
  std::vector<std::string> selected;
  std::optional<project::ProjectFileNames> outputNames;
  bool help = false;             // --help or -h: the usage, nothing else
};

// Parses the arguments after "run". Throws CliFailure naming the bad option
// and carrying the usage. With --help or -h it stops there: only `help` is set.
RunOptions parseRunOptions(const std::vector<std::string>& args);

// With --settings: the data source, the target (unless --target gave one),
// the checked fields and the output names taken from the settings file.
// Throws CliFailure naming the file when it cannot be read or names no
// data source or no checked field.
RunOptions withProjectSettings(RunOptions options);

// The command lines orlix-cli takes, printed with every usage error.
extern const char* const kUsage;
// What --help prints: the usage and what each option does.
extern const char* const kHelp;

}  // namespace orlix::cli
