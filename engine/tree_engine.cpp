#include "engine/tree_engine.h"

#include <algorithm>
#include <iostream>
#include <span>

#include "engine/cart_error.h"
#include "engine/number_text.h"
#include "engine/parallel_for.h"
#include "engine/variable_statistics.h"

namespace orlix::engine {
namespace {

_cart_error NoData(const char* module, const char* severity) {
  return _cart_error(module, "No data in the data set", "Check data source for valid file", severity);
}

// Runs an operation body; a _cart_error becomes the advisory and the result 1.
template <typename Body>
int Guarded(Body&& body) {
  try {
    body();
  } catch (const _cart_error& error) {
    WriteAdvisory(std::cerr, error);
    return 1;
  }
  return 0;
}

}  // namespace

TreeEngine::TreeEngine(RowTable& table)
    : table_(table), columns_(std::make_unique<std::array<ColumnDescriptor, kMaxColumns>>()) {}

TreeEngine::~TreeEngine() = default;

void TreeEngine::SetSplitTrace(bool on, std::string path) {
  traceOn_ = on;
  tracePath_ = std::move(path);
}

int TreeEngine::SetNumCols(int columns) {
  return Guarded([&] {
    if (columns < 1) throw NoData("SetNumCols", "Critical Error");
    if (columns > kMaxColumns) {
      throw _cart_error("SetNumCols", "More than 250 variables in the data set",
                        "Exclude variables from the analysis", "Critical Error");
    }
    cols_ = columns;
    initialized_ = prepared_ = false;
  });
}

int TreeEngine::SetNumRows(int rows) {
  return Guarded([&] {
    if (rows < 1) throw NoData("SetNumRows", "Warning");
    rows_ = rows;
    initialized_ = prepared_ = false;
  });
}

int TreeEngine::SetMinimumN(int n) {
  return Guarded([&] {
    if (n < 1) {
      throw _cart_error("SetMinimumN", "Minimum N less than one",
                        "Use SetMinimumN to increase minimum number per node", "Severe Warning");
    }
    minimumN_ = n;
  });
}

int TreeEngine::SetOption1(int value) {
  option1_ = value;
  return 0;
}

int TreeEngine::SetOption2(int value) {
  option2_ = value;
  return 0;
}

int TreeEngine::InitializeVars() {
  return Guarded([&] {
    if (rows_ < 1) throw NoData("InitializeVars", "Warning");
    initialized_ = false;
    prepared_ = false;
    sortedColumns_ = ComputeVariableStatistics(table_, std::span(columns_->data(), static_cast<std::size_t>(cols_)), rows_,
                                               cancel_);
    initialized_ = true;
  });
}

int TreeEngine::CreateRoot() {
  return Guarded([&] {
    if (cols_ < 1 || rows_ < 1) throw NoData("CreateRoot", "Warning");
    const ColumnDescriptor& target = (*columns_)[cols_ - 1];
    CheckTarget(target);
    FillRoot(MakeRoot(), target);
  });
}

TreeNode& TreeEngine::MakeRoot() {
  ranges_.clear();
  root_ = std::make_unique<TreeNode>(rows_);
  std::fill(root_->rowMask.begin(), root_->rowMask.end(), '1');
  root_->name = "root";
  root_->rule = "ALL CASES";
  root_->N = rows_;
  ranges_[root_.get()] = {0, rows_};
  ++nodeCount_;
  return *root_;
}

void TreeEngine::Forget(const TreeNode& node) {
  ranges_.erase(&node);
  if (node.left) Forget(*node.left);
  if (node.right) Forget(*node.right);
}

int TreeEngine::Grow(TreeNode& node) {
  RowRange range;
  const int status = Guarded([&] {
    const auto it = ranges_.find(&node);
    if (it == ranges_.end()) {
      throw _cart_error("Grow", "Attempting to grow a node that is not in the tree", "Contact component vendor",
                        "Critical Error");
    }
    if (!initialized_) {
      throw _cart_error("Grow", "Variables are not initialized", "Call InitializeVars before Grow",
                        "Critical Error");
    }
    range = it->second;
    if (!prepared_) Prepare();
    if (node.left || node.right) {
      if (node.left) Forget(*node.left);
      if (node.right) Forget(*node.right);
      node.left.reset();
      node.right.reset();
      orders_.Restore(range);
    }
  });
  return status != 0 ? status : GrowAt(node, range);
}

void TreeEngine::MakeChildren(TreeNode& parent) {
  auto left = std::make_unique<TreeNode>(rows_);
  auto right = std::make_unique<TreeNode>(rows_);
  parent.left = std::move(left);
  parent.right = std::move(right);
}

int TreeEngine::GrowAt(TreeNode& parent, RowRange range) {
  return Guarded([&] {
    ThrowIfCancelled(cancel_);
    MakeChildren(parent);
    nodeCount_ += 2;
    TreeNode& left = *parent.left;
    TreeNode& right = *parent.right;
    left.name = parent.name + "_L";
    right.name = parent.name + "_R";

    // After the tenth split no candidate can be kept; only the trace would show the search.
    if (splitCount_ < kMaxSplits || traceOn_) {
      const SplitCandidate best = FindSplit(parent, range);
      if (best.variable >= 0) KeepSplit(best, range, left, right);
    }

    if (left.N >= minimumN_ && right.N >= minimumN_ && splitCount_ < kMaxSplits) {
      ++splitCount_;
      const int middle = orders_.Partition(range, goesLeft_);
      const RowRange leftRange{range.begin, middle};
      const RowRange rightRange{middle, range.end};
      ranges_[&left] = leftRange;
      ranges_[&right] = rightRange;
      if (GrowsChild(left)) GrowAt(left, leftRange);
      if (GrowsChild(right)) GrowAt(right, rightRange);
    } else {
      nodeCount_ -= 2;
      parent.left.reset();
      parent.right.reset();
    }
  });
}

void TreeEngine::KeepSplit(const SplitCandidate& split, RowRange range, TreeNode& left, TreeNode& right) {
  for (std::int32_t row : orders_.ByRow(range)) {
    const bool toLeft = GoesLeft(split, row);
    goesLeft_[static_cast<std::size_t>(row)] = toLeft ? 1 : 0;
    (toLeft ? left : right).rowMask[static_cast<std::size_t>(row)] = '1';
  }
  left.rule = LeftRule(split);
  right.rule = RightRule(split);
  FillChildren(range, left, right);
}

void TreeEngine::Prepare() {
  std::vector<std::vector<SweepRow>> byValue(static_cast<std::size_t>(cols_));
  thresholds_.clear();
  thresholds_.resize(static_cast<std::size_t>(cols_));
  partitions_.clear();
  partitions_.resize(static_cast<std::size_t>(cols_));
  levels_.assign(static_cast<std::size_t>(cols_), {});
  ParallelFor(cols_ - 1, [&](int v) {
    ThrowIfCancelled(cancel_);
    const ColumnDescriptor& column = (*columns_)[v];
    if (column.kind == kNumericKind) {
      SortedColumn& sorted = sortedColumns_[v];
      std::vector<double> thresholds;
      if (column.decile == 1) {
        thresholds = sorted.distinct;  // the decile numbers that occur, ascending
      } else {
        thresholds.reserve(static_cast<std::size_t>(column.valueCounts.size()));
        for (const auto& entry : column.valueCounts) {
          thresholds.push_back(static_cast<float>(ParseNumberPrefix(entry.first)));
        }
      }
      byValue[v] = std::move(sorted.rows);
      thresholds_[v] = std::make_unique<ThresholdIndex>(std::move(sorted.distinct), std::move(thresholds));
    } else if (column.kind == kCharacterKind && column.cardinality <= kMaxSplitCategories) {
      PrepareCategory(v);
    }
  });
  sortedColumns_.clear();
  orders_.Build(std::move(byValue), PrepareTarget());
  goesLeft_.assign(static_cast<std::size_t>(rows_), 0);
  prepared_ = true;
}

void TreeEngine::PrepareCategory(int v) {
  const ColumnDescriptor& column = (*columns_)[v];
  partitions_[v] = std::make_unique<CategoryPartitions>(column.valueCounts);
  std::vector<std::int8_t>& levels = levels_[v];
  levels.resize(static_cast<std::size_t>(rows_));
  // The comparison text of a string cell depends only on its string code.
  std::unordered_map<std::uint32_t, std::int8_t> byCode;
  for (int r = 0; r < rows_; ++r) {
    if (table_.TypeAt(r, v) == CellType::String) {
      const std::uint32_t code = table_.StringCodeAt(r, v);
      auto it = byCode.find(code);
      if (it == byCode.end()) {
        it = byCode.emplace(code, static_cast<std::int8_t>(column.valueCounts.IndexOf(table_.ColumnStrings(v)[code])))
                 .first;
      }
      levels[r] = it->second;
    } else {
      levels[r] = static_cast<std::int8_t>(column.valueCounts.IndexOf(CharacterComparisonText(table_.GetCell(r, v))));
    }
  }
}

bool TreeEngine::GoesLeft(const SplitCandidate& split, std::int32_t row) const {
  const int v = split.variable;
  if ((*columns_)[v].kind == kNumericKind) {
    return table_.NumberAt(row, v) <= thresholds_[v]->Threshold(split.order);
  }
  const int level = levels_[v][static_cast<std::size_t>(row)];
  return level < 0 || !(partitions_[v]->SubsetMask(split.order) & (std::uint32_t{1} << level));
}

double TreeEngine::Threshold(const SplitCandidate& split) const {
  return thresholds_[static_cast<std::size_t>(split.variable)]->Threshold(split.order);
}

namespace {

std::string InList(const std::string& name, const std::vector<std::string>& texts) {
  std::string rule = name + " IS_IN { ";
  for (const std::string& text : texts) rule += text + " ";
  return rule + "}";
}

}  // namespace

std::string TreeEngine::LeftRule(const SplitCandidate& split) const {
  const ColumnDescriptor& column = (*columns_)[split.variable];
  if (column.kind == kNumericKind) {
    return column.name + " <= " + FormatFixed6(Threshold(split));
  }
  return InList(column.name, partitions_[split.variable]->Complement(split.order));
}

std::string TreeEngine::RightRule(const SplitCandidate& split) const {
  const ColumnDescriptor& column = (*columns_)[split.variable];
  if (column.kind == kNumericKind) {
    return column.name + " >  " + FormatFixed6(Threshold(split));
  }
  return InList(column.name, partitions_[split.variable]->Subset(split.order));
}

int TreeEngine::PrintResult() {
  int status = Guarded([&] {
    nodeFile_.open(outputFileName_, std::ios::out | std::ios::trunc);
    if (!nodeFile_) {
      throw _cart_error("PrintResult", "Cannot create output file", "Check disk space and verify valid file name",
                        "Warning");
    }
  });
  if (status != 0) return status;
  status = PrintNode(root_.get());
  nodeFile_.close();
  if (status == 0 && !nodeFile_) {
    status = Guarded([] {
      throw _cart_error("PrintResult", "Cannot create output file", "Check disk space and verify valid file name",
                        "Warning");
    });
  }
  return status;
}

int TreeEngine::PrintNode(const TreeNode* node) {
  return Guarded([&] {
    if (node == nullptr) {
      throw _cart_error("PrintNode", "Attempting to print uninitialized node", "Contact component vendor",
                        "Critical Error");
    }
    nodeFile_ << NodeLine(*node) << '\n';
    if (node->left) PrintNode(node->left.get());
    if (node->right) PrintNode(node->right.get());
  });
}

}  // namespace orlix::engine
