#include "app/project_commands.h"

#include <QMessageBox>

#include "app/child_windows.h"
#include "app/dlg_tree_options.h"
#include "app/not_available.h"
#include "app/project_open.h"
#include "app/project_save.h"
#include "app/tree_run.h"

namespace orlix::app {

ProjectCommands::ProjectCommands(AppState& state, ChildWindows& windows, QWidget* mainWindow,
                                 std::function<DlgTreeOptions&()> treeOptions)
    : state_(state),
      windows_(windows),
      mainWindow_(mainWindow),
      treeOptions_(std::move(treeOptions)),
      treeRun_(std::make_unique<TreeRun>(state, windows, mainWindow, treeOptions_)) {}

ProjectCommands::~ProjectCommands() = default;

bool ProjectCommands::RunNumericTree() { return treeRun_->RunNumericTree(); }

bool ProjectCommands::OpenProject(const QString& settingsFile) {
  return app::OpenProject(settingsFile, state_, treeOptions_(), windows_, mainWindow_);
}

bool ProjectCommands::SaveProject() { return app::SaveProject(state_, treeOptions_(), windows_, mainWindow_); }

void ProjectCommands::saveAll() {
  treeOptions_().checkAllOutputs();
  const bool saved = SaveProject();
  QMessageBox::information(mainWindow_, QStringLiteral("Save All"),
                           saved ? QStringLiteral("Save is complete")
                                 : QStringLiteral("One or more components could not be saved."),
                           QMessageBox::Ok);
}

void ProjectCommands::saveAs() {
  QWidget* active = windows_.active();
  DlgTreeOptions& options = treeOptions_();
  options.prepareForSaveAs(active ? active->objectName() : QString());
  options.exec();
}

void ProjectCommands::showProperties() {
  DlgTreeOptions& options = treeOptions_();
  options.prepareForProperties();
  options.exec();
}

void ProjectCommands::showViewOptions() {
  DlgTreeOptions& options = treeOptions_();
  options.prepareForViewOptions();
  options.exec();
}

}  // namespace orlix::app
