#include "graphon/link.h"

#include <cmath>
#include <stdexcept>

#include "graphon/diagram.h"

namespace graphon {

void LinkPoints::add(Point point) {
  if (!std::isfinite(point.x) || !std::isfinite(point.y))
    throw std::invalid_argument("link point coordinates must be finite numbers");
  points_.push_back(point);
  link_->changed();
}

void LinkPoints::clear() {
  points_.clear();
  link_->changed();
}

Link::Link(Key, Node& origin, Node& destination)
    : origin_(&origin), destination_(&destination), points_(*this) {}

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
  if (width < 0) throw std::invalid_argument("link width must not be negative");
  width_ = width;
  changed();
}

void Link::setStyle(std::int32_t style) {
  style_ = style;
  changed();
}

void Link::setStyleNumber(std::int32_t value) {
  styleNumber_ = value;
  changed();
}

}  // namespace graphon
