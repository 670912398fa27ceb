// Cancel during Tools > Run Tree on a generated 1,000,000-row, 26-column CSV
// (offscreen): for each stage of the run, the time from the progress
// window's Cancel to the program being idle again (the run returned, its
// component released, the commands enabled), and the longest gap between
// two ticks of a 10 ms timer during the run, which shows whether the window
// kept painting. Also the time of a complete run, for scale.
// Usage: bench_tree_run_cancel [ROWS]   (ORLIX_BENCH_CSV names an existing file)
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>

#include "app/dlg_tree_options.h"
#include "app/frm_progress.h"
#include "app/mdi_main.h"
#include "app/orl_list_box.h"
#include "app/tree_run.h"
#include "bench/app/bench_window_support.h"
#include "project/data_source.h"
#include "platform/ado/recordset.h"
#include "server/run_progress.h"

namespace {

using orlix::app::TreeRun;

struct Measure {
  bool completed = false;
  double cancelToIdleMs = -1;
  double runMs = 0;
  double longestTickGapMs = 0;
};

// One run; `arm` is called once with a function that presses Cancel.
Measure runOnce(orlix::app::MdiMain& main, const std::function<void(TreeRun&, std::function<void()>)>& arm) {
  TreeRun& run = *main.findChild<TreeRun*>(QStringLiteral("treeRun"));
  Measure m;
  QElapsedTimer clock, sinceTick, sinceCancel;
  QTimer ticker;
  QObject::connect(&ticker, &QTimer::timeout, [&] {
    if (sinceTick.isValid()) m.longestTickGapMs = std::max(m.longestTickGapMs, sinceTick.nsecsElapsed() / 1e6);
    sinceTick.restart();
  });
  const auto cancel = [&run, &sinceCancel] {
    if (!run.progressWindow()) return;
    sinceCancel.start();
    run.progressWindow()->cmdCancel()->click();
  };
  arm(run, cancel);
  ticker.start(10);
  clock.start();
  m.completed = run.RunNumericTree();
  if (sinceCancel.isValid()) m.cancelToIdleMs = sinceCancel.nsecsElapsed() / 1e6;
  m.runMs = clock.nsecsElapsed() / 1e6;
  ticker.stop();
  QObject::disconnect(&run, nullptr, nullptr, nullptr);
  return m;
}

void print(const char* stage, const Measure& m) {
  if (m.cancelToIdleMs < 0) {
    std::printf("  %-44s  not reached (run %s in %.0f ms)\n", stage, m.completed ? "completed" : "ended",
                m.runMs);
    return;
  }
  std::printf("  %-44s  cancel to idle %7.1f ms   longest tick gap %6.1f ms   run %7.0f ms\n", stage,
              m.cancelToIdleMs, m.longestTickGapMs, m.runMs);
}

}  // namespace

int main(int argc, char** argv) {
  orlix::bench::BenchProgram program(argc, argv);
  orlix::app::MdiMain& main = program.main();
  const std::string& csv = program.csv();
  program.useTable();
  main.viewRaw();  // the raw data fills the tree options' lists
  orlix::app::DlgTreeOptions& options = main.treeOptions();
  options.lstVarSelection()->selectAll();
  options.cmbTarget()->setCurrentText(QStringLiteral("Y"));
  options.Text1()->setText(QStringLiteral("1000"));

  using Stage = orlix::server::RunStage;
  // Presses Cancel `delayMs` after the progress window shows `value`.
  const auto atStage = [](int value, int delayMs) {
    return [value, delayMs](TreeRun& run, std::function<void()> cancel) {
      QObject::connect(&run, &TreeRun::stageShown, [&run, value, delayMs, cancel](int shown, const QString&) {
        if (shown == value) QTimer::singleShot(delayMs, &run, cancel);
      });
    };
  };
  // Presses Cancel `delayMs` after the component begins `stage`.
  const auto atComponentStage = [](Stage stage, int delayMs) {
    return [stage, delayMs](TreeRun& run, std::function<void()> cancel) {
      QObject::connect(&run, &TreeRun::componentStage, [&run, stage, delayMs, cancel](int begun) {
        if (begun == static_cast<int>(stage)) QTimer::singleShot(delayMs, &run, cancel);
      });
    };
  };

  const Measure whole = runOnce(main, [](TreeRun&, std::function<void()>) {});
  std::printf("Tools > Run Tree on %ld records x 26 fields (%s)\n",
              main.state().gRawData ? main.state().gRawData->RecordCount() : 0L, csv.c_str());
  std::printf("  complete run: %.0f ms, longest tick gap %.1f ms (%s)\n", whole.runMs, whole.longestTickGapMs,
              whole.completed ? "results shown" : "failed");
  print("connecting: reading the file (+200 ms)", runOnce(main, atStage(5, 200)));
  print("connecting: reading the file (+800 ms)", runOnce(main, atStage(5, 800)));
  print("executing: loading the rows (+0 ms)", runOnce(main, atStage(8, 0)));
  print("executing: statistics (+20 ms)", runOnce(main, atComponentStage(Stage::Statistics, 20)));
  print("executing: growing, first split (+0 ms)", runOnce(main, atComponentStage(Stage::Growing, 0)));
  print("executing: growing (+300 ms)", runOnce(main, atComponentStage(Stage::Growing, 300)));
  print("executing: growing (+150 ms)", runOnce(main, atComponentStage(Stage::Growing, 150)));
  return whole.completed ? 0 : 1;
}
