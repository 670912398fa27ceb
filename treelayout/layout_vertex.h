#pragma once
// The working records of one layout: a vertex per diagram node taken in, and a
// layer entry per depth. Vertices refer to each other by table index; kNoVertex
// is the empty link. Coordinates are 64-bit so that no sum of 32-bit sizes and
// distances can overflow; within 32-bit range the results are the same.
#include <cstdint>
#include <vector>

#include "treelayout/layout_diagram.h"

namespace orlix::treelayout {

inline constexpr std::int32_t kNoVertex = -1;

struct LayoutVertex {
  std::int32_t index = 0;
  NodeRef node = nullptr;
  std::int32_t savedScratch = 0;
  std::vector<std::int32_t> children;  // in the order their links were read

  std::int64_t x = 0;  // centre along a layer, then the final horizontal centre
  std::int64_t y = 0;  // centre across layers, then the final vertical centre
  std::int32_t width = 0;
  std::int32_t height = 0;

  std::int64_t prelim = 0;
  std::int64_t modifier = 0;

  std::int32_t parent = kNoVertex;
  std::int32_t firstChild = kNoVertex;
  std::int32_t leftSibling = kNoVertex;
  std::int32_t rightSibling = kNoVertex;
  std::int32_t leftNeighbour = kNoVertex;
  bool reachable = false;  // part of the tree hanging from the root
};

struct LayerEntry {
  std::int32_t last = kNoVertex;  // the vertex placed most recently at this depth
  std::int64_t thickness = 0;     // the largest extent across the layers at this depth
};

}  // namespace orlix::treelayout
