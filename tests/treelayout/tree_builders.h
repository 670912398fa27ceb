#pragma once
// Trees for the layout tests and benchmarks: a shape (the parent of every node,
// children in index order) and node sizes, turned into a graphon diagram.
#include <cstdint>
#include <random>
#include <vector>

#include "platform/graphon/diagram.h"

namespace orlix::treelayout::testing {

struct Size {
  float width;
  float height;
};

struct TreeShape {
  std::vector<std::int32_t> parent;  // parent[0] == -1, parent[i] < i otherwise
  std::vector<Size> size;
};

// Node i of the diagram is vertex i of the shape; links are added in index
// order, so a parent's children come in index order. Nodes start at (0, 0).
inline void buildDiagram(graphon::Diagram& diagram, const TreeShape& shape) {
  for (const Size& s : shape.size) diagram.nodes().add(0.0f, 0.0f, s.width, s.height);
  for (std::size_t i = 1; i < shape.parent.size(); ++i)
    diagram.nodes()
        .item(shape.parent[i] + 1)
        .outLinks()
        .add(diagram.nodes().item(static_cast<std::int32_t>(i) + 1));
}

// Each node hangs from a node made before it, chosen at random; whole-unit sizes.
inline TreeShape randomTree(std::mt19937& rng, std::int32_t count, std::int32_t maxWidth,
                            std::int32_t maxHeight) {
  TreeShape shape;
  std::uniform_int_distribution<std::int32_t> width(0, maxWidth);
  std::uniform_int_distribution<std::int32_t> height(0, maxHeight);
  for (std::int32_t i = 0; i < count; ++i) {
    shape.parent.push_back(
        i == 0 ? -1 : std::uniform_int_distribution<std::int32_t>(0, i - 1)(rng));
    shape.size.push_back({static_cast<float>(width(rng)), static_cast<float>(height(rng))});
  }
  return shape;
}

// A spine of count/2 nodes, each with one leaf before the next spine node.
inline TreeShape caterpillar(std::int32_t count, float width, float height) {
  TreeShape shape;
  std::int32_t spine = -1;
  for (std::int32_t i = 0; i < count; ++i) {
    const bool leaf = i % 2 == 1;
    shape.parent.push_back(spine);
    shape.size.push_back({width, height});
    if (!leaf) spine = i;
  }
  return shape;
}

inline TreeShape withSwappedSizes(TreeShape shape) {
  for (Size& s : shape.size) std::swap(s.width, s.height);
  return shape;
}

}  // namespace orlix::treelayout::testing
