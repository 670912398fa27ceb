// CategoryEngine: grows a binary tree on a character target (at most 10
// classes), splitting each node where the chi-square of the children's class
// counts is largest. Same order of use and error reporting as RegressionEngine.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/chi_square_criterion.h"
#include "engine/tree_engine.h"

namespace orlix::engine {

class CategoryEngine : public TreeEngine {
 public:
  explicit CategoryEngine(RowTable& table = GlobalRowTable()) : TreeEngine(table) {}

 protected:
  void CheckTarget(const ColumnDescriptor& target) const override;
  void FillRoot(TreeNode& root, const ColumnDescriptor& target) const override;
  std::vector<double> PrepareTarget() override;
  SplitCandidate FindSplit(const TreeNode& node, RowRange range) override;
  void FillChildren(RowRange range, TreeNode& left, TreeNode& right) const override;
  // Children are grown whether or not they are pure.
  bool GrowsChild(const TreeNode&) const override { return true; }
  std::string NodeLine(const TreeNode& node) const override;
  void MakeChildren(TreeNode& parent) override;

 private:
  // Every class of the target in text order with its count in stats, 0s included.
  ValueCounts ClassCounts(const ClassStats& stats) const;

  std::vector<std::int8_t> classOf_;
  int classes_ = 0;
};

}  // namespace orlix::engine
