#include "cli/stage_display.h"

#include <charconv>

namespace orlix::cli {

StageDisplay::StageDisplay(std::ostream& err, bool shown)
    : err_(err), shown_(shown), start_(std::chrono::steady_clock::now()) {}

void StageDisplay::show(const std::string& stage) {
  if (!shown_) return;
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
  char text[32];
  const auto end = std::to_chars(text, text + sizeof text, seconds, std::chars_format::fixed, 2).ptr;
  const std::string elapsed(text, end);
  err_ << std::string(elapsed.size() < 7 ? 7 - elapsed.size() : 0, ' ') << elapsed << " s  " << stage << std::endl;
}

server::RunProgress StageDisplay::progress() {
  if (!shown_) return {};
  return [this](server::RunStage stage, long count) {
    switch (stage) {
      case server::RunStage::Reading: return show("reading the source");
      case server::RunStage::Read: return show("read " + std::to_string(count) + " rows");
      case server::RunStage::Statistics: return show("statistics of " + std::to_string(count) + " variables");
      case server::RunStage::Growing: return show("growing the tree");
    }
  };
}

}  // namespace orlix::cli
