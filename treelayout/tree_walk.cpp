#include "treelayout/tree_walk.h"

#include <algorithm>

namespace orlix::treelayout {
namespace {

struct Box {
  std::int64_t left, top, right, bottom;
};

class TreeWalker {
 public:
  TreeWalker(std::vector<LayoutVertex>& vertices, const LayoutSettings& settings)
      : v_(vertices), settings_(settings) {}

  void firstWalk(std::int32_t root);
  void secondWalk(std::int32_t root);
  Box boundingBox(std::int32_t root) const;
  void turn(std::int32_t root, const Box& box);

 private:
  LayoutVertex& at(std::int32_t i) { return v_[static_cast<std::size_t>(i)]; }
  const LayoutVertex& at(std::int32_t i) const { return v_[static_cast<std::size_t>(i)]; }

  std::int64_t alongLayer(const LayoutVertex& v) const {
    return settings_.layersAreColumns() ? v.height : v.width;
  }
  std::int64_t acrossLayers(const LayoutVertex& v) const {
    return settings_.layersAreColumns() ? v.width : v.height;
  }
  std::int64_t meanSize(std::int32_t a, std::int32_t b) const {
    std::int64_t mean = 0;
    if (a != kNoVertex) mean += alongLayer(at(a)) / 2;
    if (b != kNoVertex) mean += alongLayer(at(b)) / 2;
    return mean;
  }

  void enterLayer(std::int32_t v, std::size_t depth);
  void placeAfterChildren(std::int32_t v);
  void apportion(std::int32_t v);
  std::int32_t leftmostAt(std::int32_t v, std::int32_t depth) const;
  template <class Visit>
  void eachReachable(std::int32_t root, Visit visit) const;

