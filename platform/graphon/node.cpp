#include "graphon/node.h"

#include <cmath>
#include <stdexcept>
#include <string>

#include "graphon/diagram.h"

namespace graphon {
namespace {

float checkedCoordinate(float value, const char* what) {
  if (!std::isfinite(value))
    throw std::invalid_argument(std::string("node ") + what + " must be a finite number");
  return value;
}

float checkedExtent(float value, const char* what) {
  if (checkedCoordinate(value, what) < 0.0f)
    throw std::invalid_argument(std::string("node ") + what + " must not be negative");
  return value;
}

}  // namespace

Node::Node(Key, Diagram& diagram, float left, float top, float width, float height)
    : diagram_(&diagram),
      left_(checkedCoordinate(left, "left")),
      top_(checkedCoordinate(top, "top")),
      width_(checkedExtent(width, "width")),
      height_(checkedExtent(height, "height")) {}

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
  if (!std::isfinite(font.size) || font.size <= 0.0f)
    throw std::invalid_argument("node font size must be a positive number");
  font_ = std::move(font);
  changed();
}

void Node::setBorderWidth(std::int32_t width) {
  if (width < 0) throw std::invalid_argument("node border width must not be negative");
  borderWidth_ = width;
  changed();
}

void Node::setBorderStyle(std::int32_t style) {
  borderStyle_ = style;
  changed();
}

void Node::setShape(std::int32_t shape) {
  if (shape < kShapeEllipse || shape > kShapeOctogon)
    throw std::out_of_range("node shape " + std::to_string(shape) + " is outside 0..15");
  shape_ = shape;
  changed();
}

void Node::setLeft(float value) {
  left_ = checkedCoordinate(value, "left");
  changed();
}

void Node::setTop(float value) {
  top_ = checkedCoordinate(value, "top");
  changed();
}

void Node::setWidth(float value) {
  width_ = checkedExtent(value, "width");
  changed();
}

void Node::setHeight(float value) {
  height_ = checkedExtent(value, "height");
  changed();
}

}  // namespace graphon
