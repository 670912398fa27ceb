#include "engine/regression_engine.h"

#include "engine/cart_error.h"
#include "engine/node_file.h"
#include "engine/parallel_for.h"
#include "engine/split_search.h"
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
  const int t = cols_ - 1;
  if (columns()[t].kind != kNumericKind) {
    throw EngineDataError("The target \"" + columns()[t].name + "\" of a regression map must be numeric");
  }
  target_.resize(static_cast<std::size_t>(rows_));
  for (int r = 0; r < rows_; ++r) target_[static_cast<std::size_t>(r)] = table_.NumberAt(r, t);
  return target_;
}

void RegressionEngine::SearchNode(TreeNode& parent, RowRange range) {
  VarianceStats parentStats;
  for (std::int32_t row : orders_.ByRow(range)) parentStats.Add(target_[static_cast<std::size_t>(row)]);

  // One predictor's search; best holds the best candidate met so far.
  auto search = [&](int v, SplitCandidate& best) {
    VarianceCriterion criterion(target_);
    const ColumnDescriptor& column = columns()[v];
    if (column.kind == kNumericKind) {
      const auto rows = orders_.ByValue(v, range);
      if (traceOn_) {
        SearchNumericInOrder(criterion, parentStats, rows, *thresholds_[v], v, minimumN_, best,
                             [&](const SplitCandidate& split, const VarianceStats&, const VarianceStats&) {
                               Trace(parent, range, split);
                             });
      } else {
        SearchNumeric(criterion, parentStats, rows, *thresholds_[v], v, minimumN_, best);
      }
    } else if (column.kind == kCharacterKind && partitions_[v]) {
      SearchCategory(criterion, parentStats, orders_.ByRow(range), levels_[v], *partitions_[v], v, minimumN_, best);
    }
  };

  SplitCandidate best{VarianceCriterion::kInitialBest};
  const int predictors = cols_ - 1;
  if (traceOn_) {
    // The trace shows every new best in search order, so predictors go one by one.
    for (int v = 0; v < predictors; ++v) search(v, best);
  } else {
    std::vector<SplitCandidate> perPredictor(static_cast<std::size_t>(predictors), best);
    ParallelFor(predictors, [&](int v) { search(v, perPredictor[static_cast<std::size_t>(v)]); });
    best = FirstBest<VarianceCriterion>(perPredictor, best);
  }
  if (best.variable >= 0) KeepSplit(parent, range, best);
}

void RegressionEngine::KeepSplit(TreeNode& parent, RowRange range, const SplitCandidate& split) {
  VarianceStats stats[2];
  AssignRows(range, split, [&](TreeNode& node, bool left, std::int32_t row) {
    const double y = target_[static_cast<std::size_t>(row)];
    stats[left].Add(y);
    node.min = std::min(node.min, static_cast<float>(y));  // a float compare, as the node holds it
    node.max = std::max(node.max, static_cast<float>(y));
  });
  TreeNode* work[2] = {workRight_.get(), workLeft_.get()};
  for (int side = 0; side < 2; ++side) {
    const Moments m = MomentsOf(stats[side]);
    work[side]->N = stats[side].n;
    work[side]->mean = m.mean;
    work[side]->sd = m.sd;
  }
  const float score = VarianceScore(workLeft_->sd, workRight_->sd);
  workLeft_->splitScore = workRight_->splitScore = score;
  workLeft_->rule = LeftRule(split);
  workRight_->rule = RightRule(split);
  CopyWorkNode(*workLeft_, *parent.left);
  CopyWorkNode(*workRight_, *parent.right);
}

void RegressionEngine::Trace(const TreeNode& parent, RowRange range, const SplitCandidate& split) const {
  VarianceStats left, right;
  for (std::int32_t row : orders_.ByRow(range)) {
    (GoesLeft(split, row) ? left : right).Add(target_[static_cast<std::size_t>(row)]);
  }
  const Moments l = MomentsOf(left);
  const Moments r = MomentsOf(right);
  TraceBlock block;
  block.splitCount = splitCount_;
  block.parentName = parent.name;
  block.parentN = parent.N;
  block.variable = split.variable;
  block.threshold = static_cast<float>(thresholds_[split.variable]->Threshold(split.order));
  block.score = VarianceScore(l.sd, r.sd);
  block.leftName = parent.name + "_L";
  block.leftN = left.n;
  block.leftMean = l.mean;
  block.leftSd = l.sd;
  block.rightName = parent.name + "_R";
  block.rightN = right.n;
  block.rightMean = r.mean;
  block.rightSd = r.sd;
  AppendTraceBlock(tracePath_, block);
}

std::string RegressionEngine::NodeLine(const TreeNode& node) const { return RegressionNodeLine(node); }

}  // namespace orlix::engine
