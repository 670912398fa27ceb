#pragma once
// The layered tree layout of a whole diagram: read the nodes and links through
// the filter, check for one rooted tree, place it and write the positions back.
#include "treelayout/layout_diagram.h"
#include "treelayout/layout_settings.h"

namespace orlix::treelayout {

// Lays `diagram` out. A diagram without a node taken in is left alone. Throws
// ControlError (kGraphNotATree) when the nodes taken in do not form exactly one
// rooted tree: then no node has moved and every scratch number is as it was
// (tree edges read before the fault was found may have been restyled). Errors
// of the diagram propagate, with the scratch numbers given back.
void layoutTree(LayoutDiagram& diagram, const LayoutSettings& settings);

}  // namespace orlix::treelayout
