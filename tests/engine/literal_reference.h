// The literal, candidate-by-candidate tree search: every threshold and every
// partition is one pass over the parent's rows with the two work nodes, in
// the order the engine promises. Slow on purpose; the engine's sorted sweeps
// must choose exactly the same splits. Works on a table and descriptors that
// InitializeVars has already processed.
#pragma once

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "engine/column_descriptor.h"
#include "engine/node_file.h"
#include "engine/row_table.h"
#include "engine/split_trace.h"
#include "engine/tree_node.h"

namespace orlix::testing {

class LiteralRegression {
 public:
  LiteralRegression(const RowTable& table, const ColumnDescriptor* columns, int cols, int minimumN)
      : t_(table), columns_(columns), cols_(cols), rows_(table.RowCount()), minimumN_(minimumN),
        workLeft_(rows_), workRight_(rows_) {}

  // Grows the whole tree and returns its node file text ("" when the target is constant).
  std::string Run() {
    const ColumnDescriptor& target = columns_[cols_ - 1];
    if (target.sd <= 1e-15) return "";
    root_ = std::make_unique<TreeNode>(rows_);
    root_->rowMask.assign(static_cast<std::size_t>(rows_), '1');
    root_->name = "root";
    root_->rule = "ALL CASES";
    root_->N = rows_;
    root_->mean = static_cast<float>(target.mean);
    root_->sd = static_cast<float>(target.sd);
    root_->min = target.min;
    root_->max = target.max;
    Grow(*root_);
    std::string text;
    Print(*root_, text);
    return text;
  }

  std::string trace() const { return trace_.str(); }

 private:
  struct Work {
    explicit Work(int rows) : node(rows) {}
    TreeNode node;
    double sum = 0, sumSquares = 0;
    std::set<double> values;  // all targets equal: no spread, whatever the sums say
    void Reset() {
      node.N = 0;
      sum = sumSquares = 0;
      values.clear();
      node.min = 1e15f;
      node.max = -1e15f;
      node.rowMask.assign(node.rowMask.size(), '0');
    }
    void Add(int row, double y) {
      node.rowMask[static_cast<std::size_t>(row)] = '1';
      ++node.N;
      sum += y;
      sumSquares += y * y;
      values.insert(y);
      if (static_cast<float>(y) < node.min) node.min = static_cast<float>(y);
      if (static_cast<float>(y) > node.max) node.max = static_cast<float>(y);
    }
    void Finish() {
      if (node.N >= 1) {
        node.mean = static_cast<float>(sum / node.N);
        double variance = (sumSquares - sum * sum / node.N) / node.N;
        if (variance < 0 || values.size() == 1) variance = 0;
        node.sd = static_cast<float>(std::sqrt(variance));
      } else {
        node.mean = node.sd = 0;
      }
    }
  };

  double Target(int row) const { return t_.NumberAt(row, cols_ - 1); }

  std::vector<double> Thresholds(int v) const {
    std::vector<double> thresholds;
    if (columns_[v].decile == 1) {
      std::set<double> present;
      for (int r = 0; r < rows_; ++r) present.insert(t_.NumberAt(r, v));
      for (double d : present) thresholds.push_back(d);
    } else {
      for (const auto& entry : columns_[v].valueCounts) {
        thresholds.push_back(static_cast<float>(std::strtod(entry.first.c_str(), nullptr)));
      }
    }
    return thresholds;
  }

  static std::string ComparisonText(const Cell& cell) {
    char buffer[64];
    switch (cell.type) {
      case CellType::Int32:
        std::snprintf(buffer, sizeof buffer, "%d", static_cast<short>(static_cast<int>(cell.number)));
        return buffer;
      case CellType::Double: std::snprintf(buffer, sizeof buffer, "%.15g", cell.number); return buffer;
      case CellType::Float: std::snprintf(buffer, sizeof buffer, "%.7g", cell.number); return buffer;
      case CellType::String: return std::string(cell.text);
      case CellType::Empty: break;
    }
    return "";
  }

  void Copy(const Work& work, TreeNode& child) {
    child.name = work.node.name;
    child.rule = work.node.rule;
    child.rowMask = work.node.rowMask;
    child.N = work.node.N;
    child.mean = work.node.mean;
    child.sd = work.node.sd;
    child.min = work.node.min;
    child.max = work.node.max;
    child.splitScore = work.node.splitScore;
  }

