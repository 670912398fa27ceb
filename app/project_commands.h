// ProjectCommands: the commands that run an analysis and keep it in a
// project folder — Tools > Run Tree, File > Open, Save, Save All, Save As,
// and the tree options (File > Properties, View > Options). They arrive with
// the tree options (the project folder's files through project/, in
// project_save and project_open).
#pragma once

#include <QString>
#include <functional>
#include <memory>

class QWidget;

namespace orlix::app {

struct AppState;
class ChildWindows;
class DlgTreeOptions;
class TreeRun;

class ProjectCommands {
 public:
  ProjectCommands(AppState& state, ChildWindows& windows, QWidget* mainWindow,
                  std::function<DlgTreeOptions&()> treeOptions);
  ~ProjectCommands();

  // Tools > Run Tree and the tool bar's RunTree: true when results were shown.
  bool RunNumericTree();
  // The run behind RunNumericTree (whether one is going, its progress window).
  TreeRun& treeRun() { return *treeRun_; }
  // File > Open and `orlix TreeParms.cfg`: reads a project folder back.
  bool OpenProject(const QString& settingsFile);
  // Writes the project folder; false after telling the user why not.
  bool SaveProject();
  // File > Save and Save All: every output checked, SaveProject, and the outcome told.
  void saveAll();
  // File > Save As: names the project folder and the active window's output.
  void saveAs();
  // File > Properties: the tree options with the project tab.
  void showProperties();
  // View > Options and short-cut 7: the tree options without the project tab.
  void showViewOptions();

 private:
  AppState& state_;
  ChildWindows& windows_;
  QWidget* mainWindow_;
  std::function<DlgTreeOptions&()> treeOptions_;
  std::unique_ptr<TreeRun> treeRun_;
};

}  // namespace orlix::app
