#pragma once
// Placing a tree: the first walk (prelim and modifier, apportioning each
// subtree against its left neighbours), the second walk (x from prelim plus the
// modifiers above, y from the layer thicknesses), the bounding box, and the
// turn to the orientation. Walks keep their own stacks, so depth is not limited
// by the call stack.
#include <cstdint>
#include <vector>

#include "treelayout/layout_settings.h"
#include "treelayout/layout_vertex.h"

namespace orlix::treelayout {

// Gives every vertex reachable from `root` (linked by VertexTable::linkTree)
// its final centre in x, y; the top-left corner of the drawing lands at
// (margin, margin). Other vertices are left as they are.
void placeTree(std::vector<LayoutVertex>& vertices, std::int32_t root,
               const LayoutSettings& settings);

}  // namespace orlix::treelayout
