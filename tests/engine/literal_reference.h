// The literal, candidate-by-candidate tree search: every threshold and every
// partition is one pass over the parent's rows with the two work nodes, in
// the order the engine promises. Slow on purpose; the engine's sorted sweeps
// must choose exactly the same splits. Works on a table and descriptors that
// InitializeVars has already processed. Policy says what a work node counts
// (RegressionPolicy, CategoryPolicy below).
#pragma once

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
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

namespace orlix::engine::testing {

// Texts made with the C library, independently of the engine's own code.
inline std::string LiteralComparisonText(const Cell& cell) {
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

inline std::string LiteralValueText(const Cell& cell) {
  char buffer[400];
  switch (cell.type) {
    case CellType::Int32:
      std::snprintf(buffer, sizeof buffer, "%d", static_cast<short>(static_cast<int>(cell.number)));
      return buffer;
    case CellType::Double:
    case CellType::Float: std::snprintf(buffer, sizeof buffer, "%.lf", cell.number); return buffer;
    case CellType::String: return std::string(cell.text);
    case CellType::Empty: break;
  }
  return "";
}

// A work node of a regression tree: sums in double, equal values have no spread.
struct RegressionPolicy {
  static constexpr float kInitialBest = 1e15f;
  static bool Better(float a, float b) { return a < b; }
  static constexpr bool kTrace = true;

  struct Work {
    explicit Work(int rows) : node(rows) {}
    TreeNode node;
    double sum = 0, sumSquares = 0;
    std::set<double> values;
    void Reset() {
      node.N = 0;
      sum = sumSquares = 0;
      values.clear();
      node.min = 1e15f;
      node.max = -1e15f;
      node.rowMask.assign(node.rowMask.size(), '0');
    }
    void Add(const RowTable& t, int target, int row) {
      const double y = t.NumberAt(row, target);
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
    void CopyStats(TreeNode& child) const {
      child.mean = node.mean;
      child.sd = node.sd;
      child.min = node.min;
      child.max = node.max;
    }
  };
  static float Score(const Work& l, const Work& r) {
    return static_cast<float>(std::pow(static_cast<double>(l.node.sd), 2) + std::pow(static_cast<double>(r.node.sd), 2));
  }
  static bool GrowsChild(const TreeNode& child) { return child.sd > 0; }
  static void StartRoot(TreeNode& root, const ColumnDescriptor& target, Work&, Work&) {
    root.mean = static_cast<float>(target.mean);
    root.sd = static_cast<float>(target.sd);
    root.min = target.min;
    root.max = target.max;
  }
  static std::string Line(const TreeNode& node) { return RegressionNodeLine(node); }
};

// A work node of a category tree: class counts, keys kept when reset.
struct CategoryPolicy {
  static constexpr float kInitialBest = -1e15f;
  static bool Better(float a, float b) { return a > b; }
  static constexpr bool kTrace = false;

  struct Work {
    explicit Work(int rows) : node(rows) {}
    TreeNode node;
    std::map<std::string, int> counts;
    void Reset() {
      node.N = 0;
      for (auto& entry : counts) entry.second = 0;
      node.rowMask.assign(node.rowMask.size(), '0');
    }
    void Add(const RowTable& t, int target, int row) {
      node.rowMask[static_cast<std::size_t>(row)] = '1';
      ++node.N;
      ++counts[LiteralValueText(t.GetCell(row, target))];
    }
    void Finish() {}
    void CopyStats(TreeNode& child) const {
      for (const auto& [text, n] : counts) child.classCounts.Add(text, n - child.classCounts.CountOf(text));
    }
  };
  static float Score(const Work& l, const Work& r) {
    std::set<std::string> classes;
    for (const auto& e : l.counts) classes.insert(e.first);
    for (const auto& e : r.counts) classes.insert(e.first);
    std::vector<std::int64_t> o[2];
    for (const auto& c : classes) {
      o[0].push_back(l.counts.count(c) ? l.counts.at(c) : 0);
      o[1].push_back(r.counts.count(c) ? r.counts.at(c) : 0);
    }
    std::int64_t rowTotal[2] = {0, 0};
    for (int side = 0; side < 2; ++side) {
      for (auto v : o[side]) rowTotal[side] += v;
    }
    const std::int64_t total = rowTotal[0] + rowTotal[1];
    float score = 0;
    for (int side = 0; side < 2; ++side) {
      for (std::size_t i = 0; i < o[side].size(); ++i) {
        const std::int64_t expected = total == 0 ? 0 : rowTotal[side] * (o[0][i] + o[1][i]) / total;
        if (expected > 0) score += std::pow(static_cast<double>(o[side][i] - expected), 2) / static_cast<double>(expected);
      }
    }
    return score;
  }
  static bool GrowsChild(const TreeNode&) { return true; }
  // Every class of the target is listed in every node.
  static void StartRoot(TreeNode& root, const ColumnDescriptor& target, Work& left, Work& right) {
    root.classCounts = target.valueCounts;
    for (const auto& entry : target.valueCounts) left.counts[entry.first] = right.counts[entry.first] = 0;
  }
  static std::string Line(const TreeNode& node) { return CategoryNodeLine(node); }
};

template <typename Policy>
class LiteralTree {
 public:
  using Work = typename Policy::Work;

  LiteralTree(const RowTable& table, const ColumnDescriptor* columns, int cols, int minimumN)
      : t_(table), columns_(columns), cols_(cols), rows_(table.RowCount()), minimumN_(minimumN),
        workLeft_(rows_), workRight_(rows_) {}

  // Grows the whole tree and returns its node file text.
  std::string Run() {
    const ColumnDescriptor& target = columns_[cols_ - 1];
    root_ = std::make_unique<TreeNode>(rows_);
    root_->rowMask.assign(static_cast<std::size_t>(rows_), '1');
    root_->name = "root";
    root_->rule = "ALL CASES";
    root_->N = rows_;
    Policy::StartRoot(*root_, target, workLeft_, workRight_);
    Grow(*root_);
    std::string text;
    Print(*root_, text);
    return text;
  }

  std::string trace() const { return trace_.str(); }

 private:
  int Target() const { return cols_ - 1; }

  std::vector<double> Thresholds(int v) const {
    std::vector<double> thresholds;
    if (columns_[v].decile == 1) {
      std::set<double> present;
      for (int r = 0; r < rows_; ++r) present.insert(t_.NumberAt(r, v));
      thresholds.assign(present.begin(), present.end());
    } else {
      for (const auto& entry : columns_[v].valueCounts) {
        thresholds.push_back(static_cast<float>(std::strtod(entry.first.c_str(), nullptr)));
      }
    }
    return thresholds;
  }

  void Copy(const Work& work, TreeNode& child) {
    child.name = work.node.name;
    child.rule = work.node.rule;
    child.rowMask = work.node.rowMask;
    child.N = work.node.N;
    child.splitScore = work.node.splitScore;
    work.CopyStats(child);
  }

  void Keep(TreeNode& parent, std::string leftRule, std::string rightRule) {
    workLeft_.node.rule = std::move(leftRule);
    workRight_.node.rule = std::move(rightRule);
    Copy(workLeft_, *parent.left);
    Copy(workRight_, *parent.right);
  }

  void NumericSearch(int v, TreeNode& parent, float& best) {
    for (double threshold : Thresholds(v)) {
      workLeft_.Reset();
      workRight_.Reset();
      for (int r = 0; r < rows_; ++r) {
        if (parent.rowMask[static_cast<std::size_t>(r)] != '1') continue;
        (t_.NumberAt(r, v) <= threshold ? workLeft_ : workRight_).Add(t_, Target(), r);
      }
      workLeft_.Finish();
      workRight_.Finish();
      const bool counts = workLeft_.node.N > minimumN_ && workRight_.node.N > minimumN_;
      float score = 0;
      if (counts) {
        score = Policy::Score(workLeft_, workRight_);
        workLeft_.node.splitScore = workRight_.node.splitScore = score;
      }
      if (Policy::Better(score, best) && counts) {
        best = score;
        if (Policy::kTrace) WriteTrace(v, parent, static_cast<float>(threshold), score);
        char left[512], right[512];
        std::snprintf(left, sizeof left, "%s <= %f", columns_[v].name.c_str(), threshold);
        std::snprintf(right, sizeof right, "%s >  %f", columns_[v].name.c_str(), threshold);
        Keep(parent, left, right);
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
          const std::string text = LiteralComparisonText(t_.GetCell(r, v));
          bool inSubset = false;
          for (const auto& s : subset) inSubset = inSubset || s == text;
          (inSubset ? workRight_ : workLeft_).Add(t_, Target(), r);
        }
        workLeft_.Finish();
        workRight_.Finish();
        const int ln = workLeft_.node.N, rn = workRight_.node.N;
        float score = 1e15f;
        if (ln > minimumN_ && rn > minimumN_ && ln < parent.N && rn < parent.N) score = Policy::Score(workLeft_, workRight_);
        workLeft_.node.splitScore = workRight_.node.splitScore = score;
        if (Policy::Better(score, best) && ln > minimumN_ && rn > minimumN_) {
          best = score;
          auto rule = [&](const std::vector<std::string>& texts) {
            std::string out = column.name + " IS_IN { ";
            for (const auto& s : texts) out += s + " ";
            return out + "}";
          };
          Keep(parent, rule(complement), rule(subset));
        }
      }
    }
  }

  void Grow(TreeNode& parent) {
    float best = Policy::kInitialBest;
    parent.left = std::make_unique<TreeNode>(rows_);
    parent.right = std::make_unique<TreeNode>(rows_);
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
      if (Policy::GrowsChild(left)) Grow(left);
      if (Policy::GrowsChild(right)) Grow(right);
    } else {
      parent.left.reset();
      parent.right.reset();
    }
  }

  void Print(const TreeNode& node, std::string& text) const {
    text += Policy::Line(node) + "\n";
    if (node.left) Print(*node.left, text);
    if (node.right) Print(*node.right, text);
  }

  const RowTable& t_;
  const ColumnDescriptor* columns_;
  int cols_, rows_, minimumN_;
  int splitCount_ = 0;
  Work workLeft_, workRight_;
  std::unique_ptr<TreeNode> root_;
  std::ostringstream trace_;
};

using LiteralRegression = LiteralTree<RegressionPolicy>;
using LiteralCategory = LiteralTree<CategoryPolicy>;

}  // namespace orlix::engine::testing
