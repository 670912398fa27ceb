// The options of `orlix-cli run`, read from the command line.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/cli_failure.h"

namespace orlix::cli {

struct RunOptions {
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
};

// Parses the arguments after "run". Throws CliFailure naming the bad option.
RunOptions parseRunOptions(const std::vector<std::string>& args);

extern const char* const kUsage;

}  // namespace orlix::cli
