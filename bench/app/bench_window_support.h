// What the program's window benchmarks share: the process's memory as the
// kernel reports it, and the generated CSV they open (or the one named by
// ORLIX_BENCH_CSV).
#pragma once

#include <QDir>
#include <QString>
#include <QTemporaryDir>

#include <cstdlib>
#include <fstream>
#include <string>

#include "bench/common/table_generator.h"

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

}  // namespace orlix::bench
