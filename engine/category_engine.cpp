#include "engine/category_engine.h"

#include <new>
#include <unordered_map>

#include "engine/cart_error.h"
#include "engine/node_file.h"
#include "engine/variable_statistics.h"

namespace orlix::engine {

void CategoryEngine::CheckTarget(const ColumnDescriptor& target) const {
  if (target.valueCounts.size() > kMaxClasses) {
    throw _cart_error("CreateRoot", "Target variable has more than 10 classes",
                      "Choose a target with at most 10 distinct values", "Critical Error");
  }
}

void CategoryEngine::FillRoot(TreeNode& root, const ColumnDescriptor& target) const {
  root.classCounts = target.valueCounts;
}

ValueCounts CategoryEngine::ClassCounts(const ClassStats& stats) const {
  const ValueCounts& classes = target().valueCounts;
  ValueCounts counts;
  for (int i = 0; i < classes.size(); ++i) counts.Add(classes[i].first, stats.counts[static_cast<std::size_t>(i)]);
  return counts;
}

std::vector<double> CategoryEngine::PrepareTarget() {
  const int t = numCols() - 1;
  const ColumnDescriptor& target = this->target();
  if (target.kind == kNumericKind) {
    throw EngineDataError("The target \"" + target.name + "\" of a category map must be a character variable");
  }
  if (target.valueCounts.size() > kMaxClasses) {
    throw EngineDataError("The target \"" + target.name + "\" has more than 10 classes");
  }
  classes_ = target.valueCounts.size();
  const int rows = numRows();
  classOf_.resize(static_cast<std::size_t>(rows));
  std::vector<double> classes(static_cast<std::size_t>(rows));
  std::unordered_map<std::uint32_t, int> byCode;  // string cells: one lookup per distinct string
  for (int r = 0; r < rows; ++r) {
    // A row's class is its target's value text (a string as it stands).
    int index = 0;
    if (table().TypeAt(r, t) == CellType::String) {
      const std::uint32_t code = table().StringCodeAt(r, t);
      auto it = byCode.find(code);
      if (it == byCode.end()) it = byCode.emplace(code, target.valueCounts.IndexOf(table().ColumnStrings(t)[code])).first;
      index = it->second;
    } else {
      index = target.valueCounts.IndexOf(CharacterValueText(table().GetCell(r, t)));
    }
    classOf_[static_cast<std::size_t>(r)] = static_cast<std::int8_t>(index);
    classes[static_cast<std::size_t>(r)] = index;
  }
  return classes;
}

void CategoryEngine::MakeChildren(TreeNode& parent) {
  try {
    TreeEngine::MakeChildren(parent);
  } catch (const std::bad_alloc&) {
    throw _cart_error("Cart Grow", "Out of memory", "Set larger minimum N or increase memory", "Critical");
  }
}

SplitCandidate CategoryEngine::FindSplit(const TreeNode&, RowRange range) {
  return SearchNode(ChiSquareCriterion(classOf_, classes_), range);
}

void CategoryEngine::FillChildren(RowRange range, TreeNode& left, TreeNode& right) const {
  ClassStats leftStats, rightStats;
  ForEachRowBySide(range, [&](bool toLeft, std::int32_t row) {
    (toLeft ? leftStats : rightStats).Add(classOf_[static_cast<std::size_t>(row)]);
  });
  left.N = leftStats.n;
  right.N = rightStats.n;
  left.classCounts = ClassCounts(leftStats);
  right.classCounts = ClassCounts(rightStats);
  left.splitScore = right.splitScore = ChiSquare(leftStats, rightStats, classes_);
}

std::string CategoryEngine::NodeLine(const TreeNode& node) const { return CategoryNodeLine(node); }

}  // namespace orlix::engine
