#include "app/tree_run.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QEventLoop>
#include <QFutureWatcher>
#include <QLineEdit>
#include <QMainWindow>
#include <QMessageBox>
#include <QStatusBar>
#include <QTextEdit>
#include <QtConcurrent/QtConcurrentRun>

#include "app/app_state.h"
#include "app/child_windows.h"
#include "app/decision_map.h"
#include "app/dlg_tree_options.h"
#include "app/frm_progress.h"
#include "app/orl_flex_grid.h"
#include "app/orl_list_box.h"
#include "app/result_windows.h"
#include "platform/ado/constants.h"
#include "platform/ado/field_names.h"
#include "platform/ado/recordset.h"
#include "platform/com/error_info.h"
#include "server/identifiers.h"
#include "server/map_classes.h"
#include "server/map_component.h"

namespace orlix::app {

// What the run reads from the options and the program state before it
// leaves the window's thread.
struct RunPlan {
  bool character = false;
  std::string connectString, sourceTable, target;
  std::vector<std::string> excluded;  // in list order
  QString minimumN;                   // the text of Text1
};

// A failure as the program reports it.
struct RunFailure {
  std::string source, description;
  com::HRESULT code = com::E_FAIL;
};

// What the worker hands back: the results of a complete run, or why there are none.
struct RunOutcome {
  enum class End { Done, Failed, Cancelled };
  End end = End::Failed;
  RunFailure failure;
  std::string rulesText, codeText;
  std::shared_ptr<ado::Recordset> treeList, descriptives;
  int targetValueCount = 0;
};

namespace {

const QString kValidationTitle = QStringLiteral("Parameter Validation");
constexpr const char* kProgramSource = "Orlix";

// The stage captions of the progress window.
const QString kInitializing = QStringLiteral("Initializing Tree Component");
const QString kConnecting = QStringLiteral("Connecting to Datasource");
const QString kSetting = QStringLiteral("Setting Tree Options");
const QString kExecuting = QStringLiteral("Executing Tree. This may take a while depending on your data.");
const QString kExtracting = QStringLiteral("Extracting results.");
const QString kDisplaying = QStringLiteral("Displaying results.");

struct Cancelled {};

QString failureText(const RunFailure& failure) {
  return QStringLiteral("Error from ") + QString::fromStdString(failure.source) + QStringLiteral("\n\r") +
         QString::fromStdString(failure.description) + QStringLiteral("\n\r") + QStringLiteral("HRESULT: ") +
         QString::fromStdString(com::hresultHex(failure.code));
}

// The field of the raw data that the target text names: the one spelled
// exactly so, else the first equal ignoring case, as the data layer matches.
std::optional<ado::DataType> targetType(const std::shared_ptr<ado::Recordset>& rawData, const std::string& target) {
  if (!rawData) return std::nullopt;
  const ado::Fields& fields = rawData->Fields();
  for (long i = 0; i < fields.Count(); ++i)
    if (fields.Item(i).Name() == target) return fields.Item(i).Type();
  for (long i = 0; i < fields.Count(); ++i)
    if (ado::equalsIgnoreCase(fields.Item(i).Name(), target)) return fields.Item(i).Type();
  return std::nullopt;
}

// Drives one component through the calls of a run, on the worker thread.
class MapDriver {
 public:
  MapDriver(server::IMap& map, const com::ClassInfo& identity, const std::atomic<bool>& cancel,
            std::function<void(int, const QString&)> stage, server::RunProgress componentStage)
      : map_(map), identity_(identity), cancel_(cancel), stage_(std::move(stage)) {
    if (auto* component = dynamic_cast<server::MapComponent*>(&map_)) {
      component->SetCancel(&cancel_);
      component->SetProgress(std::move(componentStage));
    }
  }

  void run(const RunPlan& plan, RunOutcome& outcome) {
    enter(5, kConnecting);
    check(map_.ConnectOLEDB(plan.connectString, plan.sourceTable));
    check(map_.SetAsTarget(plan.target));
    enter(7, kSetting);
    for (const std::string& name : plan.excluded) check(map_.SetAsExcluded(name));
    check(map_.SetMinimumN(minimumN(plan.minimumN)));
    enter(8, kExecuting);
    check(map_.Run());
    enter(89, kExtracting);
    check(map_.MAPRules(&outcome.rulesText));
    check(map_.MAPCode(&outcome.codeText));
    com::Variant treeList, descriptives;
    check(map_.rs_TreeList(&treeList));
    check(map_.rs_Descriptives(&descriptives));
    outcome.treeList = server::recordsetOf(treeList);
    outcome.descriptives = server::recordsetOf(descriptives);
    if (auto* categoryMap = dynamic_cast<server::ICategoryMap*>(&map_)) {
      int32_t classes = 0;
      check(categoryMap->NumTargetValues(&classes));
      outcome.targetValueCount = classes;
    }
    throwIfCancelled();  // a run stopped during the last call shows nothing
  }

