// orlix-cli run end to end (load, statistics, tree, report, code, record
// sets, project files) on a generated table of ORLIX_BENCH_ROWS rows
// (default 1,000,000; 26 columns), with the numeric and the 4-class target
// and a minimum count of 100. Counters: peak resident memory and CPU time
// (user + system) of the child.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench/common/table_generator.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

size_t benchRows() {
  const char* text = std::getenv("ORLIX_BENCH_ROWS");
  return text ? std::strtoull(text, nullptr, 10) : 1000000;
}

const fs::path& workDir() {
  static const fs::path dir = [] {
    std::string pattern = (fs::temp_directory_path() / "orlix-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) std::abort();
    return fs::path(pattern);
  }();
  return dir;
}

fs::path tableFile(orlix::bench::TargetKind kind) {
  const fs::path file = workDir() / (kind == orlix::bench::TargetKind::Numeric ? "numeric.csv" : "classes.csv");
  if (!fs::exists(file)) {
    std::ofstream out(file);
    orlix::bench::writeCsv(orlix::bench::generateTable(benchRows(), kind), out);
  }
  return file;
}

struct ChildUsage {
  long peakBytes = 0;
  double cpuSeconds = 0;  // user + system
};

// Runs orlix-cli; returns its exit status and fills its resource usage.
int runCli(const std::vector<std::string>& args, ChildUsage& used) {
  std::vector<char*> argv;
  std::string program = ORLIX_CLI_PATH;
  argv.push_back(program.data());
  std::vector<std::string> copy = args;
  for (std::string& a : copy) argv.push_back(a.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  pid_t pid = 0;
  const int rc = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (rc != 0) return -1;
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  used.peakBytes = usage.ru_maxrss * 1024L;
  used.cpuSeconds = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                    static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void BM_OrlixCliRun(benchmark::State& state, orlix::bench::TargetKind kind) {
  const fs::path data = tableFile(kind);
  const std::string target = kind == orlix::bench::TargetKind::Numeric ? "Y" : "CLASS";
  ChildUsage used;
  for (auto _ : state) {
    const int status = runCli({"run", "--data", data.string(), "--target", target, "--min-n", "100", "--project",
                               (workDir() / "project").string()},
                              used);
    if (status != 0) state.SkipWithError("orlix-cli failed");
  }
  state.counters["peak_MiB"] = static_cast<double>(used.peakBytes) / (1024.0 * 1024.0);
  state.counters["child_cpu_s"] = used.cpuSeconds;
  state.counters["rows"] = static_cast<double>(benchRows());
}

BENCHMARK_CAPTURE(BM_OrlixCliRun, numeric_target, orlix::bench::TargetKind::Numeric)
    ->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();
BENCHMARK_CAPTURE(BM_OrlixCliRun, four_class_target, orlix::bench::TargetKind::FourClass)
    ->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::error_code ec;
  fs::remove_all(workDir(), ec);
  return 0;
}
