// bench_peers: orlix-cli end to end against its peers, in one run on this
// machine, on the same generated tables, each tool a child process whose
// wall time, processor time and peak resident memory are its own.
//
//   csv          ROWS-row CSV (26 columns), numeric and 4-class target:
//                orlix-cli run --project vs scikit-learn (pandas read_csv,
//                ordinal encoding, a 10-split tree) vs rpart (fread, cp 0.001)
//   postgres     the numeric table in a throwaway PostgreSQL server, read
//                through ODBC, against the same table as CSV, and what the
//                ODBC driver alone takes to deliver it (odbc_fetch_floor)
//   xlsx         a 200,000-row workbook: orlix-cli vs pandas read_excel
//   sheet-limit  a workbook at the sheet's row limit (1,048,576 rows)
//   scale        5,000,000 CSV rows against ROWS
//
// Usage: bench_peers [--rows N] [--repeat K] [--keep DIR] [SECTION...]
// (all sections by default). Prints a table per section and the ratios with
// the targets they are held against.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "bench/common/child_process.h"
#include "bench/common/table_generator.h"
#include "bench/common/xlsx_table_writer.h"
#include "tests/support/postgres_server.h"
#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using orlix::bench::ChildRun;
using orlix::bench::TargetKind;

const std::string kCli = ORLIX_CLI_PATH;
const std::string kFetchFloor = ORLIX_FETCH_FLOOR_PATH;
const std::string kPeers = std::string(ORLIX_SOURCE_DIR) + "/bench/peers";
constexpr size_t kSheetRows = 1048576;  // rows of a worksheet, the header's included

struct Settings {
  size_t rows = 1000000;
  int repeat = 1;
  std::string keep;  // a folder for the generated files, kept; empty: a temporary one
};

// The run of median wall time among `repeat` runs.
ChildRun measure(const std::vector<std::string>& argv, int repeat) {
  std::vector<ChildRun> runs;
  for (int i = 0; i < repeat; ++i) runs.push_back(orlix::bench::runChild(argv));
  std::sort(runs.begin(), runs.end(), [](const ChildRun& a, const ChildRun& b) { return a.seconds < b.seconds; });
  const ChildRun& middle = runs[runs.size() / 2];
  if (middle.status != 0) {
    std::string command;
    for (const std::string& a : argv) command += a + " ";
    std::fprintf(stderr, "bench_peers: failed (status %d): %s\n", middle.status, command.c_str());
  }
  return middle;
}

void printRun(const std::string& tool, const ChildRun& run) {
  std::printf("  %-34s %8.2f %8.2f %9.0f%s\n", tool.c_str(), run.seconds, run.cpuSeconds, run.peakMiB,
              run.status == 0 ? "" : "   FAILED");
}

void printHeader(const std::string& title) {
  std::printf("\n%s\n  %-34s %8s %8s %9s\n", title.c_str(), "tool", "wall s", "cpu s", "peak MiB");
}

const char* verdict(bool met) { return met ? "met" : "NOT MET"; }

std::vector<std::string> orlixRun(const std::string& data, const std::string& target, const std::string& project,
                                  const std::vector<std::string>& more = {}) {
  std::vector<std::string> argv = {kCli, "run", "--data", data, "--target", target, "--min-n", "100",
                                   "--project", project};
  argv.insert(argv.end(), more.begin(), more.end());
  return argv;
}

class Bench {
 public:
  explicit Bench(const Settings& settings) : settings_(settings), temp_("orlix-bench-peers") {
    dir_ = settings.keep.empty() ? temp_.path() : settings.keep;
    fs::create_directories(dir_);
  }

  // A generated CSV of `rows` rows, written once.
  std::string csv(size_t rows, TargetKind kind) {
    const std::string path =
        dir_ + "/" + (kind == TargetKind::Numeric ? "numeric" : "classes") + "_" + std::to_string(rows) + ".csv";
    if (!fs::exists(path)) {
      std::ofstream out(path, std::ios::binary);
      orlix::bench::writeCsv(orlix::bench::generateTable(rows, kind), out);
    }
    return path;
  }

  std::string xlsx(size_t rows) {
    const std::string path = dir_ + "/numeric_" + std::to_string(rows) + ".xlsx";
    if (!fs::exists(path)) orlix::bench::writeXlsx(orlix::bench::generateTable(rows, TargetKind::Numeric), path);
    return path;
  }