 private:
  void throwIfCancelled() const {
    if (cancel_.load()) throw Cancelled{};
  }

  void enter(int value, const QString& caption) {
    throwIfCancelled();
    stage_(value, caption);
  }

  void check(com::HRESULT code) {
    if (com::SUCCEEDED(code)) return;
    if (code == com::E_ABORT || cancel_.load()) throw Cancelled{};
    const std::optional<com::ErrorInfo> info = com::GetErrorInfo();
    throw RunFailure{info ? info->source : identity_.progId, info ? info->description : std::string(), code};
  }

  // Text1 as a 32-bit whole number (blanks around it allowed).
  static int32_t minimumN(const QString& text) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok) {
      throw RunFailure{kProgramSource,
                       "Max. Records Per Branch is not a whole number: \"" + text.toStdString() + "\"",
                       com::DISP_E_TYPEMISMATCH};
    }
    return value;
  }

  server::IMap& map_;
  const com::ClassInfo& identity_;
  const std::atomic<bool>& cancel_;
  std::function<void(int, const QString&)> stage_;
};

}  // namespace

MapFactory defaultMapFactory() {
  return [](bool character) {
    std::unique_ptr<server::IMap> map;
    server::mapClasses().createInstance(character ? server::kCategoryMapClass.clsid : server::kRegressionMapClass.clsid,
                                        map);
    return map;
  };
}

TreeRun::TreeRun(AppState& state, ChildWindows& windows, QWidget* mainWindow,
                 std::function<DlgTreeOptions&()> treeOptions, MapFactory makeMap)
    : QObject(mainWindow),
      state_(state),
      windows_(windows),
      mainWindow_(mainWindow),
      treeOptions_(std::move(treeOptions)),
      makeMap_(std::move(makeMap)) {
  setObjectName(QStringLiteral("treeRun"));
}

TreeRun::~TreeRun() { delete progress_; }

FrmProgress* TreeRun::progressWindow() const { return progress_; }

bool TreeRun::RunNumericTree() {
  if (running_) return false;
  DlgTreeOptions& options = treeOptions_();
  const auto refuse = [this](const char* text) {
    QMessageBox::critical(mainWindow_, kValidationTitle, QString::fromLatin1(text));
    return false;
  };
  if (QString::fromStdString(state_.gConnectString).trimmed().isEmpty())
    return refuse("No data was identified for modeling.");
  OrlListBox& variables = *options.lstVarSelection();
  if (variables.SelCount() < 1) return refuse("No variables were selected for modeling.");
  const QString target = options.cmbTarget()->currentText();
  if (target.trimmed().isEmpty()) return refuse("No target was selected for modeling.");

  RunPlan plan;
  plan.connectString = state_.gConnectString;
  plan.sourceTable = state_.gSourceTable;
  plan.target = target.toStdString();
  // Every unchecked field but the target, compared with its case: the target is never excluded.
  for (int i = 0; i < variables.ListCount(); ++i)
    if (variables.List(i) != target && !variables.Selected(i)) plan.excluded.push_back(variables.List(i).toStdString());
  plan.minimumN = options.Text1()->text();

  const std::optional<ado::DataType> type = targetType(state_.gRawData, plan.target);
  if (!type) {
    state_.gCharacterTarget = false;  // cleared before the target's field is looked up
    QMessageBox::warning(mainWindow_, QApplication::applicationDisplayName(),
                         failureText({"ADODB.Fields",
                                      "Item cannot be found in the collection corresponding to the requested "
                                      "name or ordinal.",
                                      com::hr(0x800A0CC1)}));
    return false;
  }
  plan.character = ado::isCharacterType(*type);
  if (plan.character) return RunCharacterTree(std::move(plan));
  return runPlan(std::move(plan));
}

bool TreeRun::RunCharacterTree(RunPlan plan) { return runPlan(std::move(plan)); }

bool TreeRun::runPlan(RunPlan plan) {
  setRunning(true);
  if (auto* main = qobject_cast<QMainWindow*>(mainWindow_)) main->statusBar()->clearMessage();
  state_.gCancelRequested = false;
  progress_ = new FrmProgress(state_, mainWindow_);
  progress_->setAttribute(Qt::WA_DeleteOnClose, false);
  progress_->show();
  // The character path has no stage of its own before connecting.
  if (!plan.character) showStage(0, kInitializing);

  RunOutcome outcome = runOffThread(plan);
  if (outcome.end == RunOutcome::End::Done) showStage(99, kDisplaying);
  apply(outcome, plan.character);
  delete progress_;
  setRunning(false);

  switch (outcome.end) {
    case RunOutcome::End::Done:
      return true;
    case RunOutcome::End::Cancelled:
      if (auto* main = qobject_cast<QMainWindow*>(mainWindow_)) main->statusBar()->showMessage(tr("Run cancelled"), 5000);
      return false;
    case RunOutcome::End::Failed:
      QMessageBox::warning(mainWindow_, QApplication::applicationDisplayName(), failureText(outcome.failure));
      return false;
  }
  return false;
}