  void NumericSearch(int v, TreeNode& parent, float& best) {
    for (double threshold : Thresholds(v)) {
      workLeft_.Reset();
      workRight_.Reset();
      float score = 0;
      for (int r = 0; r < rows_; ++r) {
        if (parent.rowMask[static_cast<std::size_t>(r)] != '1') continue;
        (t_.NumberAt(r, v) <= threshold ? workLeft_ : workRight_).Add(r, Target(r));
      }
      workLeft_.Finish();
      workRight_.Finish();
      const bool counts = workLeft_.node.N > minimumN_ && workRight_.node.N > minimumN_;
      if (counts) {
        score = static_cast<float>(std::pow(static_cast<double>(workLeft_.node.sd), 2) +
                                   std::pow(static_cast<double>(workRight_.node.sd), 2));
        workLeft_.node.splitScore = workRight_.node.splitScore = score;
      }
      if (score < best && counts) {
        best = score;
        WriteTrace(v, parent, static_cast<float>(threshold), score);
        char text[512];
        std::snprintf(text, sizeof text, "%s <= %f", columns_[v].name.c_str(), threshold);
        workLeft_.node.rule = text;
        std::snprintf(text, sizeof text, "%s >  %f", columns_[v].name.c_str(), threshold);
        workRight_.node.rule = text;
        Copy(workLeft_, *parent.left);
        Copy(workRight_, *parent.right);
      }
    }
  }

  void WriteTrace(int v, const TreeNode& parent, float threshold, float score) {
    TraceBlock b{splitCount_, parent.name, parent.N, v, threshold, score,
                 workLeft_.node.name, workLeft_.node.N, workLeft_.node.mean, workLeft_.node.sd,
                 workRight_.node.name, workRight_.node.N, workRight_.node.mean, workRight_.node.sd};
    WriteTraceBlock(trace_, b);
  }

  void CategorySearch(int v, TreeNode& parent, float& best) {
    const ColumnDescriptor& column = columns_[v];
    if (column.cardinality >= 11) return;
    std::vector<std::string> categories;
    for (const auto& entry : column.valueCounts) categories.push_back(entry.first);
    const int n = static_cast<int>(categories.size());
    for (int k = 0; k <= n / 2; ++k) {
      for (unsigned m = 0; m < (1u << n); ++m) {
        if (__builtin_popcount(m) != k) continue;
        std::vector<std::string> subset, complement;
        for (int i = 0; i < n; ++i) ((m >> i) & 1 ? subset : complement).push_back(categories[i]);
        workLeft_.Reset();
        workRight_.Reset();
        for (int r = 0; r < rows_; ++r) {
          if (parent.rowMask[static_cast<std::size_t>(r)] != '1') continue;
          const std::string text = ComparisonText(t_.GetCell(r, v));
          bool inSubset = false;
          for (const auto& s : subset) inSubset = inSubset || s == text;
          (inSubset ? workRight_ : workLeft_).Add(r, Target(r));
        }
        workLeft_.Finish();
        workRight_.Finish();
        const int ln = workLeft_.node.N, rn = workRight_.node.N;
        float score = 1e15f;
        if (ln > minimumN_ && rn > minimumN_ && ln < parent.N && rn < parent.N) {
          score = static_cast<float>(std::pow(static_cast<double>(workLeft_.node.sd), 2) +
                                     std::pow(static_cast<double>(workRight_.node.sd), 2));
        }
        workLeft_.node.splitScore = workRight_.node.splitScore = score;
        if (score < best && ln > minimumN_ && rn > minimumN_) {
          best = score;
          auto rule = [&](const std::vector<std::string>& texts) {
            std::string out = column.name + " IS_IN { ";
            for (const auto& s : texts) out += s + " ";
            return out + "}";
          };
          workRight_.node.rule = rule(subset);
          workLeft_.node.rule = rule(complement);
          Copy(workLeft_, *parent.left);
          Copy(workRight_, *parent.right);
        }
      }
    }
  }

  void Grow(TreeNode& parent) {
    float best = 1e15f;
    parent.left = std::make_unique<TreeNode>(rows_);
    parent.right = std::make_unique<TreeNode>(rows_);
    parent.hasLeft = parent.hasRight = 1;
    workLeft_.node.name = parent.left->name = parent.name + "_L";
    workRight_.node.name = parent.right->name = parent.name + "_R";
    for (int v = 0; v + 1 < cols_; ++v) {
      if (columns_[v].kind == 0) NumericSearch(v, parent, best);
      else if (columns_[v].kind == 2) CategorySearch(v, parent, best);
    }
    TreeNode& left = *parent.left;
    TreeNode& right = *parent.right;
    if (left.N >= minimumN_ && right.N >= minimumN_ && splitCount_ < 10) {
      ++splitCount_;
      if (left.sd > 0) Grow(left);
      if (right.sd > 0) Grow(right);
    } else {
      parent.hasLeft = parent.hasRight = 0;
      parent.left.reset();
      parent.right.reset();
    }
  }

  void Print(const TreeNode& node, std::string& text) const {
    text += RegressionNodeLine(node) + "\n";
    if (node.hasLeft) Print(*node.left, text);
    if (node.hasRight) Print(*node.right, text);
  }

  const RowTable& t_;
  const ColumnDescriptor* columns_;
  int cols_, rows_, minimumN_;
  int splitCount_ = 0;
  Work workLeft_, workRight_;
  std::unique_ptr<TreeNode> root_;
  std::ostringstream trace_;
};

}  // namespace orlix::testing