  std::string project(const std::string& name) const { return dir_ + "/project_" + name; }

  void csvSection() {
    for (TargetKind kind : {TargetKind::Numeric, TargetKind::FourClass}) {
      const bool numeric = kind == TargetKind::Numeric;
      const std::string data = csv(settings_.rows, kind);
      const std::string target = numeric ? "Y" : "CLASS";
      printHeader(std::to_string(settings_.rows) + " rows x 26 columns, " +
                  (numeric ? "numeric target" : "4-class target") + " (" + fs::path(data).filename().string() +
                  ", " + std::to_string(fs::file_size(data) >> 20) + " MiB)");
      const ChildRun orlix = measure(orlixRun(data, target, project("csv")), settings_.repeat);
      printRun("orlix-cli run --project", orlix);
      const ChildRun sklearn = measure({kPeers + "/sklearn_tree.py", data, target, "100"}, settings_.repeat);
      printRun("scikit-learn (read_csv, tree)", sklearn);
      const ChildRun rpart = measure({"Rscript", kPeers + "/rpart_tree.R", data, target, "100"}, settings_.repeat);
      printRun("rpart (fread, cp 0.001)", rpart);
      const double toSklearn = sklearn.seconds / orlix.seconds, toRpart = rpart.seconds / orlix.seconds;
      std::printf("  scikit-learn / orlix %.1fx (>= 7x: %s); rpart / orlix %.1fx (>= 4x: %s); "
                  "orlix peak %.0f MiB (<= 800: %s)\n",
                  toSklearn, verdict(toSklearn >= 7), toRpart, verdict(toRpart >= 4), orlix.peakMiB,
                  verdict(orlix.peakMiB <= 800));
    }
  }

  void postgresSection() {
    const std::string data = csv(settings_.rows, TargetKind::Numeric);
    orlix::test::PostgresServer server;
    std::string columns;
    const orlix::bench::GeneratedTable shape = orlix::bench::generateTable(1, TargetKind::Numeric);
    for (size_t c = 0; c < orlix::bench::GeneratedTable::kColumns; ++c) {
      const bool integer = c >= 16 && c < 20;
      columns += (c ? ", \"" : "\"") + shape.names[c] + "\" " +
                 (!shape.isNumericColumn(c) ? "text" : integer ? "integer" : "double precision");
    }
    server.execute("create table generated (" + columns + ");\n\\copy generated from '" + data +
                   "' with (format csv, header)\nvacuum analyze generated;\n");
    printHeader("the numeric table, " + std::to_string(settings_.rows) + " rows, from PostgreSQL through ODBC");
    const std::string csvNodes = dir_ + "/nodes_csv.txt", sqlNodes = dir_ + "/nodes_postgres.txt";
    const ChildRun fromCsv =
        measure(orlixRun(data, "Y", project("csv"), {"--node-file", csvNodes}), settings_.repeat);
    printRun("orlix-cli run, CSV file", fromCsv);
    std::vector<std::string> argv = {kCli,      "run",        "--connect", server.connectionString(),
                                     "--table", "generated",  "--target",  "Y",
                                     "--min-n", "100",        "--project", project("postgres"),
                                     "--node-file", sqlNodes};
    const ChildRun fromServer = measure(argv, settings_.repeat);
    printRun("orlix-cli run, PostgreSQL (ODBC)", fromServer);
    const std::string pages = server.query("select relpages from pg_class where relname = 'generated'");
    const ChildRun driver = measure({kFetchFloor, server.connectionString(), "generated", pages}, settings_.repeat);
    printRun("ODBC driver alone, values unused", driver);
    const double ratio = fromServer.seconds / fromCsv.seconds;
    std::printf("  PostgreSQL / CSV %.2fx (<= 2x: %s); peak %.0f MiB (<= 1024: %s); same tree: %s\n", ratio,
                verdict(ratio <= 2), fromServer.peakMiB, verdict(fromServer.peakMiB <= 1024),
                sameFile(csvNodes, sqlNodes) ? "yes" : "NO");
    std::printf("  the driver alone takes %.2fx the whole CSV run\n", driver.seconds / fromCsv.seconds);
  }

