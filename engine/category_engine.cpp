#include "engine/category_engine.h"

#include <new>
#include <unordered_map>

#include "engine/cart_error.h"
#include "engine/node_file.h"
#include "engine/parallel_for.h"
#include "engine/split_search.h"
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

ValueCounts CategoryEngine::NoClasses() const {
  ValueCounts classes = columns()[cols_ - 1].valueCounts;
  classes.ZeroCounts();
  return classes;
}

std::vector<double> CategoryEngine::PrepareTarget() {
  const int t = cols_ - 1;
  const ColumnDescriptor& target = columns()[t];
  if (target.kind == kNumericKind) {
    throw EngineDataError("The target \"" + target.name + "\" of a category map must be a character variable");
  }
  if (target.valueCounts.size() > kMaxClasses) {
    throw EngineDataError("The target \"" + target.name + "\" has more than 10 classes");
  }
  classes_ = target.valueCounts.size();
  classOf_.resize(static_cast<std::size_t>(rows_));
  std::vector<double> classes(static_cast<std::size_t>(rows_));
  std::unordered_map<std::uint32_t, int> byCode;  // string cells: one lookup per distinct string
  for (int r = 0; r < rows_; ++r) {
    // A row's class is its target's value text (a string as it stands).
    int index = 0;
    if (table_.TypeAt(r, t) == CellType::String) {
      const std::uint32_t code = table_.StringCodeAt(r, t);
      auto it = byCode.find(code);
      if (it == byCode.end()) it = byCode.emplace(code, target.valueCounts.IndexOf(table_.ColumnStrings(t)[code])).first;
      index = it->second;
    } else {
      index = target.valueCounts.IndexOf(CharacterValueText(table_.GetCell(r, t)));
    }
    classOf_[static_cast<std::size_t>(r)] = static_cast<std::int8_t>(index);
    classes[static_cast<std::size_t>(r)] = index;
  }
  workLeft_->classCounts = workRight_->classCounts = NoClasses();
  return classes;
}

void CategoryEngine::MakeChildren(TreeNode& parent) {
  try {
    TreeEngine::MakeChildren(parent);
  } catch (const std::bad_alloc&) {
    throw _cart_error("Cart Grow", "Out of memory", "Set larger minimum N or increase memory", "Critical");
  }
}

void CategoryEngine::SearchNode(TreeNode& parent, RowRange range) {
  ClassStats parentStats;
  for (std::int32_t row : orders_.ByRow(range)) parentStats.Add(classOf_[static_cast<std::size_t>(row)]);

  const int predictors = cols_ - 1;
  const SplitCandidate none{ChiSquareCriterion::kInitialBest};
  std::vector<SplitCandidate> perPredictor(static_cast<std::size_t>(predictors), none);
  ParallelFor(predictors, [&](int v) {
    ChiSquareCriterion criterion(classOf_, classes_);
    SplitCandidate& best = perPredictor[static_cast<std::size_t>(v)];
    const ColumnDescriptor& column = columns()[v];
    if (column.kind == kNumericKind) {
      SearchNumeric(criterion, parentStats, orders_.ByValue(v, range), *thresholds_[v], v, minimumN_, best);
    } else if (column.kind == kCharacterKind && partitions_[v]) {
      SearchCategory(criterion, parentStats, orders_.ByRow(range), levels_[v], *partitions_[v], v, minimumN_, best);
    }
  });
  const SplitCandidate best = FirstBest<ChiSquareCriterion>(perPredictor, none);
  if (best.variable >= 0) KeepSplit(parent, range, best);
}

void CategoryEngine::KeepSplit(TreeNode& parent, RowRange range, const SplitCandidate& split) {
  ClassStats stats[2];
  AssignRows(range, split, [&](TreeNode&, bool left, std::int32_t row) {
    stats[left].Add(classOf_[static_cast<std::size_t>(row)]);
  });
  TreeNode* work[2] = {workRight_.get(), workLeft_.get()};
  const ColumnDescriptor& target = columns()[cols_ - 1];
  for (int side = 0; side < 2; ++side) {
    work[side]->N = stats[side].n;
    work[side]->classCounts = NoClasses();
    for (int i = 0; i < classes_; ++i) work[side]->classCounts.Add(target.valueCounts[i].first, stats[side].counts[i]);
  }
  workLeft_->splitScore = workRight_->splitScore = ChiSquare(stats[1], stats[0], classes_);
  workLeft_->rule = LeftRule(split);
  workRight_->rule = RightRule(split);
  CopyWorkNode(*workLeft_, *parent.left);
  CopyWorkNode(*workRight_, *parent.right);
}

std::string CategoryEngine::NodeLine(const TreeNode& node) const { return CategoryNodeLine(node); }

}  // namespace orlix::engine
