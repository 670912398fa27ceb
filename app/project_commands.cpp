#include "app/project_commands.h"

#include "app/not_available.h"
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
  showNotAvailable(mainWindow_, QStringLiteral("Opening the project %1").arg(settingsFile));
  return false;
}

void ProjectCommands::saveAll() { showNotAvailable(mainWindow_, QStringLiteral("Saving a project")); }

void ProjectCommands::saveAs() { showNotAvailable(mainWindow_, QStringLiteral("Saving a project")); }

void ProjectCommands::showProperties() { showNotAvailable(mainWindow_, QStringLiteral("The tree options")); }

void ProjectCommands::showViewOptions() { showNotAvailable(mainWindow_, QStringLiteral("The tree options")); }

}  // namespace orlix::app
