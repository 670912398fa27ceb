#include "bench/app/bench_app_support.h"

#include <QDir>
#include <fstream>

#include "bench/common/table_generator.h"
#include "project/data_source.h"

namespace orlix::bench {

std::string benchCsv(const QTemporaryDir& folder, std::size_t rows) {
  std::string csv = qEnvironmentVariable("ORLIX_BENCH_CSV").toStdString();
  if (!csv.empty()) return csv;
  csv = QDir(folder.path()).filePath(QStringLiteral("bench-raw-data.csv")).toStdString();
  std::ofstream out(csv, std::ios::binary);
  writeCsv(generateTable(rows, TargetKind::Numeric), out);
  return csv;
}

void chooseSource(app::MdiMain& main, const std::string& csv) {
  const project::DataSource source = project::dataSourceForFile(csv, "");
  main.state().gConnectString = source.connectionString;
  main.state().gSourceTable = source.tableExpression;
}

}  // namespace orlix::bench
