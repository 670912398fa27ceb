// Opening a generated 1,000,000-row, 26-column CSV in the raw data window as
// View > Raw Data does (offscreen): the time until the grid is bound and
// painted, the memory the program holds then, and the time to page through
// the grid, jump to its end and sort it by a column.
// Usage: bench_app_raw_data [ROWS]   (ORLIX_BENCH_CSV names an existing file)
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QScrollBar>
#include <QTemporaryDir>
#include <sys/resource.h>

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

double millisecondsOf(QElapsedTimer& timer) { return static_cast<double>(timer.nsecsElapsed()) / 1e6; }

// Processor time of the whole process (every thread), in milliseconds.
double cpuMilliseconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const auto ms = [](const timeval& t) { return t.tv_sec * 1000.0 + t.tv_usec / 1000.0; };
  return ms(usage.ru_utime) + ms(usage.ru_stime);
}

void paint(QWidget* widget) {
  widget->repaint();
  QApplication::processEvents();
}

}  // namespace

int main(int argc, char** argv) {
  orlix::bench::BenchProgram program(argc, argv);
  orlix::app::MdiMain& main = program.main();
  const std::string& csv = program.csv();
  const std::size_t rows = program.rows();
  QApplication::processEvents();
  const double rssBefore = orlix::bench::statusMiB("VmRSS");

  program.useTable();
  QElapsedTimer timer;
  timer.start();
  double cpu = cpuMilliseconds();
  main.viewRaw();
  auto* raw = qobject_cast<orlix::app::FrmRawD*>(main.windows().find(QStringLiteral("frmRawD")));
  paint(raw);
  const double openMs = millisecondsOf(timer);
  const double openCpuMs = cpuMilliseconds() - cpu;
  const double rssOpen = orlix::bench::statusMiB("VmRSS");

  // The window's own share: binding the record set that is already read, and painting.
  raw->grid()->setDataSource(nullptr);
  paint(raw);
  timer.restart();
  cpu = cpuMilliseconds();
  raw->grid()->setDataSource(main.state().gRawData);
  paint(raw);
  const double bindMs = millisecondsOf(timer);
  const double bindCpuMs = cpuMilliseconds() - cpu;
  const long records = main.state().gRawData ? main.state().gRawData->RecordCount() : 0;
  const double tableMiB = main.state().gRawData ? main.state().gRawData->table()->memoryBytes() / 1048576.0 : 0;

  QScrollBar* scroll = raw->grid()->view()->verticalScrollBar();
  constexpr int kPages = 100;
  timer.restart();
  for (int page = 0; page < kPages; ++page) {
    scroll->setValue(scroll->value() + scroll->pageStep());
    paint(raw->grid()->view()->viewport());
  }
  const double pageMs = millisecondsOf(timer) / kPages;
  timer.restart();
  scroll->setValue(scroll->maximum());
  paint(raw->grid()->view()->viewport());
  const double endMs = millisecondsOf(timer);
  timer.restart();
  raw->grid()->select({1, 25, 1, 25});
  raw->grid()->sortAscending();
  paint(raw->grid()->view()->viewport());
  const double sortMs = millisecondsOf(timer);

  std::printf("raw data window, %ld records x %d fields from %s\n", records, raw->grid()->Cols(), csv.c_str());
  std::printf("  View > Raw Data (read, bind, paint): %8.0f ms wall, %8.0f ms processor\n", openMs, openCpuMs);
  std::printf("  of which the window (bind, paint):   %8.1f ms wall, %8.1f ms processor\n", bindMs, bindCpuMs);
  std::printf("  one page down and repaint:           %8.2f ms (mean of %d)\n", pageMs, kPages);
  std::printf("  jump to the last record:             %8.2f ms\n", endMs);
  std::printf("  sort by the target column:           %8.0f ms\n", sortMs);
  std::printf("  resident memory: %.0f MiB before, %.0f MiB open (+%.0f), peak %.0f MiB; table %.0f MiB\n",
              rssBefore, rssOpen, rssOpen - rssBefore, orlix::bench::statusMiB("VmHWM"), tableMiB);
  return records == static_cast<long>(rows) || !qEnvironmentVariableIsEmpty("ORLIX_BENCH_CSV") ? 0 : 1;
}
