#include "treelayout/vertex_table.h"

#include <cmath>
#include <limits>

#include "treelayout/control_error.h"

namespace orlix::treelayout {
namespace {

// Truncation toward zero that saturates instead of overflowing; NaN counts as 0.
std::int32_t truncated(float value) {
  if (std::isnan(value)) return 0;
  if (value >= 2147483647.0f) return std::numeric_limits<std::int32_t>::max();
  if (value <= -2147483648.0f) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(value);
}

// Switches the redraw back on however the writing ends.
class RedrawOff {
 public:
  explicit RedrawOff(LayoutDiagram& diagram) : diagram_(diagram) { diagram_.setRedraw(false); }
  RedrawOff(const RedrawOff&) = delete;
  RedrawOff& operator=(const RedrawOff&) = delete;
  // Only reached without switchOn() while the diagram's own error unwinds.
  ~RedrawOff() {
    if (on_) return;
    try {
      diagram_.setRedraw(true);
    } catch (...) {  // the first error is the one to report
    }
  }
  void switchOn() {
    on_ = true;
    diagram_.setRedraw(true);
  }

 private:
  LayoutDiagram& diagram_;
  bool on_ = false;
};

}  // namespace

VertexTable::~VertexTable() {
  try {
    restoreScratchFrom(restored_);
  } catch (...) {  // already unwinding from the diagram's own error
  }
}

bool VertexTable::passes(NodeRef node) { return !filter_ || diagram_.included(node); }
bool VertexTable::passes(LinkRef link) { return !filter_ || diagram_.included(link); }

void VertexTable::readNodes() {
  filter_ = diagram_.filterFlag();
  const std::int32_t count = diagram_.nodeCount();
  vertices_.reserve(static_cast<std::size_t>(count > 0 ? count : 0));
  for (std::int32_t i = 1; i <= count; ++i) {
    const NodeRef node = diagram_.node(i);
    if (!passes(node)) continue;
    LayoutVertex& v = vertices_.emplace_back();
    v.index = static_cast<std::int32_t>(vertices_.size() - 1);
    v.node = node;
    const float left = diagram_.left(node);
    const float top = diagram_.top(node);
    const float width = diagram_.width(node);
    const float height = diagram_.height(node);
    v.x = truncated(left + width * 0.5f);
    v.y = truncated(top + height * 0.5f);
    v.width = truncated(width);
    v.height = truncated(height);
    v.children.reserve(5);
    v.savedScratch = diagram_.scratchNumber(node);
    diagram_.setScratchNumber(node, v.index);
  }
}

// A node's vertex, found through the scratch number taken in readNodes. A node
// the table does not know means the links lead outside the diagram read.
std::int32_t VertexTable::vertexOf(NodeRef node) {
  const std::int32_t index = diagram_.scratchNumber(node);
  if (index < 0 || static_cast<std::size_t>(index) >= vertices_.size() ||
      vertices_[static_cast<std::size_t>(index)].node != node)
    throw ControlError::notATree();
  return index;
}

void VertexTable::readInLinks(LayoutVertex& vertex) {
  const std::int32_t count = diagram_.inLinkCount(vertex.node);
  std::int32_t passing = 0;
  for (std::int32_t i = 1; i <= count; ++i) {
    const LinkRef link = diagram_.inLink(vertex.node, i);
    if (!passes(link)) continue;
    if (++passing > 1) throw ControlError::notATree();
    const NodeRef origin = diagram_.origin(link);
    if (passes(origin)) vertex.parent = vertexOf(origin);
  }
}

void VertexTable::readOutLinks(LayoutVertex& vertex) {
  const std::int32_t count = diagram_.outLinkCount(vertex.node);
  for (std::int32_t i = 1; i <= count; ++i) {
    const LinkRef link = diagram_.outLink(vertex.node, i);
    if (!passes(link)) continue;
    const NodeRef destination = diagram_.destination(link);
    if (!passes(destination)) continue;
    diagram_.setStyleNumber(link, 0);
    diagram_.resetRoute(link);
    vertex.children.push_back(vertexOf(destination));
  }
}

std::int32_t VertexTable::readLinks() {
  for (LayoutVertex& vertex : vertices_) {
    readInLinks(vertex);
    readOutLinks(vertex);
  }
  if (vertices_.empty()) return kNoVertex;
  std::int32_t root = kNoVertex;
  for (const LayoutVertex& vertex : vertices_) {
    if (vertex.parent != kNoVertex) continue;
    if (root != kNoVertex) throw ControlError::notATree();
    root = vertex.index;
  }
  if (root == kNoVertex) throw ControlError::notATree();
  return root;
}

void VertexTable::linkTree(std::int32_t root) {
  std::vector<std::int32_t> pending{root};
  vertices_[static_cast<std::size_t>(root)].reachable = true;
  while (!pending.empty()) {
    LayoutVertex& v = vertices_[static_cast<std::size_t>(pending.back())];
    pending.pop_back();
    std::int32_t previous = kNoVertex;
    for (const std::int32_t c : v.children) {
      LayoutVertex& child = vertices_[static_cast<std::size_t>(c)];
      if (child.reachable) throw ControlError::notATree();  // a second way down: not a tree
      child.reachable = true;
      child.parent = v.index;
      child.leftSibling = previous;
      if (previous == kNoVertex)
        v.firstChild = c;
      else
        vertices_[static_cast<std::size_t>(previous)].rightSibling = c;
      previous = c;
      pending.push_back(c);
    }
  }
}

void VertexTable::writeBack() {
  RedrawOff redraw(diagram_);
  for (LayoutVertex& v : vertices_) {
    diagram_.setLeft(v.node, static_cast<float>(v.x - v.width / 2));
    diagram_.setTop(v.node, static_cast<float>(v.y - v.height / 2));
    diagram_.setScratchNumber(v.node, v.savedScratch);
    restored_ = static_cast<std::size_t>(v.index) + 1;
  }
  redraw.switchOn();
}

void VertexTable::restoreScratchFrom(std::size_t first) {
  for (std::size_t i = first; i < vertices_.size(); ++i) {
    diagram_.setScratchNumber(vertices_[i].node, vertices_[i].savedScratch);
    restored_ = i + 1;
  }
}

}  // namespace orlix::treelayout
