// A raised cancel flag stops the statistics pass and growing with
// RunCancelled, which no operation turns into an advisory; a flag that stays
// down changes nothing in the grown tree.
#include <gtest/gtest.h>

#include <atomic>

#include "engine/cancellation.h"
#include "engine/regression_engine.h"
#include "tests/engine/engine_test_support.h"

namespace orlix::engine {
namespace {

using testing::CerrCapture;
using testing::Column;
using testing::FillTable;
using testing::RunEngine;
using testing::TestCell;
using testing::Variable;

void Fill(RowTable& table) {
  FillTable(table, {Column(300, [](int r) -> TestCell { return r % 60; }),
                    Column(300, [](int r) -> TestCell { return static_cast<double>(r % 60 < 30 ? r % 7 : 40 + r % 5); })});
}

void Prepare(RegressionEngine& engine, const RowTable& table) {
  engine.columns()[0] = Variable("X");
  engine.columns()[1] = Variable("Y");
  engine.SetOutputFileName(testing::TestFileName(".nodes.dat"));
  ASSERT_EQ(engine.SetNumCols(2), 0);
  ASSERT_EQ(engine.SetNumRows(table.RowCount()), 0);
  ASSERT_EQ(engine.SetMinimumN(20), 0);
}

TEST(Cancellation, ARaisedFlagStopsTheStatisticsAndGrowingWithRunCancelled) {
  std::atomic<bool> cancel{true};
  RowTable table;
  Fill(table);
  RegressionEngine engine(table);
  Prepare(engine, table);
  engine.SetCancel(&cancel);
  CerrCapture capture;
  EXPECT_THROW(engine.InitializeVars(), RunCancelled);

  cancel = false;
  ASSERT_EQ(engine.InitializeVars(), 0);
  ASSERT_EQ(engine.CreateRoot(), 0);
  cancel = true;
  EXPECT_THROW(engine.Grow(*engine.root()), RunCancelled);
  EXPECT_EQ(capture.text(), "");  // a stop is no advisory
}

TEST(Cancellation, AFlagThatStaysDownGrowsTheSameTree) {
  std::atomic<bool> cancel{false};
  RowTable plain, watched;
  Fill(plain);
  Fill(watched);
  RegressionEngine without(plain), with(watched);
  with.SetCancel(&cancel);
  const std::vector<ColumnDescriptor> variables{Variable("X"), Variable("Y")};
  const auto a = RunEngine(without, plain, variables, 20, testing::TestFileName(".a.dat"));
  const auto b = RunEngine(with, watched, variables, 20, testing::TestFileName(".b.dat"));
  EXPECT_EQ(a.status, 0);
  EXPECT_EQ(a.nodeFile, b.nodeFile);
  EXPECT_GT(with.splitCount(), 0);
}

}  // namespace
}  // namespace orlix::engine
