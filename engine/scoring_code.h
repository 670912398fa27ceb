// The scoring code of a grown tree: rule-language statements that convert
// decile variables as the engine did and assign each row its segment number,
// numbered as in the segment summary report. Built from the node file the
// engine wrote; nothing throws, problems come back in GeneratedText.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "engine/segment_report.h"

namespace orlix::engine {

// One engine variable, in column order (the target last).
struct ScoringVariable {
  std::string name;
  bool decile = false;
  std::array<float, 10> cuts{};  // cut point of each decile
};

struct ScoringCodeInput {
  MapKind kind = MapKind::Regression;
  std::string nodeFileName;
  std::vector<ScoringVariable> variables;  // C of them
};

// Reads the node file afresh on every call and returns the complete code.
GeneratedText makeScoringCode(const ScoringCodeInput& input,
                              const LocalClock& clock = systemLocalTime);

}  // namespace orlix::engine
