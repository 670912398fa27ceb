// Printing and previewing the raw data window over a generated CSV of
// 1,000,000 rows and 26 columns (offscreen): File > Print into a PDF file
// (time, pages, file size), the same printout cancelled after the first
// second, and File > Print Preview's text window (time, memory).
// Usage: bench_app_grid_print [ROWS]   (ORLIX_BENCH_CSV names an existing file)
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "app/child_windows.h"
#include "app/mdi_main.h"
#include "app/orl_flex_grid.h"
#include "app/result_windows.h"
#include "bench/app/bench_window_support.h"
#include "platform/ado/recordset.h"
#include "project/data_source.h"

namespace {

double seconds(const QElapsedTimer& timer) { return static_cast<double>(timer.nsecsElapsed()) / 1e9; }

// Presses Cancel in the progress window once `afterMs` have passed.
void cancelAfter(int afterMs) {
  QTimer::singleShot(afterMs, [] {
    if (QWidget* modal = QApplication::activeModalWidget())
      if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
  });
}

}  // namespace

int main(int argc, char** argv) {
  orlix::bench::BenchProgram program(argc, argv);
  orlix::app::MdiMain& main = program.main();
  const QTemporaryDir& folder = program.folder();
  program.useTable();
  main.viewRaw();
  auto* raw = qobject_cast<orlix::app::FrmRawD*>(main.windows().find(QStringLiteral("frmRawD")));
  if (!raw || raw->grid()->Rows() < 2) return 1;
  const QString pdf = QDir(folder.path()).filePath(QStringLiteral("grid.pdf"));
  main.state().gPrinter.pdfFile = pdf;

  QElapsedTimer timer;
  timer.start();
  const int pages = raw->grid()->PrintGrid(main.state().gPrinter, raw->windowTitle());
  const double printSeconds = seconds(timer);
  const double pdfMiB = QFileInfo(pdf).size() / 1048576.0;

  cancelAfter(1000);
  timer.restart();
  const int cancelled = raw->grid()->PrintGrid(main.state().gPrinter, raw->windowTitle());
  const double cancelSeconds = seconds(timer);

  const double rssBefore = orlix::bench::statusMiB("VmRSS");
  timer.restart();
  main.actions().action(QStringLiteral("mnuFilePrintPreview"))->trigger();
  const double previewSeconds = seconds(timer);
  const bool previewShown = main.windows().find(QStringLiteral("frmPreview")) != nullptr;

  std::printf("raw data window, %d rows (heading included) x %d fields\n", raw->grid()->Rows(), raw->grid()->Cols());
  std::printf("  File > Print into a PDF file:      %8.1f s, %d pages, %.0f MiB\n", printSeconds, pages, pdfMiB);
  std::printf("  the same, cancelled after 1 s:     %8.1f s until stopped, %d pages, file left: %s\n", cancelSeconds,
              cancelled, QFileInfo::exists(pdf) ? "yes" : "no");
  std::printf("  File > Print Preview (text window): %7.1f s, shown: %s, +%.0f MiB resident\n", previewSeconds,
              previewShown ? "yes" : "no", orlix::bench::statusMiB("VmRSS") - rssBefore);
  return pages > 0 && cancelled == 0 && previewShown ? 0 : 1;
}