  void xlsxSection() {
    const size_t rows = 200000;
    const std::string book = xlsx(rows);
    printHeader("a " + std::to_string(rows) + "-row, 26-column workbook (" +
                std::to_string(fs::file_size(book) >> 20) + " MiB)");
    const ChildRun orlix = measure(orlixRun(book, "Y", project("xlsx"), {"--table", "Data$"}), settings_.repeat);
    printRun("orlix-cli run --project", orlix);
    const ChildRun pandas = measure({kPeers + "/pandas_read_excel.py", book}, settings_.repeat);
    printRun("pandas read_excel (openpyxl)", pandas);
    const double ratio = pandas.seconds / orlix.seconds;
    std::printf("  pandas read_excel / orlix %.1fx (>= 10x: %s); orlix peak %.0f MiB (<= 600: %s)\n", ratio,
                verdict(ratio >= 10), orlix.peakMiB, verdict(orlix.peakMiB <= 600));
  }

  void sheetLimitSection() {
    const std::string book = xlsx(kSheetRows - 1);
    printHeader("a workbook at the sheet's row limit, " + std::to_string(kSheetRows) + " rows (" +
                std::to_string(fs::file_size(book) >> 20) + " MiB)");
    const ChildRun orlix = measure(orlixRun(book, "Y", project("sheet"), {"--table", "Data$"}), 1);
    printRun("orlix-cli run --project", orlix);
    std::printf("  peak %.0f MiB (<= 2048: %s)\n", orlix.peakMiB, verdict(orlix.status == 0 && orlix.peakMiB <= 2048));
  }

  void scaleSection() {
    const size_t large = 5000000;
    printHeader("growth with the number of rows, numeric target");
    const ChildRun small = measure(orlixRun(csv(settings_.rows, TargetKind::Numeric), "Y", project("scale")), 1);
    printRun("orlix-cli, " + std::to_string(settings_.rows) + " rows", small);
    const ChildRun big = measure(orlixRun(csv(large, TargetKind::Numeric), "Y", project("scale")), 1);
    printRun("orlix-cli, " + std::to_string(large) + " rows", big);
    const double rowsRatio = static_cast<double>(large) / static_cast<double>(settings_.rows);
    std::printf("  %.1fx the rows: %.2fx the time, %.2fx the peak\n", rowsRatio, big.seconds / small.seconds,
                big.peakMiB / small.peakMiB);
  }

 private:
  static bool sameFile(const std::string& a, const std::string& b) {
    std::ifstream x(a, std::ios::binary), y(b, std::ios::binary);
    std::stringstream sx, sy;
    sx << x.rdbuf();
    sy << y.rdbuf();
    return !sx.str().empty() && sx.str() == sy.str();
  }

  Settings settings_;
  orlix::test::TempDir temp_;
  std::string dir_;
};

}  // namespace

int main(int argc, char** argv) {
  Settings settings;
  std::vector<std::string> sections;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if ((a == "--rows" || a == "--repeat" || a == "--keep") && i + 1 < argc) {
      const std::string v = argv[++i];
      if (a == "--rows") settings.rows = std::strtoull(v.c_str(), nullptr, 10);
      if (a == "--repeat") settings.repeat = std::max(1, std::atoi(v.c_str()));
      if (a == "--keep") settings.keep = v;
    } else if (a == "csv" || a == "postgres" || a == "xlsx" || a == "sheet-limit" || a == "scale") {
      sections.push_back(a);
    } else {
      std::fprintf(stderr,
                   "usage: bench_peers [--rows N] [--repeat K] [--keep DIR] [csv] [postgres] [xlsx] "
                   "[sheet-limit] [scale]\n");
      return 2;
    }
  }
  if (settings.rows == 0) settings.rows = 1000000;
  if (sections.empty()) sections = {"csv", "postgres", "xlsx", "sheet-limit", "scale"};
  Bench bench(settings);
  const std::map<std::string, std::function<void()>> run = {
      {"csv", [&] { bench.csvSection(); }},
      {"postgres", [&] { bench.postgresSection(); }},
      {"xlsx", [&] { bench.xlsxSection(); }},
      {"sheet-limit", [&] { bench.sheetLimitSection(); }},
      {"scale", [&] { bench.scaleSection(); }}};
  for (const std::string& section : sections) {
    try {
      run.at(section)();
    } catch (const std::exception& e) {
      std::printf("\n%s: could not run: %s\n", section.c_str(), e.what());
    }
    std::fflush(stdout);
  }
  return 0;
}
