// Reading a generated 1,000,000-row, 26-column CSV (20 numeric, 5 text
// columns and a numeric target, about 150 MB) into a record set through the
// text driver's connection string, as the program opens a text file.
// The file is written once to a temporary folder (or taken from
// ORLIX_BENCH_CSV) and read from the page cache, as pandas_read_csv.py reads it.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "bench/common/table_generator.h"
#include "platform/ado/text/csv_reader.h"
#include "platform/ado/recordset.h"
#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

constexpr size_t kRows = 1000000;

// The benchmark file: written on first use into a folder removed at exit, unless given.
const fs::path& csvFile() {
  static const orlix::test::TempDir folder("orlix-bench");
  static fs::path path = [] {
    if (const char* given = std::getenv("ORLIX_BENCH_CSV")) return fs::path(given);
    fs::path p = folder.file("orlix-bench-1m.csv");
    auto table = orlix::bench::generateTable(kRows, orlix::bench::TargetKind::Numeric);
    std::ofstream out(p, std::ios::binary);
    orlix::bench::writeCsv(table, out);
    return p;
  }();
  return path;
}

void BM_OpenCsvRecordset(benchmark::State& state) {
  const fs::path& file = csvFile();
  const std::string connection = "Driver={Microsoft Text Driver (*.txt; *.csv)};DBQ=" +
                                 file.parent_path().string() + ";DefaultDir=" +
                                 file.parent_path().string() + ";Uid=Admin;Pwd=;";
  size_t bytes = 0;
  long rows = 0;
  for (auto _ : state) {
    orlix::ado::Recordset rs;
    rs.SetCursorLocation(orlix::ado::adUseClient);
    rs.Open("select * from [" + file.filename().string() + "]", connection,
            orlix::ado::adOpenKeyset, orlix::ado::adLockBatchOptimistic);
    rows = rs.RecordCount();
    bytes = rs.table()->memoryBytes();
    benchmark::DoNotOptimize(rows);
  }
  state.counters["rows"] = static_cast<double>(rows);
  state.counters["table_MiB"] = static_cast<double>(bytes) / (1 << 20);
  state.counters["file_MiB"] = static_cast<double>(fs::file_size(file)) / (1 << 20);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * fs::file_size(file)));
}
BENCHMARK(BM_OpenCsvRecordset)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
