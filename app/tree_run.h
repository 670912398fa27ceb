// TreeRun: Tools > Run Tree. Checks the tree options, picks the component by
// the target field's type, and drives it on a worker thread while the
// progress window shows each stage; the windows keep painting meanwhile and
// Cancel stops the run at the next stage, read window, variable or split.
// The results reach the program's state and the result windows only when
// the run is complete: a cancelled run changes nothing, a failed one is
// reported as "Error from ..." and keeps the earlier tree list and
// descriptives. One run at a time.
#pragma once

#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>

class QWidget;

namespace orlix::server {
class IMap;
}

namespace orlix::app {

struct AppState;
class ChildWindows;
class DlgTreeOptions;
class FrmProgress;
struct RunOutcome;
struct RunPlan;

// Creates the component of one run: a CategoryMap when `character`, else a
// RegressionMap. The run owns it and releases it on its worker thread when
// it ends, whatever the way. Tests pass one that records its calls.
using MapFactory = std::function<std::unique_ptr<server::IMap>(bool character)>;
MapFactory defaultMapFactory();

class TreeRun : public QObject {
  Q_OBJECT

 public:
  // A child of `mainWindow` (object name "treeRun"); whoever creates it may
  // also delete it.
  TreeRun(AppState& state, ChildWindows& windows, QWidget* mainWindow, std::function<DlgTreeOptions&()> treeOptions,
          MapFactory makeMap = defaultMapFactory());
  ~TreeRun() override;

  // Reads the options from the dialog's controls now and runs; true when
  // results were displayed. Returns once the run has ended; the window's
  // events are processed meanwhile. False at once while a run is going.
  bool RunNumericTree();
  bool running() const { return running_; }
  // The progress window of the run going on; null between runs.
  FrmProgress* progressWindow() const;

 signals:
  // Emitted as a run starts and as it ends, for the commands that would
  // start another one.
  void runningChanged(bool running);
  // Emitted as the progress window shows a stage (its bar value and caption).
  void stageShown(int value, const QString& caption);
  // Emitted as the component begins one of its own stages (a server::RunStage).
  void componentStage(int stage);

 private:
  // The character path: the same run on a CategoryMap, from stage 5.
  bool RunCharacterTree(RunPlan plan);
  bool runPlan(RunPlan plan);
  // Runs the plan on a worker thread; the stages reach the progress window
  // through queued calls.
  RunOutcome runOffThread(const RunPlan& plan);
  void apply(RunOutcome& outcome, bool character);
  void showResults(bool character);
  void setRunning(bool running);
  void showStage(int value, const QString& caption);

  AppState& state_;
  ChildWindows& windows_;
  QWidget* mainWindow_;
  std::function<DlgTreeOptions&()> treeOptions_;
  MapFactory makeMap_;
  bool running_ = false;
  bool waiting_ = false;  // the window's thread waits for the worker
  QPointer<FrmProgress> progress_;
};

}  // namespace orlix::app
