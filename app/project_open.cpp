#include "app/project_open.h"

#include <QComboBox>
#include <algorithm>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>

#include "app/app_state.h"
#include "app/busy_work.h"
#include "app/child_windows.h"
#include "app/decision_map.h"
#include "app/dlg_tree_options.h"
#include "app/frm_progress.h"
#include "app/result_windows.h"
#include "display/map/flow_map.h"
#include "display/orl_flow_control.h"
#include "display/tree_display_window.h"
#include "platform/ado/recordset.h"
#include "project/project_files.h"

namespace orlix::app {

namespace {

// Everything a project brings, read and checked before the program changes.
struct StagedProject {
  std::string folder;  // the folder the settings file is in, absolute
  project::ProjectSettings settings;
  std::shared_ptr<ado::Recordset> rawData;  // null without a data source
  std::shared_ptr<ado::Recordset> descriptives, treeList;
  std::string rulesText, codeText;
  QByteArray map;  // the diagram file's bytes; empty when there is none
  bool characterTarget = false;
  int targetValueCount = 0;
};

// Why the open stopped: shown once, naming the file and the cause.
struct OpenFailure {
  QString text;
};

struct CancelledOpen {};

class Stager {
 public:
  Stager(const QString& settingsFile, FrmProgress& progress, AppState& state, QWidget* mainWindow)
      : file_(settingsFile), progress_(progress), state_(state), mainWindow_(mainWindow) {}

  StagedProject read() {
    StagedProject p;
    stage(0, "Gathering Project Information");
    const std::vector<project::SettingLine> lines = project::readSettingsLines(file_.toStdString());
    for (const char* key : {"Cstring:", "Src:"})
      if (std::none_of(lines.begin(), lines.end(), [key](const project::SettingLine& l) { return l.key == key; }))
        throw OpenFailure{QStringLiteral("The file %1 is not a project's settings file: it has no \"%2\" line.")
                              .arg(file_, QLatin1String(key))};
    p.settings = project::settingsFromLines(lines);
    project::checkOutputNames(p.settings.names, file_.toStdString());
    p.folder = project::absoluteProjectDir(QFileInfo(file_).absolutePath().toStdString());
    stage(10, "Connecting to Raw Data");
    p.rawData = readSource(p.settings);
    stage(30, "Loading Descriptives");
    p.descriptives = project::readProjectRecordset(p.folder, "descrip.xml");
    p.treeList = project::readProjectRecordset(p.folder, "treelist.xml");
    stage(35, "Loading Scoring Code");
    p.codeText = project::readProjectText(p.folder, p.settings.names.code);
    stage(56, "Loading Summary Node Information");
    p.rulesText = project::readProjectText(p.folder, p.settings.names.rules);
    readMap(p);
    classify(p);
    return p;
  }

 private:
  void stage(int value, const char* caption) {
    if (state_.gCancelRequested) throw CancelledOpen{};
    progress_.setStage(value, QString::fromLatin1(caption));
    if (state_.gCancelRequested) throw CancelledOpen{};
  }

  // Read off the window's thread, as the raw data window reads it.
  std::shared_ptr<ado::Recordset> readSource(const project::ProjectSettings& s) {
    if (s.connectionString.empty() || s.sourceTable.empty()) return nullptr;
    const std::optional<RawDataRead> read = runWhileBusy<RawDataRead>(
        mainWindow_, QStringLiteral("Reading the project's raw data..."),
        [table = s.sourceTable, connection = s.connectionString] { return app::readRawData(table, connection); });
    if (!read) throw CancelledOpen{};
    if (!read->recordset)
      throw OpenFailure{QStringLiteral("The data source of the project file %1 cannot be read: %2")
                            .arg(file_, QString::fromStdString(read->error))};
    return read->recordset;
  }

  void readMap(StagedProject& p) {
    const QString path = QString::fromStdString(p.folder) + QLatin1Char('/') + QLatin1String(display::kMapFileName);
    if (!QFileInfo(path).isFile() || !p.treeList) return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
      throw OpenFailure{QStringLiteral("The decision map %1 cannot be read: %2").arg(path, file.errorString())};
    p.map = file.readAll();
    try {
      display::FlowMap check;
      check.LoadMemory(p.map, path);
    } catch (const std::exception& e) {
      throw OpenFailure{QStringLiteral("The decision map %1 cannot be read: %2").arg(path, QString::fromUtf8(e.what()))};
    }
  }

