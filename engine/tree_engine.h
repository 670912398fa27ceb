// TreeEngine: what RegressionEngine and CategoryEngine share: the sizes, the
// 250 column descriptors, the statistics pass, the grown tree, growing's frame
// (children, the minimum count, the limit of 10 splits) and the node file.
// Operations return 0, or 1 after writing a four-line advisory to standard
// error. A table cell that is not a number throws EngineDataError instead.
// The engine reads and rewrites the RowTable it is given; it owns its tree.
#pragma once

#include <array>
#include <cstdint>
#include <fstream>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "engine/category_partitions.h"
#include "engine/column_descriptor.h"
#include "engine/node_row_orders.h"
#include "engine/row_table.h"
#include "engine/split_candidate.h"
#include "engine/split_trace.h"
#include "engine/threshold_index.h"
#include "engine/tree_node.h"

namespace orlix::engine {

inline constexpr int kMaxSplits = 10;

class TreeEngine {
 public:
  explicit TreeEngine(RowTable& table);
  virtual ~TreeEngine();
  TreeEngine(const TreeEngine&) = delete;
  TreeEngine& operator=(const TreeEngine&) = delete;

  // The engine's variables; the first numCols() are used, the target last.
  std::array<ColumnDescriptor, kMaxColumns>& columns() { return *columns_; }
  const std::array<ColumnDescriptor, kMaxColumns>& columns() const { return *columns_; }

  void SetOutputFileName(std::string name) { outputFileName_ = std::move(name); }
  const std::string& outputFileName() const { return outputFileName_; }
  // The split trace: off by default; blocks are appended to path.
  void SetSplitTrace(bool on, std::string path = kDefaultTraceFile);

  int SetNumCols(int columns);
  int SetNumRows(int rows);
  int SetMinimumN(int n);
  // Two further settings the components set to 0; growing does not read them.
  int SetOption1(int value);
  int SetOption2(int value);
  int InitializeVars();
  int CreateRoot();
  // Grows the subtree under node, which must be this engine's root or a node
  // of its tree; a node grown before is grown afresh.
  int Grow(TreeNode& node);
  int PrintResult();
  int PrintNode(const TreeNode* node);

  TreeNode* root() { return root_.get(); }
  const TreeNode* root() const { return root_.get(); }
  int numRows() const { return rows_; }
  int numCols() const { return cols_; }
  int minimumN() const { return minimumN_; }
  int nodeCount() const { return nodeCount_; }
  int splitCount() const { return splitCount_; }

 protected:
  // Finds the best split of parent (rows in range) and, when there is one,
  // fills parent's children and the goesLeft bytes of the range's rows.
  virtual void SearchNode(TreeNode& parent, RowRange range) = 0;
  // Whether an accepted child is grown further.
  virtual bool GrowsChild(const TreeNode& child) const = 0;
  virtual std::string NodeLine(const TreeNode& node) const = 0;
  // Checks the target and returns, per row, the target as the criterion reads it.
  virtual std::vector<double> PrepareTarget() = 0;

  // CreateRoot's checks of the target (raising _cart_error) and the root's
  // target statistics.
  virtual void CheckTarget(const ColumnDescriptor& target) const = 0;
  virtual void FillRoot(TreeNode& root, const ColumnDescriptor& target) const = 0;
  // Creates parent's two children (row masks all '0').
  virtual void MakeChildren(TreeNode& parent);
  // Makes the root with every row, registered for growing.
  TreeNode& MakeRoot();
  void ResetWorkNode(TreeNode& node) const;
  static void CopyWorkNode(const TreeNode& work, TreeNode& child);
  // Rule texts of a split on variable v (threshold or partition).
  std::string LeftRule(const SplitCandidate& split) const;
  std::string RightRule(const SplitCandidate& split) const;
  // Whether row goes left under split; the numeric threshold or the category subset.
  bool GoesLeft(const SplitCandidate& split, std::int32_t row) const;
  // Resets the work nodes and sends every row of range, in row order, to the
  // work node of its side (mask and goesLeft bytes); visit(node, left, row)
  // adds the row to what the engine counts.
  template <typename Visit>
  void AssignRows(RowRange range, const SplitCandidate& split, Visit&& visit) {
    TreeNode* work[2] = {workRight_.get(), workLeft_.get()};
    for (TreeNode* node : work) ResetWorkNode(*node);
    for (std::int32_t row : orders_.ByRow(range)) {
      const bool left = GoesLeft(split, row);
      goesLeft_[static_cast<std::size_t>(row)] = left ? 1 : 0;
      work[left]->rowMask[static_cast<std::size_t>(row)] = '1';
      visit(*work[left], left, row);
    }
  }

  RowTable& table_;
  std::unique_ptr<std::array<ColumnDescriptor, kMaxColumns>> columns_;
  std::string outputFileName_ = "zzz_out.dat";
  std::ofstream nodeFile_;
  bool traceOn_ = false;
  std::string tracePath_ = kDefaultTraceFile;
  int rows_ = 0;
  int cols_ = 0;
  int minimumN_ = 0;
  int option1_ = 0;
  int option2_ = 0;
  int nodeCount_ = 0;
  int splitCount_ = 0;
  std::unique_ptr<TreeNode> root_;
  std::unique_ptr<TreeNode> workLeft_;
  std::unique_ptr<TreeNode> workRight_;

  // Search structures, built on the first Grow after InitializeVars.
  bool initialized_ = false;
  bool prepared_ = false;
  std::vector<SortedColumn> sortedColumns_;  // from InitializeVars
  NodeRowOrders orders_;
  std::vector<std::unique_ptr<ThresholdIndex>> thresholds_;       // numeric predictors
  std::vector<std::unique_ptr<CategoryPartitions>> partitions_;   // character predictors <= 10 categories
  std::vector<std::vector<std::int8_t>> levels_;                  // their rows' category indexes
  std::vector<char> goesLeft_;
  std::unordered_map<const TreeNode*, RowRange> ranges_;

 private:
  int GrowAt(TreeNode& node, RowRange range);
  void Prepare();
  void PrepareCategory(int v);
  void Forget(const TreeNode& node);
};

}  // namespace orlix::engine
