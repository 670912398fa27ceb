#include "engine/regression_engine.h"

#include <algorithm>

#include "engine/cart_error.h"
#include "engine/node_file.h"
#include "engine/split_trace.h"

namespace orlix::engine {

void RegressionEngine::CheckTarget(const ColumnDescriptor& target) const {
  if (target.sd <= 1e-15) {
    throw _cart_error("CreateRoot", "Target variable is a constant", "Check validity of data source", "Warning");
  }
}

void RegressionEngine::FillRoot(TreeNode& root, const ColumnDescriptor& target) const {
  root.mean = static_cast<float>(target.mean);
  root.sd = static_cast<float>(target.sd);
  root.min = target.min;
  root.max = target.max;
}

std::vector<double> RegressionEngine::PrepareTarget() {
  const int t = numCols() - 1;
  if (target().kind != kNumericKind) {
    throw EngineDataError("The target \"" + target().name + "\" of a regression map must be numeric");
  }
  target_.resize(static_cast<std::size_t>(numRows()));
  for (int r = 0; r < numRows(); ++r) target_[static_cast<std::size_t>(r)] = table().NumberAt(r, t);
  return target_;
}

SplitCandidate RegressionEngine::FindSplit(const TreeNode& node, RowRange range) {
  return SearchNode(VarianceCriterion(target_), range,
                    [&](const SplitCandidate& split) { Trace(node, range, split); });
}

void RegressionEngine::FillChildren(RowRange range, TreeNode& left, TreeNode& right) const {
  VarianceStats leftStats, rightStats;
  ForEachRowBySide(range, [&](bool toLeft, std::int32_t row) {
    const double y = target_[static_cast<std::size_t>(row)];
    TreeNode& node = toLeft ? left : right;
    (toLeft ? leftStats : rightStats).Add(y);
    node.min = std::min(node.min, static_cast<float>(y));  // a float compare, as the node holds it
    node.max = std::max(node.max, static_cast<float>(y));
  });
  auto fill = [](TreeNode& node, const VarianceStats& stats) {
    const Moments m = MomentsOf(stats);
    node.N = stats.n;
    node.mean = m.mean;
    node.sd = m.sd;
  };
  fill(left, leftStats);
  fill(right, rightStats);
  left.splitScore = right.splitScore = VarianceScore(left.sd, right.sd);
}

void RegressionEngine::Trace(const TreeNode& parent, RowRange range, const SplitCandidate& split) const {
  VarianceStats left, right;
  for (std::int32_t row : RowsOf(range)) {
    (GoesLeft(split, row) ? left : right).Add(target_[static_cast<std::size_t>(row)]);
  }
  const Moments l = MomentsOf(left);
  const Moments r = MomentsOf(right);
  TraceBlock block;
  block.splitCount = splitCount();
  block.parentName = parent.name;
  block.parentN = parent.N;
  block.variable = split.variable;
  block.threshold = static_cast<float>(Threshold(split));
  block.score = VarianceScore(l.sd, r.sd);
  block.leftName = parent.name + "_L";
  block.leftN = left.n;
  block.leftMean = l.mean;
  block.leftSd = l.sd;
  block.rightName = parent.name + "_R";
  block.rightN = right.n;
  block.rightMean = r.mean;
  block.rightSd = r.sd;
  AppendTraceBlock(tracePath(), block);
}

std::string RegressionEngine::NodeLine(const TreeNode& node) const { return RegressionNodeLine(node); }

}  // namespace orlix::engine