  // A category map's tree list carries one "Val_" count field per target
  // class from its fifth field on; the map is drawn by that.
  static void classify(StagedProject& p) {
    if (!p.treeList) return;
    const ado::Fields& fields = p.treeList->Fields();
    for (long i = 4; i < fields.Count() && fields.Item(i).Name().rfind("Val_", 0) == 0; ++i) ++p.targetValueCount;
    p.characterTarget = p.targetValueCount > 0;
  }

  QString file_;
  FrmProgress& progress_;
  AppState& state_;
  QWidget* mainWindow_;
};

void setOutputName(DlgTreeOptions& options, OutputRow row, const std::string& name) {
  options.outputText(row)->setText(QString::fromStdString(name));
}

void applyOptions(const StagedProject& p, DlgTreeOptions& options) {
  setOutputName(options, OutputRow::kRawD, p.settings.names.rawData);
  setOutputName(options, OutputRow::kDescrip, p.settings.names.descriptives);
  setOutputName(options, OutputRow::kCode, p.settings.names.code);
  setOutputName(options, OutputRow::kRules, p.settings.names.rules);
  QStringList selected;
  for (const std::string& name : p.settings.selected) selected << QString::fromStdString(name);
  options.checkVariables(selected);
  if (!p.settings.target.empty()) options.cmbTarget()->setCurrentText(QString::fromStdString(p.settings.target));
}

// The windows of the earlier analysis go; the project's are loaded and shown
// in the order a run shows its results.
void apply(StagedProject p, AppState& state, DlgTreeOptions& options, ChildWindows& windows, QWidget* mainWindow,
           FrmProgress& progress) {
  windows.unloadAll();
  state.gProjectDir = p.folder;
  state.gConnectString = p.settings.connectionString;
  state.gSourceTable = p.settings.sourceTable;
  state.gRawData = p.rawData;
  state.gDescriptives = p.descriptives;
  state.gTreeList = p.treeList;
  state.gRulesText = p.rulesText;
  state.gCodeText = p.codeText;
  state.gCharacterTarget = p.characterTarget;
  state.gTargetValueCount = p.targetValueCount;

  FrmRawD* raw = windows.rawData(false);
  raw->bindRawData(state.gRawData);  // refills the option lists
  progress.setStage(85, QStringLiteral("Setting Options"));
  applyOptions(p, options);

  GridWindow* descriptives = windows.descriptives();
  if (isOpen(state.gTreeList)) bindResult(*windows.treeList()->grid(), state.gTreeList);
  windows.show(descriptives);
  windows.show(raw);
  windows.show(windows.rules());
  windows.show(windows.code());
  progress.setStage(99, QStringLiteral("Loading Tree"));
  if (display::TreeDisplayWindow* map = loadDecisionMap(state, windows, mainWindow)) {
    if (!p.map.isEmpty()) map->flowControl().LoadMemory(p.map);
    windows.show(map);
  }
}

}  // namespace

bool OpenProject(const QString& settingsFile, AppState& state, DlgTreeOptions& options, ChildWindows& windows,
                 QWidget* mainWindow) {
  state.gCancelRequested = false;
  FrmProgress progress(state, mainWindow);
  progress.show();
  QString failure;
  try {
    StagedProject staged = Stager(settingsFile, progress, state, mainWindow).read();
    apply(std::move(staged), state, options, windows, mainWindow, progress);
    return true;
  } catch (const CancelledOpen&) {
    return false;  // the user asked: nothing has changed
  } catch (const OpenFailure& e) {
    failure = e.text;
  } catch (const std::exception& e) {
    failure = QString::fromStdString(e.what());
  }
  progress.hide();
  QMessageBox::critical(mainWindow, QStringLiteral("Open Project"),
                        QStringLiteral("The project %1 could not be opened.\n\n%2").arg(settingsFile, failure));
  return false;
}

}  // namespace orlix::app
