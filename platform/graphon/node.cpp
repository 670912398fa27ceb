#include "platform/graphon/node.h"

#include "platform/graphon/diagram.h"
#include "platform/graphon/value_checks.h"

namespace orlix::graphon {

Node::Node(Key, Diagram& diagram, float left, float top, float width, float height)
    : diagram_(&diagram),
      fillColor_(diagram.defaults().fillColor),
      borderColor_(diagram.defaults().drawColor),
      font_(diagram.defaults().font),
      borderWidth_(diagram.defaults().drawWidth),
      borderStyle_(diagram.defaults().drawStyle),
      shape_(diagram.defaults().shape),
      left_(check::coordinate(left, "node left")),
      top_(check::coordinate(top, "node top")),
      width_(check::extent(width, "node width")),
      height_(check::extent(height, "node height")) {}

void Node::changed() { diagram_->changed(); }

void Node::setText(std::string text) {
  text_ = std::move(text);
  changed();
}

void Node::setSelected(bool on) {
  selected_ = on;
  changed();
}

void Node::setFillColor(Color color) {
  fillColor_ = color;
  changed();
}

void Node::setBorderColor(Color color) {
  borderColor_ = color;
  changed();
}

void Node::setFont(Font font) {
  check::font(font, "node font");
  font_ = std::move(font);
  changed();
}

void Node::setBorderWidth(std::int32_t width) {
  borderWidth_ = check::lineWidth(width, "node border width");
  changed();
}

void Node::setBorderStyle(std::int32_t style) {
  borderStyle_ = check::lineStyle(style, "node border style");
  changed();
}

void Node::setShape(std::int32_t shape) {
  shape_ = check::shape(shape);
  changed();
}

void Node::setLeft(float value) {
  left_ = check::coordinate(value, "node left");
  changed();
}

void Node::setTop(float value) {
  top_ = check::coordinate(value, "node top");
  changed();
}

void Node::setWidth(float value) {
  width_ = check::extent(value, "node width");
  changed();
}

void Node::setHeight(float value) {
  height_ = check::extent(value, "node height");
  changed();
}

}  // namespace orlix::graphon
