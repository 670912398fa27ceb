// Properties every layout keeps, checked over thousands of random trees with
// random node sizes and distances, in all four orientations.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <vector>

#include "platform/graphon/diagram.h"
#include "treelayout/tierio_ctrl.h"
#include "tree_builders.h"

namespace orlix {
namespace {

using treelayout::testing::TreeShape;

constexpr int kTrees = 1500;

struct Laid {
  std::vector<std::int64_t> cx, cy;  // centres on the page
  std::vector<std::int64_t> w, h;
  std::int64_t minLeft = INT64_MAX, minTop = INT64_MAX;
  // The farthest centre plus half extent: the drawing's right and bottom as the layout sees them.
  std::int64_t right = INT64_MIN, bottom = INT64_MIN;
};

Laid layOut(const TreeShape& shape, int orientation, float layer, float vertex) {
  graphon::Diagram d;
  treelayout::testing::buildDiagram(d, shape);
  treelayout::TierioCtrl ctrl;
  ctrl.SetOrientation(orientation);
  ctrl.SetLayerDistance(layer);
  ctrl.SetVertexDistance(vertex);
  ctrl.Layout(&d);
  Laid out;
  for (const graphon::Node& n : d.nodes()) {
    const auto left = static_cast<std::int64_t>(n.left());
    const auto top = static_cast<std::int64_t>(n.top());
    EXPECT_EQ(static_cast<float>(left), n.left());
    const auto w = static_cast<std::int64_t>(n.width());
    const auto h = static_cast<std::int64_t>(n.height());
    out.w.push_back(w);
    out.h.push_back(h);
    out.cx.push_back(left + w / 2);
    out.cy.push_back(top + h / 2);
    out.minLeft = std::min(out.minLeft, left);
    out.minTop = std::min(out.minTop, top);
    out.right = std::max(out.right, out.cx.back() + w / 2);
    out.bottom = std::max(out.bottom, out.cy.back() + h / 2);
  }
  return out;
}

struct Tree {
  std::vector<std::vector<std::int32_t>> children;
  std::vector<std::vector<std::int32_t>> layers;  // per depth, in left-to-right (depth-first) order
};

Tree structure(const TreeShape& shape) {
  Tree t;
  t.children.resize(shape.parent.size());
  for (std::size_t i = 1; i < shape.parent.size(); ++i)
    t.children[static_cast<std::size_t>(shape.parent[i])].push_back(static_cast<std::int32_t>(i));
  std::vector<std::pair<std::int32_t, std::size_t>> stack{{0, 0}};
  while (!stack.empty()) {
    const auto [v, depth] = stack.back();
    stack.pop_back();
    if (t.layers.size() <= depth) t.layers.resize(depth + 1);
    t.layers[depth].push_back(v);
    const auto& kids = t.children[static_cast<std::size_t>(v)];
    for (auto c = kids.rbegin(); c != kids.rend(); ++c) stack.push_back({*c, depth + 1});
  }
  return t;
}

struct Case {
  TreeShape shape;
  std::int32_t layer;
  std::int32_t vertex;
};

Case randomCase(std::mt19937& rng) {
  const auto count = std::uniform_int_distribution<std::int32_t>(1, 60)(rng);
  Case c{treelayout::testing::randomTree(rng, count, 3000, 2000),
         std::uniform_int_distribution<std::int32_t>(0, 900)(rng),
         std::uniform_int_distribution<std::int32_t>(0, 900)(rng)};
  return c;
}

// Checks one orientation in the frame of the layers: a runs along a layer in
// the order of the children, c across the layers away from the root.
void checkLayers(const Case& k, const Tree& t, const Laid& p, int o) {
  const bool columns = o == treelayout::East || o == treelayout::West;
  auto a = [&](std::int32_t v) {
    const auto i = static_cast<std::size_t>(v);
    switch (o) {
      case treelayout::East: return p.cy[i];
      case treelayout::South: return -p.cx[i];
      case treelayout::West: return -p.cy[i];
      default: return p.cx[i];
    }
  };
  auto c = [&](std::int32_t v) {
    const auto i = static_cast<std::size_t>(v);
    switch (o) {
      case treelayout::East: return -p.cx[i];
      case treelayout::South: return -p.cy[i];
      case treelayout::West: return p.cx[i];
      default: return p.cy[i];
    }
  };
  auto along = [&](std::int32_t v) { return columns ? p.h[static_cast<std::size_t>(v)] : p.w[static_cast<std::size_t>(v)]; };
  auto across = [&](std::int32_t v) { return columns ? p.w[static_cast<std::size_t>(v)] : p.h[static_cast<std::size_t>(v)]; };

  const std::int64_t subtree = std::int64_t{k.vertex} * 5 / 4;
  std::vector<std::int64_t> thickness;
  for (const auto& layer : t.layers) {
    std::int64_t thick = 0;
    for (std::size_t j = 0; j < layer.size(); ++j) {
      const std::int32_t q = layer[j];
      thick = std::max(thick, across(q));
      ASSERT_EQ(c(q), c(layer[0])) << "a layer's nodes share one centre line";
      if (j == 0) continue;
      const std::int32_t pv = layer[j - 1];
      const bool siblings = k.shape.parent[static_cast<std::size_t>(pv)] ==
                            k.shape.parent[static_cast<std::size_t>(q)];
      const std::int64_t gap = a(q) - a(pv) - along(pv) / 2 - along(q) / 2;
      ASSERT_GE(gap, siblings ? k.vertex : subtree)
          << "nodes " << pv << " and " << q << (siblings ? " (siblings)" : " (cousins)");
    }
    thickness.push_back(thick);
  }
  for (std::size_t d = 0; d + 1 < t.layers.size(); ++d)
    ASSERT_EQ(c(t.layers[d + 1][0]) - c(t.layers[d][0]),
              thickness[d] - thickness[d] / 2 + thickness[d + 1] / 2 + k.layer)
        << "layers " << d << " and " << d + 1 << " keep the layer distance";
  for (std::size_t v = 0; v < t.children.size(); ++v) {
    const auto& kids = t.children[v];
    if (kids.empty()) continue;
    const std::int64_t twice = 2 * a(static_cast<std::int32_t>(v)) - a(kids.front()) - a(kids.back());
    ASSERT_LE(std::llabs(twice), 1) << "node " << v << " is centred over its children";
  }
  const std::int64_t margin = k.layer / 4;
  ASSERT_EQ(p.minLeft, margin);
  ASSERT_EQ(p.minTop, margin);
}

TEST(LayoutProperties, LayersSeparationsAndCentringHoldInEveryOrientation) {
  std::mt19937 rng(20240607);
  for (int n = 0; n < kTrees; ++n) {
    const Case k = randomCase(rng);
    const Tree t = structure(k.shape);
    for (int o = 0; o < 4; ++o) {
      SCOPED_TRACE("tree " + std::to_string(n) + ", orientation " + std::to_string(o));
      const Laid p = layOut(k.shape, o, static_cast<float>(k.layer), static_cast<float>(k.vertex));
      checkLayers(k, t, p, o);
      if (HasFatalFailure()) return;
    }
  }
}

// East and West lay nodes along a layer by their height, so the drawing they
// turn is the North one of the same tree with width and height exchanged.
TEST(LayoutProperties, TheFourOrientationsAreRotationsOfOneDrawing) {
  std::mt19937 rng(1234567);
  for (int n = 0; n < kTrees; ++n) {
    const Case k = randomCase(rng);
    const TreeShape swapped = treelayout::testing::withSwappedSizes(k.shape);
    const auto layer = static_cast<float>(k.layer);
    const auto vertex = static_cast<float>(k.vertex);
    const Laid north = layOut(k.shape, treelayout::North, layer, vertex);
    const Laid east = layOut(swapped, treelayout::East, layer, vertex);
    const Laid south = layOut(k.shape, treelayout::South, layer, vertex);
    const Laid west = layOut(swapped, treelayout::West, layer, vertex);
    const std::int64_t m = k.layer / 4;
    const std::int64_t wide = north.right - m;  // R - L of the North drawing
    const std::int64_t high = north.bottom - m;  // B - T
    for (std::size_t i = 0; i < north.cx.size(); ++i) {
      SCOPED_TRACE("tree " + std::to_string(n) + ", node " + std::to_string(i));
      const std::int64_t x = north.cx[i] - m;
      const std::int64_t y = north.cy[i] - m;
      ASSERT_EQ(east.cx[i], high - y + m);
      ASSERT_EQ(east.cy[i], x + m);
      ASSERT_EQ(south.cx[i], wide - x + m);
      ASSERT_EQ(south.cy[i], high - y + m);
      ASSERT_EQ(west.cx[i], y + m);
      ASSERT_EQ(west.cy[i], wide - x + m);
    }
  }
}

}  // namespace
}  // namespace orlix
