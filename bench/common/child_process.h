// Runs a program as a child process for the end-to-end benchmarks and
// measures it: wall time, processor time and peak resident memory are the
// child's own.
#pragma once

#include <string>
#include <vector>

namespace orlix::bench {

struct ChildRun {
  int status = -1;          // exit status; -1 when it could not start or was killed
  double seconds = 0;       // wall time
  double cpuSeconds = 0;    // user + system
  double peakMiB = 0;       // peak resident size
};

// Runs argv[0] (searched in PATH) with the arguments; its standard output
// goes to `output` (a file, "/dev/null" to drop it), standard error stays.
ChildRun runChild(const std::vector<std::string>& argv, const std::string& output = "/dev/null");

}  // namespace orlix::bench
