// RegressionEngine: grows a binary tree on a numeric target, splitting each
// node where the two children's target variances add up to the least.
// Order of use: SetNumCols, SetNumRows, SetMinimumN, InitializeVars,
// CreateRoot, Grow(*root()), PrintResult (see TreeEngine for errors).
#pragma once

#include <vector>

#include "engine/tree_engine.h"
#include "engine/variance_criterion.h"

namespace orlix::engine {

class RegressionEngine : public TreeEngine {
 public:
  explicit RegressionEngine(RowTable& table = GlobalRowTable()) : TreeEngine(table) {}

 protected:
  void CheckTarget(const ColumnDescriptor& target) const override;
  void FillRoot(TreeNode& root, const ColumnDescriptor& target) const override;
  std::vector<double> PrepareTarget() override;
  SplitCandidate FindSplit(const TreeNode& node, RowRange range) override;
  // Every statistic of a child is summed in row order.
  void FillChildren(RowRange range, TreeNode& left, TreeNode& right) const override;
  bool GrowsChild(const TreeNode& child) const override { return child.sd > 0; }
  std::string NodeLine(const TreeNode& node) const override;

 private:
  // Appends the trace block of a new best split. Its statistics are summed in
  // row order, as the node's would be.
  void Trace(const TreeNode& parent, RowRange range, const SplitCandidate& split) const;

  std::vector<double> target_;
};

}  // namespace orlix::engine
