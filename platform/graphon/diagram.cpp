#include "platform/graphon/diagram.h"

#include <limits>
#include <stdexcept>

#include "platform/graphon/value_checks.h"

namespace orlix::graphon {

void Diagram::setRedraw(bool on) {
  const bool wasOff = !redraw_;
  redraw_ = on;
  if (on && wasOff) repaint();
}

void Diagram::refresh() { repaint(); }

void Diagram::repaint() {
  ++repaints_;
  if (repaintHandler_) repaintHandler_();
}

void Diagram::setDefaults(ItemDefaults defaults) {
  check::lineStyle(defaults.drawStyle, "draw style");
  check::lineWidth(defaults.drawWidth, "draw width");
  check::shape(defaults.shape);
  check::font(defaults.font, "font");
  defaults_ = std::move(defaults);
}

std::vector<Node*> Diagram::selectedNodes() {
  std::vector<Node*> selected;
  for (Node& node : nodes_)
    if (node.selected()) selected.push_back(&node);
  return selected;
}

std::vector<Link*> Diagram::selectedLinks() const {
  std::vector<Link*> selected;
  for (Link* link : links_)
    if (link->selected()) selected.push_back(link);
  return selected;
}

void Diagram::selectAll() {
  const bool wasOn = redraw_;
  redraw_ = false;  // one repaint for the lot
  for (Node& node : nodes_) node.setSelected(true);
  for (Link* link : links_) link->setSelected(true);
  redraw_ = wasOn;
  changed();
}

void Diagram::clear() {
  links_.clear();
  linkStore_.clear();
  nodes_.clear();
  changed();
}

Node& Diagram::addNode(float left, float top, float width, float height) {
  if (nodes_.size() >= static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
    throw std::length_error("the diagram holds as many nodes as it can count");
  // The constructor checks the geometry; when it throws, nothing was added.
  Node& node = nodes_.emplace_back(Node::Key{}, *this, left, top, width, height);
  changed();
  return node;
}

Link& Diagram::addLink(Node& origin, Node& destination) {
  if (&destination.diagram() != this)
    throw std::invalid_argument("a link's destination must be a node of the same diagram");
  if (links_.size() >= static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
    throw std::length_error("the diagram holds as many links as it can count");
  Link& link = linkStore_.emplace_back(Link::Key{}, origin, destination);
  links_.push_back(&link);
  origin.outLinks_.push_back(&link);
  destination.inLinks_.push_back(&link);
  origin.attached_.push_back(&link);
  if (&destination != &origin) destination.attached_.push_back(&link);
  changed();
  return link;
}

void Diagram::changed() {
  if (redraw_) repaint();
}

}  // namespace orlix::graphon
