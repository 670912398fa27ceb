// The engine's sorted sweeps against the literal candidate-by-candidate search
// on many generated tables: same node file, same split trace.
#include <gtest/gtest.h>

#include <random>

#include "engine/category_engine.h"
#include "engine/regression_engine.h"
#include "engine_test_support.h"
#include "literal_reference.h"

namespace orlix::engine::testing {
namespace {

class TableMaker {
 public:
  explicit TableMaker(unsigned seed) : rng_(seed) {}

  int Uniform(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
  double Decimals(double lo, double hi, int places) {
    const double scale = std::pow(10.0, places);
    return std::round(std::uniform_real_distribution<double>(lo, hi)(rng_) * scale) / scale;
  }

  // One predictor column of a random flavour.
  std::vector<TestCell> Predictor(int rows, ColumnDescriptor& d) {
    std::vector<TestCell> cells;
    const int flavour = Uniform(0, 9);
    const int levels = Uniform(1, 12);
    static const char* kTexts[] = {"a", "b", "B", "a b", "East", "West", "10", "2", "MISSING", "\xC3\xA9", "x", "yy"};
    for (int r = 0; r < rows; ++r) {
      switch (flavour) {
        case 0: cells.emplace_back(Decimals(-50, 50, 3)); break;                     // continuous
        case 1: cells.emplace_back(Uniform(-3, 3)); break;                           // integers, ties
        case 2: cells.emplace_back(7.25); break;                                     // constant
        case 3: cells.emplace_back(static_cast<float>(Decimals(0, 5, 1))); break;    // floats
        case 4: cells.emplace_back(std::to_string(Uniform(0, 20))); break;           // numeric texts
        case 5: cells.emplace_back(Decimals(-5, 5, 2)); d.decile = 1; break;          // deciles
        case 6: cells.emplace_back(std::string(kTexts[Uniform(0, levels - 1)])); d.kind = kCharacterKind; break;
        case 7: cells.emplace_back(Decimals(0, 4, Uniform(0, 1))); d.kind = kCharacterKind; break;
        case 8: cells.emplace_back(Uniform(0, levels)); d.kind = kCharacterKind; break;
        default: cells.emplace_back(Decimals(-1e6, 1e6, 0)); break;                  // wide integers
      }
    }
    return cells;
  }

  std::vector<TestCell> Target(int rows, ColumnDescriptor& d) {
    std::vector<TestCell> cells;
    const int flavour = Uniform(0, 5);
    for (int r = 0; r < rows; ++r) {
      switch (flavour) {
        case 5: cells.emplace_back(0.1 * (1 + 2 * Uniform(0, 2))); break;  // few values: constant children
        case 0: cells.emplace_back(Uniform(-5, 5)); break;
        case 1: cells.emplace_back(Uniform(-40, 40) / 8.0); break;
        case 2: cells.emplace_back(Decimals(0, 100, 3)); break;
        case 3: cells.emplace_back(Decimals(-1, 1, 1)); break;
        default: cells.emplace_back(Decimals(0, 10, 2)); d.decile = Uniform(0, 3) == 0; break;
      }
    }
    return cells;
  }

  std::vector<TestCell> Classes(int rows, ColumnDescriptor& d) {
    static const char* kClasses[] = {"yes", "no", "MISSING", "a,b", "maybe"};
    std::vector<TestCell> cells;
    d.kind = kCharacterKind;
    const int classes = Uniform(1, 5);
    const bool numbers = Uniform(0, 4) == 0;
    for (int r = 0; r < rows; ++r) {
      const int c = Uniform(0, classes - 1);
      cells.push_back(numbers ? TestCell(c) : TestCell(std::string(kClasses[c])));
    }
    return cells;
  }

 private:
  std::mt19937 rng_;
};

void ExpectAgreement(unsigned seed) {
  TableMaker maker(seed);
  const int rows = maker.Uniform(0, 4) == 0 ? maker.Uniform(1, 6) : maker.Uniform(7, 160);
  const int predictors = maker.Uniform(1, 5);
  std::vector<ColumnDescriptor> descriptors;
  std::vector<std::vector<TestCell>> cells;
  for (int p = 0; p < predictors; ++p) {
    descriptors.push_back(Variable("V" + std::to_string(p)));
    cells.push_back(maker.Predictor(rows, descriptors.back()));
  }
  descriptors.push_back(Variable("Y"));
  cells.push_back(maker.Target(rows, descriptors.back()));
  const int minimumN = maker.Uniform(1, 12);
  const bool trace = maker.Uniform(0, 1) == 1;

  RowTable table;
  FillTable(table, cells);
  RegressionEngine engine(table);
  const std::string tracePath = "agreement_trace_" + std::to_string(seed) + ".log";
  std::filesystem::remove(tracePath);
  engine.SetSplitTrace(trace, tracePath);
  const RunResult result = RunEngine(engine, table, descriptors, minimumN);

  if (engine.columns()[engine.numCols() - 1].sd <= 1e-15) {
    EXPECT_EQ(result.status, 7) << "seed " << seed << ": a constant target must stop CreateRoot";
    return;
  }
  LiteralRegression literal(table, engine.columns().data(), engine.numCols(), minimumN);
  const std::string expected = literal.Run();
  ASSERT_EQ(result.status, 0) << "seed " << seed << "\n" << result.advisories;
  EXPECT_EQ(result.nodeFile, expected) << "seed " << seed;
  if (trace && literal.trace().empty()) {
    // The trace is appended block by block: no numeric best split, no file.
    EXPECT_FALSE(std::filesystem::exists(tracePath)) << "seed " << seed;
  } else if (trace) {
    EXPECT_EQ(readFile(tracePath), literal.trace()) << "seed " << seed;
  }
  std::filesystem::remove(tracePath);
}

void ExpectCategoryAgreement(unsigned seed) {
  TableMaker maker(seed);
  const int rows = maker.Uniform(0, 4) == 0 ? maker.Uniform(1, 6) : maker.Uniform(7, 120);
  const int predictors = maker.Uniform(1, 4);
  std::vector<ColumnDescriptor> descriptors;
  std::vector<std::vector<TestCell>> cells;
  for (int p = 0; p < predictors; ++p) {
    descriptors.push_back(Variable("V" + std::to_string(p)));
    cells.push_back(maker.Predictor(rows, descriptors.back()));
  }
  descriptors.push_back(Variable("CLASS"));
  cells.push_back(maker.Classes(rows, descriptors.back()));
  const int minimumN = maker.Uniform(1, 12);

  RowTable table;
  FillTable(table, cells);
  CategoryEngine engine(table);
  const RunResult result = RunEngine(engine, table, descriptors, minimumN);
  ASSERT_EQ(result.status, 0) << "seed " << seed << "\n" << result.advisories;
  LiteralCategory literal(table, engine.columns().data(), engine.numCols(), minimumN);
  EXPECT_EQ(result.nodeFile, literal.Run()) << "seed " << seed;
}

TEST(SplitSearchAgreement, CategorySweepsChooseTheLiteralSearchsSplits) {
  for (unsigned seed = 1; seed <= 250; ++seed) {
    ExpectCategoryAgreement(seed);
    if (::testing::Test::HasFailure()) break;
  }
}

TEST(SplitSearchAgreement, SweepsChooseTheLiteralSearchsSplitsOnGeneratedTables) {
  for (unsigned seed = 1; seed <= 600; ++seed) {
    ExpectAgreement(seed);
    if (::testing::Test::HasFailure()) break;
  }
}

}  // namespace
}  // namespace orlix::engine::testing
