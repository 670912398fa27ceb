// What the program's window benchmarks share: the process's memory as the
// kernel reports it, the generated CSV they open (or the one named by
// ORLIX_BENCH_CSV), and the program's main window over it.
#pragma once

#include <QApplication>
#include <QDir>
#include <QString>
#include <QTemporaryDir>

#include <cstdlib>
#include <fstream>
#include <string>

#include "app/app_state.h"
#include "app/mdi_main.h"
#include "app/program_files.h"
#include "bench/common/table_generator.h"
#include "project/data_source.h"

namespace orlix::bench {

// A value of /proc/self/status ("VmRSS", "VmHWM") in MiB.
inline double statusMiB(const char* key) {
  std::ifstream status("/proc/self/status");
  std::string line;
  const std::string prefix = std::string(key) + ":";
  while (std::getline(status, line))
    if (line.rfind(prefix, 0) == 0) return std::atof(line.c_str() + prefix.size()) / 1024.0;
  return 0;
}

// ORLIX_BENCH_CSV, or a generated table of `rows` rows with a numeric target
// written into `folder`.
inline std::string benchCsv(const QTemporaryDir& folder, std::size_t rows) {
  std::string csv = qEnvironmentVariable("ORLIX_BENCH_CSV").toStdString();
  if (!csv.empty()) return csv;
  csv = QDir(folder.path()).filePath(QStringLiteral("bench-raw-data.csv")).toStdString();
  std::ofstream out(csv, std::ios::binary);
  writeCsv(generateTable(rows, TargetKind::Numeric), out);
  return csv;
}

// The program under a window benchmark: offscreen unless QT_QPA_PLATFORM
// says otherwise, ROWS from the command line (1,000,000 by default), their
// generated table and the main window shown at 1280 x 900.
class BenchProgram {
 public:
  BenchProgram(int& argc, char** argv)
      : rows_(offscreenRows(argc, argv)),
        csv_(benchCsv(folder_, rows_)),
        application_(argc, argv),
        main_(app::ProgramFiles(folder_.path())) {
    main_.resize(1280, 900);
    main_.show();
  }

  std::size_t rows() const { return rows_; }
  const std::string& csv() const { return csv_; }
  const QTemporaryDir& folder() const { return folder_; }
  app::MdiMain& main() { return main_; }

  // Makes the table the data source, as the data import dialog does.
  void useTable() {
    const project::DataSource source = project::dataSourceForFile(csv_, "");
    main_.state().gConnectString = source.connectionString;
    main_.state().gSourceTable = source.tableExpression;
  }

 private:
  static std::size_t offscreenRows(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    return argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 1000000;
  }

  std::size_t rows_;
  QTemporaryDir folder_;
  std::string csv_;
  QApplication application_;
  app::MdiMain main_;
};

}  // namespace orlix::bench