  std::vector<LayoutVertex>& v_;
  const LayoutSettings& settings_;
  // One entry per depth, root's first; indexed instead of walked from the head.
  std::vector<LayerEntry> layers_;
};

void TreeWalker::enterLayer(std::int32_t v, std::size_t depth) {
  if (depth == layers_.size()) layers_.push_back(LayerEntry{kNoVertex, acrossLayers(at(v))});
  LayerEntry& layer = layers_[depth];
  at(v).leftNeighbour = layer.last;
  layer.last = v;
  layer.thickness = std::max(layer.thickness, acrossLayers(at(v)));
  at(v).modifier = 0;
}

// FIRSTWALK's work once v's children (if any) have been walked.
void TreeWalker::placeAfterChildren(std::int32_t i) {
  LayoutVertex& v = at(i);
  const std::int32_t s = v.leftSibling;
  const std::int64_t besideSibling =
      s == kNoVertex ? 0 : at(s).prelim + settings_.siblingSeparation() + meanSize(s, i);
  if (v.firstChild == kNoVertex) {
    v.prelim = besideSibling;
    return;
  }
  const std::int64_t midpoint = (at(v.firstChild).prelim + at(v.children.back()).prelim) / 2;
  if (s == kNoVertex) {
    v.prelim = midpoint;
    return;
  }
  v.prelim = besideSibling;
  v.modifier = v.prelim - midpoint;
  apportion(i);
}

void TreeWalker::firstWalk(std::int32_t root) {
  layers_.clear();
  struct Frame {
    std::int32_t vertex;
    std::int32_t nextChild;
  };
  std::vector<Frame> stack;
  enterLayer(root, 0);
  stack.push_back({root, at(root).firstChild});
  while (!stack.empty()) {
    Frame& frame = stack.back();
    if (frame.nextChild == kNoVertex) {
      placeAfterChildren(frame.vertex);
      stack.pop_back();
      continue;
    }
    const std::int32_t child = frame.nextChild;
    frame.nextChild = at(child).rightSibling;
    enterLayer(child, stack.size());
    stack.push_back({child, at(child).firstChild});
  }
}

// The leftmost descendant of v exactly `depth` levels below it, children in order.
std::int32_t TreeWalker::leftmostAt(std::int32_t v, std::int32_t depth) const {
  struct Entry {
    std::int32_t vertex;
    std::int32_t level;
  };
  std::vector<Entry> stack{{v, 0}};
  while (!stack.empty()) {
    const Entry e = stack.back();
    stack.pop_back();
    if (e.level == depth) return e.vertex;
    const auto& kids = at(e.vertex).children;
    for (auto c = kids.rbegin(); c != kids.rend(); ++c) stack.push_back({*c, e.level + 1});
  }
  return kNoVertex;
}

// Pushes v's subtree right until, at every depth below v, it stands the subtree
// separation clear of the subtrees to its left; the siblings between v and the
// neighbour's ancestor share the move in equal portions.
void TreeWalker::apportion(std::int32_t v) {
  std::int32_t leftmost = at(v).firstChild;
  std::int32_t neighbour = at(leftmost).leftNeighbour;
  std::int32_t compareDepth = 1;
  while (leftmost != kNoVertex && neighbour != kNoVertex) {
    std::int64_t rightModSum = 0;
    std::int64_t leftModSum = 0;
    std::int32_t ancestorLeftmost = leftmost;
    std::int32_t ancestorNeighbour = neighbour;
    for (std::int32_t i = 0; i < compareDepth; ++i) {
      ancestorLeftmost = at(ancestorLeftmost).parent;
      ancestorNeighbour = at(ancestorNeighbour).parent;
      if (ancestorLeftmost == kNoVertex || ancestorNeighbour == kNoVertex) return;
      rightModSum += at(ancestorLeftmost).modifier;
      leftModSum += at(ancestorNeighbour).modifier;
    }
    std::int64_t move = at(neighbour).prelim + leftModSum + settings_.subtreeSeparation() +
                        meanSize(leftmost, neighbour) - at(leftmost).prelim - rightModSum;
    if (move > 0) {
      std::int64_t leftSiblings = 0;
      std::int32_t t = v;
      for (; t != kNoVertex && t != ancestorNeighbour; t = at(t).leftSibling) ++leftSiblings;
      if (t == kNoVertex) return;
      const std::int64_t portion = move / leftSiblings;
      for (t = v; t != ancestorNeighbour; t = at(t).leftSibling) {
        at(t).prelim += move;
        at(t).modifier += move;
        move -= portion;
      }
    }
    ++compareDepth;
    if (at(leftmost).firstChild != kNoVertex)
      leftmost = at(leftmost).firstChild;
    else
      leftmost = leftmostAt(v, compareDepth);
    neighbour = leftmost == kNoVertex ? kNoVertex : at(leftmost).leftNeighbour;
  }
}

// Visits every reachable vertex once, parents before children, with its depth
// and the sum of its ancestors' modifiers.
template <class Visit>
void TreeWalker::eachReachable(std::int32_t root, Visit visit) const {
  struct Entry {
    std::int32_t vertex;
    std::size_t depth;
    std::int64_t modifierSum;
  };
  std::vector<Entry> stack{{root, 0, 0}};
  while (!stack.empty()) {
    const Entry e = stack.back();
    stack.pop_back();
    visit(e.vertex, e.depth, e.modifierSum);
    const LayoutVertex& v = at(e.vertex);
    for (std::int32_t c = v.firstChild; c != kNoVertex; c = at(c).rightSibling)
      stack.push_back({c, e.depth + 1, e.modifierSum + v.modifier});
  }
}

void TreeWalker::secondWalk(std::int32_t root) {
  // Every node of one depth is centred on one line; the thickest nodes of
  // adjacent layers stand exactly the level separation apart.
  std::vector<std::int64_t> centre(layers_.size());
  std::int64_t above = 0;
  for (std::size_t d = 0; d < layers_.size(); ++d) {
    centre[d] = above + layers_[d].thickness / 2 +
                static_cast<std::int64_t>(d) * settings_.levelSeparation();
    above += layers_[d].thickness;
  }
  eachReachable(root, [&](std::int32_t i, std::size_t depth, std::int64_t modifierSum) {
    LayoutVertex& v = v_[static_cast<std::size_t>(i)];
    v.x = v.prelim + modifierSum;
    v.y = centre[depth];
  });
}

Box TreeWalker::boundingBox(std::int32_t root) const {
  auto rectangle = [&](const LayoutVertex& v) {
    const std::int64_t along = alongLayer(v) / 2;
    const std::int64_t across = acrossLayers(v) / 2;
    return Box{v.x - along, v.y - across, v.x + along, v.y + across};
  };
  Box box = rectangle(at(root));
  eachReachable(root, [&](std::int32_t i, std::size_t, std::int64_t) {
    const Box r = rectangle(at(i));
    box.left = std::min(box.left, r.left);
    box.top = std::min(box.top, r.top);
    box.right = std::max(box.right, r.right);
    box.bottom = std::max(box.bottom, r.bottom);
  });
  return box;
}

void TreeWalker::turn(std::int32_t root, const Box& box) {
  const std::int64_t margin = settings_.margin();
  const std::int16_t orientation = settings_.orientation;
  eachReachable(root, [&](std::int32_t i, std::size_t, std::int64_t) {
    LayoutVertex& v = v_[static_cast<std::size_t>(i)];
    std::int64_t x = v.x - box.left;  // North: root at the top, children left to right
    std::int64_t y = v.y - box.top;
    if (orientation == East) {  // root at the right, first child at the top
      x = box.bottom - v.y;
      y = v.x - box.left;
    } else if (orientation == South) {  // root at the bottom, first child at the right
      x = box.right - v.x;
      y = box.bottom - v.y;
    } else if (orientation == West) {  // root at the left, first child at the bottom
      x = v.y - box.top;
      y = box.right - v.x;
    }
    v.x = x + margin;
    v.y = y + margin;
  });
}

}  // namespace

void placeTree(std::vector<LayoutVertex>& vertices, std::int32_t root,
               const LayoutSettings& settings) {
  TreeWalker walker(vertices, settings);
  walker.firstWalk(root);
  walker.secondWalk(root);
  walker.turn(root, walker.boundingBox(root));
}

}  // namespace orlix::treelayout
