#include "platform/graphon/diagram_state.h"

#include <stdexcept>
#include <string>
#include <unordered_map>

#include "platform/graphon/value_checks.h"

namespace orlix::graphon {
namespace {

NodeState nodeState(const Node& node) {
  NodeState s;
  s.left = node.left();
  s.top = node.top();
  s.width = node.width();
  s.height = node.height();
  s.text = node.text();
  s.tipText = node.tipText();
  s.scratchNumber = node.scratchNumber();
  s.selected = node.selected();
  s.fillColor = node.fillColor();
  s.borderColor = node.borderColor();
  s.font = node.font();
  s.borderWidth = node.borderWidth();
  s.borderStyle = node.borderStyle();
  s.shape = node.shape();
  s.included = node.included();
  s.flag49 = node.flag49();
  return s;
}

// Runs `check` and puts `where` in front of the message it throws.
template <typename Check>
void checked(const std::string& where, Check check) {
  try {
    check();
  } catch (const std::exception& e) {
    throw std::invalid_argument(where + ": " + e.what());
  }
}

void validate(const DiagramState& state) {
  checked("diagram defaults", [&] {
    check::lineStyle(state.defaults.drawStyle, "draw style");
    check::lineWidth(state.defaults.drawWidth, "draw width");
    check::shape(state.defaults.shape);
    check::font(state.defaults.font, "font");
  });
  for (std::size_t i = 0; i < state.nodes.size(); ++i) {
    const NodeState& n = state.nodes[i];
    checked("node " + std::to_string(i), [&] {
      check::coordinate(n.left, "left");
      check::coordinate(n.top, "top");
      check::extent(n.width, "width");
      check::extent(n.height, "height");
      check::font(n.font, "font");
      check::lineWidth(n.borderWidth, "border width");
      check::lineStyle(n.borderStyle, "border style");
      check::shape(n.shape);
    });
  }
  const auto count = static_cast<std::int64_t>(state.nodes.size());
  for (std::size_t i = 0; i < state.links.size(); ++i) {
    const LinkState& l = state.links[i];
    checked("link " + std::to_string(i), [&] {
      if (l.from < 0 || l.from >= count || l.to < 0 || l.to >= count)
        throw std::out_of_range("its ends " + std::to_string(l.from) + " and " + std::to_string(l.to) +
                                " must be node indices 0.." + std::to_string(count - 1));
      check::lineWidth(l.width, "width");
      check::lineStyle(l.style, "style");
      for (const Point& p : l.points) {
        check::coordinate(p.x, "point x");
        check::coordinate(p.y, "point y");
      }
    });
  }
}

void applyNode(Node& node, const NodeState& s) {
  node.setText(s.text);
  node.setTipText(s.tipText);
  node.setScratchNumber(s.scratchNumber);
  node.setSelected(s.selected);
  node.setFillColor(s.fillColor);
  node.setBorderColor(s.borderColor);
  node.setFont(s.font);
  node.setBorderWidth(s.borderWidth);
  node.setBorderStyle(s.borderStyle);
  node.setShape(s.shape);
  node.setIncluded(s.included);
  node.setFlag49(s.flag49);
}

void applyLink(Link& link, const LinkState& s) {
  link.setColor(s.color);
  link.setSelected(s.selected);
  link.setWidth(s.width);
  link.setStyle(s.style);
  link.setStyleNumber(s.styleNumber);
  for (const Point& p : s.points) link.points().add(p);
  link.setIncluded(s.included);
}

}  // namespace

DiagramState captureState(const Diagram& diagram) {
  DiagramState state;
  state.filterFlag = diagram.filterFlag();
  state.defaults = diagram.defaults();
  state.permissions = diagram.permissions();
  state.viewOptions = diagram.viewOptions();
  std::unordered_map<const Node*, std::int32_t> index;
  for (const Node& node : diagram.nodeItems()) {
    index.emplace(&node, static_cast<std::int32_t>(state.nodes.size()));
    state.nodes.push_back(nodeState(node));
  }
  for (const Link& link : diagram.links()) {
    LinkState s;
    s.from = index.at(&link.origin());
    s.to = index.at(&link.destination());
    s.color = link.color();
    s.selected = link.selected();
    s.width = link.width();
    s.style = link.style();
    s.styleNumber = link.styleNumber();
    s.points = link.points().items();
    s.included = link.included();
    state.links.push_back(std::move(s));
  }
  return state;
}

void restoreState(Diagram& diagram, const DiagramState& state) {
  validate(state);
  const RedrawPause pause(diagram);  // switching it back on repaints once
  diagram.clear();
  diagram.setFilterFlag(state.filterFlag);
  diagram.setDefaults(state.defaults);
  diagram.permissions() = state.permissions;
  diagram.viewOptions() = state.viewOptions;
  std::vector<Node*> nodes;
  nodes.reserve(state.nodes.size());
  for (const NodeState& s : state.nodes) {
    Node& node = diagram.nodes().add(s.left, s.top, s.width, s.height);
    applyNode(node, s);
    nodes.push_back(&node);
  }
  for (const LinkState& s : state.links) {
    Link& link = nodes[static_cast<std::size_t>(s.from)]->outLinks().add(*nodes[static_cast<std::size_t>(s.to)]);
    applyLink(link, s);
  }
}

}  // namespace orlix::graphon
