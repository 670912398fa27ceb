// The split trace: a ten-line block appended to a text file (by default
// "zzz.log" in the current directory) each time a numeric candidate becomes
// the best split of a node. Written only when the engine is asked to.
#pragma once

#include <ostream>
#include <string>

namespace orlix::engine {

inline constexpr const char* kDefaultTraceFile = "zzz.log";

struct TraceBlock {
  int splitCount = 0;
  std::string parentName;
  int parentN = 0;
  int variable = 0;
  float threshold = 0;
  float score = 0;
  std::string leftName;
  int leftN = 0;
  float leftMean = 0;
  float leftSd = 0;
  std::string rightName;
  int rightN = 0;
  float rightMean = 0;
  float rightSd = 0;
};

void WriteTraceBlock(std::ostream& out, const TraceBlock& block);

// Opens path for appending, writes the block, closes it; a file that cannot be
// opened is ignored.
void AppendTraceBlock(const std::string& path, const TraceBlock& block);

}  // namespace orlix::engine
