// TreeNode: one node of a grown tree. A node owns its children; its row mask
// holds '1' for every table row in the node and '0' for the others.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "engine/value_counts.h"

namespace orlix::engine {

struct TreeNode {
  explicit TreeNode(int rows) : rowMask(static_cast<std::size_t>(rows), '0') {}

  std::string name;
  std::string rule;
  std::vector<char> rowMask;
  // The children: both or neither (a leaf).
  std::unique_ptr<TreeNode> left;
  std::unique_ptr<TreeNode> right;
  int N = 0;
  // Regression nodes: target statistics.
  float mean = 0;
  float sd = 0;
  float min = 1e15f;
  float max = -1e15f;
  // Category nodes: rows per target class text.
  ValueCounts classCounts;
  float splitScore = 0;
};

}  // namespace orlix::engine
