// TreeEngine: what RegressionEngine and CategoryEngine share: the sizes, the
// 250 column descriptors, the statistics pass, the grown tree, growing's frame
// (children, the minimum count, the limit of 10 splits), the search over the
// predictors for any SplitCriterion, and the node file. Its state is its own:
// an engine supplies its target's checks and statistics and its criterion
// through the hooks below.
// Operations return 0, or 1 after writing a four-line advisory to standard
// error. A table cell that is not a number throws EngineDataError instead.
// The engine reads and rewrites the RowTable it is given; it owns its tree.
#pragma once

#include <array>
#include <cstdint>
#include <fstream>
#include <memory>
#include <span>
#include <string>
#include <type_traits>
#include <unordered_map>
#include <vector>

#include "engine/cancellation.h"
#include "engine/category_partitions.h"
#include "engine/column_descriptor.h"
#include "engine/node_row_orders.h"
#include "engine/parallel_for.h"
#include "engine/row_table.h"
#include "engine/split_candidate.h"
#include "engine/split_criterion.h"
#include "engine/split_search.h"
#include "engine/split_trace.h"
#include "engine/threshold_index.h"
#include "engine/tree_node.h"

namespace orlix::engine {

inline constexpr int kMaxSplits = 10;

class TreeEngine {
 public:
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
  // Once `cancel` is raised (null: never), InitializeVars and Grow stop with
  // RunCancelled: between variables, between two splits and between the
  // predictors of a split search. The tree is then incomplete.
  void SetCancel(CancelFlag cancel) { cancel_ = cancel; }

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
  explicit TreeEngine(RowTable& table);

  // What an engine supplies.
  // CreateRoot's checks of the target (raising _cart_error) and the root's
  // target statistics.
  virtual void CheckTarget(const ColumnDescriptor& target) const = 0;
  virtual void FillRoot(TreeNode& root, const ColumnDescriptor& target) const = 0;
  // Checks the target and returns, per row, the target as the criterion reads
  // it (on the first Grow after InitializeVars).
  virtual std::vector<double> PrepareTarget() = 0;
  // The best split of node (rows in range), variable -1 when there is none:
  // SearchNode with the engine's criterion.
  virtual SplitCandidate FindSplit(const TreeNode& node, RowRange range) = 0;
  // Sets N, the target statistics and splitScore of a kept split's children;
  // their names, rules and row masks are set and ForEachRowBySide tells each
  // row's side.
  virtual void FillChildren(RowRange range, TreeNode& left, TreeNode& right) const = 0;
  // Whether an accepted child is grown further.
  virtual bool GrowsChild(const TreeNode& child) const = 0;
  virtual std::string NodeLine(const TreeNode& node) const = 0;
  // Creates parent's two children (row masks all '0'), both or neither.
  virtual void MakeChildren(TreeNode& parent);

  // What the engines share.
  const RowTable& table() const { return table_; }
  const ColumnDescriptor& target() const { return (*columns_)[static_cast<std::size_t>(cols_ - 1)]; }
  const std::string& tracePath() const { return tracePath_; }
  // The rows of range in row order.
  std::span<const std::int32_t> RowsOf(RowRange range) const { return orders_.ByRow(range); }
  // Whether row goes left under split: the numeric threshold or the category subset.
  bool GoesLeft(const SplitCandidate& split, std::int32_t row) const;
  // The threshold of a split on a numeric predictor.
  double Threshold(const SplitCandidate& split) const;
  // Calls visit(toLeft, row) for the rows of range of the split being kept, in row order.
  template <typename Visit>
  void ForEachRowBySide(RowRange range, Visit&& visit) const {
    for (std::int32_t row : orders_.ByRow(range)) visit(goesLeft_[static_cast<std::size_t>(row)] != 0, row);
  }

  // For SearchNode's engines without a split trace.
  struct NoTrace {
    void operator()(const SplitCandidate&) const {}
  };
  // The best split of the rows in range under criterion (a copy serves each
  // predictor), first best in the order of Precedes. With onNewBest and the
  // split trace on, predictors go one by one and thresholds in text order, and
  // onNewBest(candidate) is called for each new best numeric split.
  template <SplitCriterion Criterion, typename OnNewBest = NoTrace>
  SplitCandidate SearchNode(const Criterion& criterion, RowRange range, OnNewBest&& onNewBest = {}) const;

