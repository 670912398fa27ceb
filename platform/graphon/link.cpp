#include "platform/graphon/link.h"

#include "platform/graphon/diagram.h"
#include "platform/graphon/value_checks.h"

namespace orlix::graphon {

void LinkPoints::add(Point point) {
  check::coordinate(point.x, "link point x");
  check::coordinate(point.y, "link point y");
  points_.push_back(point);
  link_->changed();
}

void LinkPoints::clear() {
  points_.clear();
  link_->changed();
}

Link::Link(Key, Node& origin, Node& destination)
    : origin_(&origin),
      destination_(&destination),
      color_(origin.diagram().defaults().drawColor),
      width_(origin.diagram().defaults().drawWidth),
      style_(origin.diagram().defaults().drawStyle),
      points_(*this) {}

void Link::changed() { origin_->diagram().changed(); }

void Link::setColor(Color color) {
  color_ = color;
  changed();
}

void Link::setSelected(bool on) {
  selected_ = on;
  changed();
}

void Link::setWidth(std::int32_t width) {
  width_ = check::lineWidth(width, "link width");
  changed();
}

void Link::setStyle(std::int32_t style) {
  style_ = check::lineStyle(style, "link style");
  changed();
}

void Link::setStyleNumber(std::int32_t value) {
  styleNumber_ = value;
  changed();
}

}  // namespace orlix::graphon
