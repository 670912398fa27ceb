#include "treelayout/tree_layout.h"

#include "treelayout/tree_walk.h"
#include "treelayout/vertex_table.h"

namespace orlix::treelayout {

void layoutTree(LayoutDiagram& diagram, const LayoutSettings& settings) {
  VertexTable table(diagram);
  table.readNodes();
  const std::int32_t root = table.readLinks();
  if (root == kNoVertex) return;
  table.linkTree(root);
  placeTree(table.vertices(), root, settings);
  table.writeBack();
}

}  // namespace orlix::treelayout