 private:
  int GrowAt(TreeNode& node, RowRange range);
  // Gives the children of a split their rows, rules and statistics.
  void KeepSplit(const SplitCandidate& split, RowRange range, TreeNode& left, TreeNode& right);
  std::string LeftRule(const SplitCandidate& split) const;
  std::string RightRule(const SplitCandidate& split) const;
  // Makes the root with every row, registered for growing.
  TreeNode& MakeRoot();
  void Prepare();
  void PrepareCategory(int v);
  void Forget(const TreeNode& node);

  RowTable& table_;
  std::unique_ptr<std::array<ColumnDescriptor, kMaxColumns>> columns_;
  std::string outputFileName_ = "zzz_out.dat";
  std::ofstream nodeFile_;
  bool traceOn_ = false;
  std::string tracePath_ = kDefaultTraceFile;
  CancelFlag cancel_ = nullptr;
  int rows_ = 0;
  int cols_ = 0;
  int minimumN_ = 0;
  int option1_ = 0;
  int option2_ = 0;
  int nodeCount_ = 0;
  int splitCount_ = 0;
  std::unique_ptr<TreeNode> root_;

  // Search structures, built on the first Grow after InitializeVars.
  bool initialized_ = false;
  bool prepared_ = false;
  std::vector<SortedColumn> sortedColumns_;  // from InitializeVars
  NodeRowOrders orders_;
  std::vector<std::unique_ptr<ThresholdIndex>> thresholds_;       // numeric predictors
  std::vector<std::unique_ptr<CategoryPartitions>> partitions_;   // character predictors <= 10 categories
  std::vector<std::vector<std::int8_t>> levels_;                  // their rows' category indexes
  std::vector<char> goesLeft_;                                    // per row: 1 when the kept split sends it left
  std::unordered_map<const TreeNode*, RowRange> ranges_;
};

template <SplitCriterion Criterion, typename OnNewBest>
SplitCandidate TreeEngine::SearchNode(const Criterion& criterion, RowRange range, OnNewBest&& onNewBest) const {
  constexpr bool kTraced = !std::is_same_v<std::remove_cvref_t<OnNewBest>, NoTrace>;
  const bool inOrder = kTraced && traceOn_;
  typename Criterion::Stats parent;
  for (std::int32_t row : orders_.ByRow(range)) criterion.AddRow(parent, row);

  // One predictor's search; best holds the best candidate met so far.
  auto search = [&](int v, SplitCandidate& best) {
    ThrowIfCancelled(cancel_);
    Criterion sweep = criterion;
    const ColumnDescriptor& column = (*columns_)[static_cast<std::size_t>(v)];
    if (column.kind == kNumericKind) {
      const auto rows = orders_.ByValue(v, range);
      if (inOrder) {
        SearchNumericInOrder(sweep, parent, rows, *thresholds_[v], v, minimumN_, best, onNewBest);
      } else {
        SearchNumeric(sweep, parent, rows, *thresholds_[v], v, minimumN_, best);
      }
    } else if (column.kind == kCharacterKind && partitions_[v]) {
      SearchCategory(sweep, parent, orders_.ByRow(range), levels_[v], *partitions_[v], v, minimumN_, best);
    }
  };

  SplitCandidate best{Criterion::kInitialBest};
  const int predictors = cols_ - 1;
  if (inOrder) {
    // The trace shows every new best in search order, so predictors go one by one.
    for (int v = 0; v < predictors; ++v) search(v, best);
    return best;
  }
  std::vector<SplitCandidate> perPredictor(static_cast<std::size_t>(predictors), best);
  ParallelFor(predictors, [&](int v) { search(v, perPredictor[static_cast<std::size_t>(v)]); });
  return FirstBest<Criterion>(perPredictor, best);
}

}  // namespace orlix::engine
