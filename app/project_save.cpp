#include "app/project_save.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>

#include "app/app_state.h"
#include "app/decision_map.h"
#include "app/dlg_tree_options.h"
#include "app/frm_progress.h"
#include "app/result_windows.h"
#include "display/map/flow_map.h"
#include "display/orl_flow_control.h"
#include "display/tree_display_window.h"
#include "project/project_files.h"

namespace orlix::app {

namespace {

std::string textOf(const DlgTreeOptions& options, OutputRow row) { return options.outputText(row)->text().toStdString(); }

project::ProjectSettings settingsOf(const AppState& state, const DlgTreeOptions& options) {
  project::ProjectSettings s;
  s.connectionString = state.gConnectString;
  s.sourceTable = state.gSourceTable;
  s.names.rawData = textOf(options, OutputRow::kRawD);
  s.names.descriptives = textOf(options, OutputRow::kDescrip);
  s.names.code = textOf(options, OutputRow::kCode);
  s.names.rules = textOf(options, OutputRow::kRules);
  s.names.treeList = textOf(options, OutputRow::kTreeList);
  s.names.treeDisplay = textOf(options, OutputRow::kTreeDisplay);
  s.target = options.cmbTarget()->currentText().toStdString();
  for (const QString& name : options.checkedVariables()) s.selected.push_back(name.toStdString());
  return s;
}

// The picture and the diagram file through the map window's flow control;
// without a tree list there is no map window, and an empty map is written.
void saveMap(AppState& state, ChildWindows& windows, QWidget* mainWindow, const project::ProjectWriter& writer,
             const std::string& pictureName) {
  const QString picture = QString::fromStdString(writer.path(pictureName));
  const QString diagram = QString::fromStdString(writer.path(display::kMapFileName));
  try {
    if (display::TreeDisplayWindow* map = loadDecisionMap(state, windows, mainWindow)) {
      map->flowControl().SaveImage(0, 0, picture);
      map->flowControl().SaveFile(diagram);
    } else {
      const display::FlowMap empty;
      empty.SaveImage(picture);
      empty.SaveFile(diagram);
    }
  } catch (const std::exception& e) {
    throw project::ProjectError("Saving To Disk", e.what());
  }
}

void writeProject(AppState& state, const DlgTreeOptions& options, ChildWindows& windows, QWidget* mainWindow,
                  FrmProgress& progress) {
  const std::string folder = state.gProjectDir;
  const project::ProjectWriter writer(folder);  // throws for a missing or invalid folder
  const project::ProjectSettings settings = settingsOf(state, options);
  progress.setStage(12, QStringLiteral("Saving Settings"));
  writer.writeSettings(settings);
  progress.setStage(25, QStringLiteral("Saving Tree Rules"));
  writer.writeText(settings.names.rules, state.gRulesText);
  progress.setStage(36, QStringLiteral("Saving Scorng Code"));
  writer.writeText(settings.names.code, state.gCodeText);
  progress.setStage(69, QStringLiteral("Saving Descriptives"));
  if (isOpen(state.gDescriptives)) writer.writeRecordset(*state.gDescriptives, "descrip.xml", settings.names.descriptives);
  progress.setStage(99, QStringLiteral("Saving Tree Details"));
  if (isOpen(state.gTreeList)) writer.writeRecordset(*state.gTreeList, "treelist.xml", settings.names.treeList);
  saveMap(state, windows, mainWindow, writer, settings.names.treeDisplay);
}

}  // namespace

bool SaveProject(AppState& state, DlgTreeOptions& options, ChildWindows& windows, QWidget* mainWindow) {
  FrmProgress progress(state, mainWindow);
  progress.show();
  progress.setStage(0, QStringLiteral("Saving Project Information"));
  try {
    writeProject(state, options, windows, mainWindow, progress);
    return true;
  } catch (const std::exception& e) {
    progress.hide();
    QMessageBox::critical(mainWindow, QStringLiteral("Save All Error"), QString::fromStdString(e.what()));
    return false;
  }
}

}  // namespace orlix::app
