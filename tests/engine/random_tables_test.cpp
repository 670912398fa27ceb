// Tables of any content, run through every operation: the engine reports
// bad data as an error and never crashes (run under the sanitizers).
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "engine/cart_error.h"
#include "engine/regression_engine.h"
#include "engine_test_support.h"

namespace orlix::engine::testing {
namespace {

TestCell AnyCell(std::mt19937& rng) {
  auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
  static const double kOdd[] = {0.0, -0.0, 1e300, -1e300, 1e-300, 3.5, -2.5, 1e15, 16777217.0,
                                std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity()};
  static const char* kTexts[] = {"", "12", " 7.5 ", "abc", "inf", "nan", "0x1p3", "1e999", "MISSING", "a,b\"c",
                                 "\xff\xfe", "Info"};
  switch (pick(8)) {
    case 0: return TestCell{};
    case 1: return TestCell(pick(5) == 0 ? std::numeric_limits<int>::min() : pick(100000) - 50000);
    case 2: return TestCell(static_cast<float>(pick(1000)) / 8.0f);
    case 3: return TestCell(kOdd[pick(11)]);
    case 4: return TestCell(std::string(kTexts[pick(12)]));
    case 5: return TestCell(std::string(static_cast<std::size_t>(pick(300)), 'x'));
    default: return TestCell(static_cast<double>(pick(20)) - 10);
  }
}

TEST(RandomTables, AnyContentGivesAResultOrAnError) {
  std::mt19937 rng(4242);
  auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
  for (int round = 0; round < 300; ++round) {
    const int columns = 1 + pick(5);
    const int rows = pick(40);
    const bool clean = pick(2) == 0;  // half the tables hold only plain numbers in numeric columns
    std::vector<ColumnDescriptor> descriptors;
    std::vector<std::vector<TestCell>> cells(static_cast<std::size_t>(columns));
    for (int c = 0; c < columns; ++c) {
      descriptors.push_back(Variable("V" + std::to_string(c), pick(4) == 0 ? 1 : pick(2) * 2, pick(3) == 0));
      for (int r = 0; r < rows; ++r) {
        const bool numeric = descriptors.back().kind == kNumericKind;
        cells[c].push_back(clean && numeric ? TestCell(static_cast<double>(pick(9))) : AnyCell(rng));
      }
    }
    RowTable table;
    FillTable(table, cells);
    RegressionEngine engine(table);
    engine.SetSplitTrace(pick(4) == 0, "random_tables_trace.log");
    try {
      const RunResult result = RunEngine(engine, table, descriptors, 1 + pick(4));
      if (result.status == 0) {
        EXPECT_FALSE(result.nodeFile.empty()) << "round " << round;
      }
      if (clean && rows > 0 && descriptors.back().kind == kNumericKind && result.status != 0) {
        EXPECT_EQ(result.status, 7) << "round " << round << ": only a constant target may stop a clean table\n"
                                    << result.advisories;
      }
    } catch (const EngineDataError& error) {
      EXPECT_FALSE(clean && descriptors.back().kind == kNumericKind) << error.what();
      EXPECT_NE(std::string(error.what()).find("row"), std::string::npos) << error.what();
    }
  }
  std::filesystem::remove("random_tables_trace.log");
}

}  // namespace
}  // namespace orlix::engine::testing
