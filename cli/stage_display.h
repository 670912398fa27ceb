// Shows the stages of a run as it goes, one line each on standard error with
// the seconds since the run began: for a terminal, where someone waits.
#pragma once

#include <chrono>
#include <ostream>
#include <string>

#include "server/run_progress.h"

namespace orlix::cli {

class StageDisplay {
 public:
  // Writes to `err` when `shown`; otherwise stays silent.
  StageDisplay(std::ostream& err, bool shown);

  void show(const std::string& stage);
  // The component's stages as lines of this display.
  server::RunProgress progress();

 private:
  std::ostream& err_;
  bool shown_;
  std::chrono::steady_clock::time_point start_;
};

}  // namespace orlix::cli
