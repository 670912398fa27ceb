// The files of a project folder that exist without the window system: the
// settings file, the summary and scoring texts, the two result record sets
// as ADO XML and as tab-separated text. Failures throw CliFailure with the
// source "Saving To Disk".
#pragma once

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "cli/cli_failure.h"

namespace orlix::ado {
class Recordset;
}

namespace orlix::cli {

// Default names of the output text boxes; the settings keep them.
struct ProjectFileNames {
  std::string rawData = "rawdata.csv";
  std::string descriptives = "descriptives.csv";
  std::string code = "scoring.txt";
  std::string rules = "summary.txt";
  std::string treeList = "rules.csv";
  std::string treeDisplay = "graphTree.jpg";
};

struct ProjectContent {
  std::string connectionString;
  std::string sourceTable;
  std::string target;                 // "" leaves the Target line out
  std::vector<std::string> selected;  // empty leaves the Selvars line out
  std::string rulesText, codeText;
  std::shared_ptr<ado::Recordset> descriptives, treeList;  // null: their files are skipped
  ProjectFileNames names;
};

// Creates the folder (one level) when missing and writes every file.
void saveProject(const std::string& folder, const ProjectContent& content);

// "TreeParms.cfg": key, tab, value, CR LF per line.
std::string settingsText(const std::string& absoluteFolder, const ProjectContent& content);
// Heading line of tab + field name, then a line per record of tab + value;
// doubles "%.15g"; every line ends CR LF. Starts from the first record.
void writeTabSeparated(const ado::Recordset& recordset, std::ostream& out);

}  // namespace orlix::cli