RunOutcome TreeRun::runOffThread(const RunPlan& plan) {
  // Stages are shown on the window's thread; the worker never waits for them.
  auto stage = [this](int value, const QString& caption) {
    QMetaObject::invokeMethod(this, [this, value, caption] { showStage(value, caption); }, Qt::QueuedConnection);
  };
  auto onComponentStage = [this](server::RunStage value, long) {
    QMetaObject::invokeMethod(this, [this, value] { emit this->componentStage(static_cast<int>(value)); },
                              Qt::QueuedConnection);
  };
  const std::atomic<bool>& cancel = state_.gCancelRequested;
  MapFactory makeMap = makeMap_;
  QFuture<RunOutcome> future = QtConcurrent::run([plan, stage, onComponentStage, &cancel, makeMap] {
    RunOutcome outcome;
    const com::ClassInfo& identity = plan.character ? server::kCategoryMapClass : server::kRegressionMapClass;
    try {
      com::ClearErrorInfo();
      std::unique_ptr<server::IMap> map = makeMap(plan.character);
      if (!map) throw RunFailure{kProgramSource, "Could not create " + identity.progId, com::E_FAIL};
      MapDriver(*map, identity, cancel, stage, onComponentStage).run(plan, outcome);
      outcome.end = RunOutcome::End::Done;
    } catch (const Cancelled&) {
      outcome = RunOutcome{};
      outcome.end = RunOutcome::End::Cancelled;
    } catch (const RunFailure& failure) {
      outcome = RunOutcome{};
      outcome.failure = failure;
    } catch (const std::exception& e) {
      outcome = RunOutcome{};
      outcome.failure = {identity.progId, e.what(), com::E_FAIL};
    }
    return outcome;  // the component was released above, on this thread
  });
  QFutureWatcher<RunOutcome> watcher;
  QEventLoop loop;
  connect(&watcher, &QFutureWatcherBase::finished, &loop, &QEventLoop::quit);
  watcher.setFuture(future);
  waiting_ = true;
  if (!future.isFinished()) loop.exec();
  QCoreApplication::sendPostedEvents(this);  // stages still queued
  waiting_ = false;
  return future.result();
}

void TreeRun::apply(RunOutcome& outcome, bool character) {
  switch (outcome.end) {
    case RunOutcome::End::Cancelled:
      return;  // as if the run had never started
    case RunOutcome::End::Failed:
      // The texts were cleared as the run began; the record sets stay bound.
      state_.gRulesText.clear();
      state_.gCodeText.clear();
      state_.gCharacterTarget = character;
      return;
    case RunOutcome::End::Done:
      break;
  }
  state_.gRulesText = std::move(outcome.rulesText);
  state_.gCodeText = std::move(outcome.codeText);
  state_.gDescriptives.reset();
  state_.gTreeList.reset();
  GridWindow* treeList = windows_.treeList();
  bindResult(*treeList->grid(), outcome.treeList);
  state_.gTreeList = treeList->grid()->DataSource();
  GridWindow* descriptives = windows_.descriptives();
  bindResult(*descriptives->grid(), outcome.descriptives);
  state_.gDescriptives = descriptives->grid()->DataSource();
  state_.gCharacterTarget = false;
  if (character) state_.gTargetValueCount = outcome.targetValueCount;
  showResults(character);
}

void TreeRun::showResults(bool character) {
  windows_.show(windows_.descriptives());
  windows_.show(windows_.rawData());
  windows_.show(windows_.descriptives());
  TextWindow* rules = windows_.rules();
  rules->textBox()->setPlainText(QString::fromStdString(state_.gRulesText));
  windows_.show(rules);
  TextWindow* code = windows_.code();
  code->textBox()->setPlainText(QString::fromStdString(state_.gCodeText));
  windows_.show(code);
  if (character) state_.gCharacterTarget = true;
  // The map of an earlier run is built anew on this run's tree list.
  if (QWidget* map = windows_.find(QStringLiteral("frmTreeDisplay"))) windows_.unload(map);
  showDecisionMap(state_, windows_, mainWindow_);
}

void TreeRun::showStage(int value, const QString& caption) {
  if (!progress_) return;
  if (waiting_) {
    // Shown from the event loop that waits for the worker: it paints the
    // stage itself, and processing messages here would show later stages first.
    progress_->ccrpProgressBar1()->setValue(value);
    progress_->Label1()->setText(caption);
  } else {
    progress_->setStage(value, caption);
  }
  emit stageShown(value, caption);
}

void TreeRun::setRunning(bool running) {
  running_ = running;
  emit runningChanged(running);
}

}  // namespace orlix::app
