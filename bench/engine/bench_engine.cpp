// bench_engine [ROWS...]: fills the analysis table with a generated table
// (20 numeric, 5 character predictors; a numeric target for a regression map,
// a 4-class target for a category map), then times the statistics pass
// (InitializeVars) and growing (CreateRoot + Grow) with a minimum count of 100.
// Prints one line per size and map kind; default sizes 10k, 100k, 1M.
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/common/table_generator.h"
#include "engine/category_engine.h"
#include "engine/regression_engine.h"
#include "engine/row_table.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point from) { return std::chrono::duration<double>(Clock::now() - from).count(); }

// Processor time of the process (all threads), user plus system, in seconds.
double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

void Fill(orlix::engine::RowTable& table, const orlix::bench::GeneratedTable& g) {
  using G = orlix::bench::GeneratedTable;
  table.Reset(static_cast<int>(G::kColumns));
  table.Reserve(static_cast<int>(g.rows()));
  for (std::size_t r = 0; r < g.rows(); ++r) {
    for (std::size_t c = 0; c < G::kNumeric; ++c) table.AppendDouble(g.numeric[c][r]);
    for (std::size_t c = 0; c < G::kCharacter; ++c) table.AppendString(g.levels[c][g.codes[c][r]]);
    if (g.kind == orlix::bench::TargetKind::Numeric) {
      table.AppendDouble(g.target[r]);
    } else {
      table.AppendString(g.classNames[g.targetClass[r]]);
    }
    table.EndRow();
  }
}

template <typename Engine>
void Run(int rows, orlix::bench::TargetKind kind) {
  using G = orlix::bench::GeneratedTable;
  const G generated = orlix::bench::generateTable(static_cast<std::size_t>(rows), kind);
  orlix::engine::RowTable table;
  auto start = Clock::now();
  Fill(table, generated);
  const double fill = Seconds(start);
  const double tableMiB = static_cast<double>(table.MemoryBytes()) / (1024.0 * 1024.0);

  Engine engine(table);
  for (std::size_t c = 0; c < G::kColumns; ++c) {
    engine.columns()[c].name = generated.names[c];
    engine.columns()[c].kind = generated.isNumericColumn(c) ? orlix::engine::kNumericKind : orlix::engine::kCharacterKind;
  }
  engine.SetOutputFileName("/dev/null");
  engine.SetNumCols(static_cast<int>(G::kColumns));
  engine.SetNumRows(rows);
  engine.SetMinimumN(100);
  const double cpuStart = CpuSeconds();
  start = Clock::now();
  if (engine.InitializeVars() != 0) std::exit(1);
  const double statistics = Seconds(start);
  const double cpuStatistics = CpuSeconds() - cpuStart;
  start = Clock::now();
  if (engine.CreateRoot() != 0 || engine.Grow(*engine.root()) != 0) std::exit(1);
  const double growing = Seconds(start);
  const double cpu = CpuSeconds() - cpuStart;
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  std::printf("%-10s %9d rows  fill %7.3f s  statistics %7.3f s (cpu %6.3f s)  growing %7.3f s  statistics+growing %7.3f s (cpu %7.3f s)  "
              "table %7.1f MiB  peak RSS %7.1f MiB  nodes %d  splits %d\n",
              kind == orlix::bench::TargetKind::Numeric ? "regression" : "category", rows, fill, statistics, cpuStatistics, growing, statistics + growing, cpu, tableMiB, usage.ru_maxrss / 1024.0,
              engine.nodeCount(), engine.splitCount());
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<int> sizes;
  for (int i = 1; i < argc; ++i) sizes.push_back(std::atoi(argv[i]));
  if (sizes.empty()) sizes = {10000, 100000, 1000000};
  for (int rows : sizes) Run<orlix::engine::RegressionEngine>(rows, orlix::bench::TargetKind::Numeric);
  for (int rows : sizes) Run<orlix::engine::CategoryEngine>(rows, orlix::bench::TargetKind::FourClass);
}
