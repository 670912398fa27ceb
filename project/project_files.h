// The files of a project folder that exist without the window system: the
// settings file "TreeParms.cfg", the summary and scoring texts, the two
// result record sets as ADO XML and as tab-separated text. Writing and
// reading both throw ProjectError naming the file and the cause.
#pragma once

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "project/project_error.h"

namespace orlix::ado {
class Recordset;
}

namespace orlix::project {

// The names of the output files, as the options dialog's text boxes hold them.
struct ProjectFileNames {
  std::string rawData = "rawdata.csv";
  std::string descriptives = "descriptives.csv";
  std::string code = "scoring.txt";
  std::string rules = "summary.txt";
  std::string treeList = "rules.csv";
  std::string treeDisplay = "graphTree.jpg";
};

// What "TreeParms.cfg" holds.
struct ProjectSettings {
  std::string projectDir;  // absolute once written
  std::string connectionString;
  std::string sourceTable;
  ProjectFileNames names;
  std::string target;                 // "" leaves the Target line out
  std::vector<std::string> selected;  // empty leaves the Selvars line out
};

struct ProjectContent {
  ProjectSettings settings;
  std::string rulesText, codeText;
  std::shared_ptr<ado::Recordset> descriptives, treeList;  // null: their files are skipped
};

// The folder `folder` made absolute, as "PrjDir:" stores it.
std::string absoluteProjectDir(const std::string& folder);

// Creates the folder (one level) when missing and writes every file; the
// settings' projectDir is ignored in favour of `folder` made absolute.
void saveProject(const std::string& folder, const ProjectContent& content);

// "TreeParms.cfg": key, tab, value, CR LF per line, in the fixed order.
std::string settingsText(const std::string& absoluteFolder, const ProjectSettings& settings);
// Heading line of tab + field name, then a line per record of tab + value;
// doubles "%.15g" in the C locale; every line ends CR LF. Starts from the
// first record whatever the cursor's position.
void writeTabSeparated(const ado::Recordset& recordset, std::ostream& out);

// One line of "TreeParms.cfg": the key as written and the value with every
// CR, LF and tab removed.
struct SettingLine {
  std::string key;
  std::string value;
};
// The lines of a settings file, in file order. Throws ProjectError for a
// file that cannot be read or a line without a tab (naming the line).
std::vector<SettingLine> readSettingsLines(const std::string& settingsPath);
// The settings the lines give; unknown keys are ignored.
ProjectSettings settingsFromLines(const std::vector<SettingLine>& lines);

// A whole project read back without the window system: the settings, the
// texts named there (missing files give empty texts) and the record sets of
// "descrip.xml" and "treelist.xml" (null when missing). The files are looked
// for beside the settings file.
ProjectContent readProject(const std::string& settingsPath);

}  // namespace orlix::project
