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

// Output names are plain file names inside the project folder, so that a
// project from elsewhere cannot make a save write outside it. "" when `name`
// is one; else the fault, to follow the name in a message ("holds a path
// separator").
std::string outputNameProblem(const std::string& name);
// Throws ProjectError naming `settingsFile`, the key and the fault when an
// output name is not a plain file name.
void checkOutputNames(const ProjectFileNames& names, const std::string& settingsFile);

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

// The files of an existing project folder written one at a time, for a
// front end that shows each stage. Every file replaces one of the same name;
// every name must be a plain file name. Throws ProjectError with source
// "Saving To Disk" (code 800403E8 for a missing folder) naming the file.
class ProjectWriter {
 public:
  // `folder` made absolute; it must exist.
  explicit ProjectWriter(const std::string& folder);
  const std::string& folder() const { return folder_; }
  // folder() + "/" + name, once `name` is known to be a plain file name.
  std::string path(const std::string& name) const;
  void writeSettings(const ProjectSettings& settings) const;
  void writeText(const std::string& name, const std::string& text) const;
  // `xmlName` deleted and written again as ADO XML, then `textName` as tab-separated text.
  void writeRecordset(const ado::Recordset& recordset, const std::string& xmlName, const std::string& textName) const;

 private:
  std::string folder_;
};

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
// for beside the settings file. Throws ProjectError naming the file and the
// cause for a damaged settings line, an output name that is not a plain file
// name, or a text or record set that cannot be read.
ProjectContent readProject(const std::string& settingsPath);

// The pieces of readProject, for a front end that shows each stage.
// The settings of a settings file, its output names checked.
ProjectSettings readSettings(const std::string& settingsPath);
// The whole text of `folder`/`name`; "" when there is no such file.
std::string readProjectText(const std::string& folder, const std::string& name);
// The record set persisted in `folder`/`name`; null when there is no such file.
std::shared_ptr<ado::Recordset> readProjectRecordset(const std::string& folder, const std::string& name);

}  // namespace orlix::project
