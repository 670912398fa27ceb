// ColumnDescriptor: one variable of an analysis, as the components keep it and
// copy it into an engine: its flags, and the statistics InitializeVars fills.
#pragma once

#include <array>
#include <string>

#include "engine/value_counts.h"

namespace orlix::engine {

// kind values
inline constexpr int kNumericKind = 0;
inline constexpr int kCharacterKind = 2;

// Variables per engine and per component, the target included.
inline constexpr int kMaxColumns = 250;

struct ColumnDescriptor {
  std::string name = "NULL";
  int included = 1;
  int isTarget = 0;
  int kind = kNumericKind;
  int decile = 0;
  std::string minText = "ZZZ";
  float min = 1e15f;
  std::string maxText = "   ";
  float max = -1e15f;
  double sum = 0;
  double sumSquares = 0;
  double mean = 0;
  double sd = 0;
  int cardinality = 0;
  int uniques = 0;
  int count = 0;
  // cuts[d][0] is the cut point of decile d; cuts[d][1] is carried but never read.
  std::array<std::array<float, 2>, 10> cuts = DefaultCuts();
  ValueCounts valueCounts;

  static constexpr std::array<std::array<float, 2>, 10> DefaultCuts() {
    std::array<std::array<float, 2>, 10> cuts{};
    for (auto& pair : cuts) pair = {-999.0f, -999.0f};
    return cuts;
  }
};

}  // namespace orlix::engine
