#pragma once
// A box of the diagram: geometry, text and look, and the links that meet it.
// Nodes start with the diagram's defaults for new items, are made and owned by their Diagram (Diagram::nodes().add) and live as
// long as it; setters that take a bad value throw std::invalid_argument or
// std::out_of_range naming the property and leave the node unchanged.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/graphon/collections.h"
#include "platform/graphon/style.h"

namespace orlix::graphon {

class Node {
 public:
  class Key {
    Key() = default;
    friend class Diagram;
  };
  Node(Key, Diagram& diagram, float left, float top, float width, float height);
  Node(const Node&) = delete;
  Node& operator=(const Node&) = delete;

  Diagram& diagram() const { return *diagram_; }

  const std::string& text() const { return text_; }
  void setText(std::string text);
  const std::string& tipText() const { return tipText_; }
  void setTipText(std::string text) { tipText_ = std::move(text); }

  // Free for whoever is working on the diagram; the diagram never reads it.
  std::int32_t scratchNumber() const { return scratch_; }
  void setScratchNumber(std::int32_t value) { scratch_ = value; }

  bool selected() const { return selected_; }
  void setSelected(bool on);
  Color fillColor() const { return fillColor_; }
  void setFillColor(Color color);
  Color borderColor() const { return borderColor_; }
  void setBorderColor(Color color);
  const Font& font() const { return font_; }
  void setFont(Font font);
  std::int32_t borderWidth() const { return borderWidth_; }
  void setBorderWidth(std::int32_t width);  // 0 or more
  std::int32_t borderStyle() const { return borderStyle_; }
  void setBorderStyle(std::int32_t style);  // 0..6
  std::int32_t shape() const { return shape_; }
  void setShape(std::int32_t shape);  // 0..15

  float left() const { return left_; }
  float top() const { return top_; }
  float width() const { return width_; }
  float height() const { return height_; }
  void setLeft(float value);  // finite
  void setTop(float value);   // finite
  void setWidth(float value);   // finite, 0 or more
  void setHeight(float value);  // finite, 0 or more

  LinkList inLinks() const { return LinkList(inLinks_); }
  OutLinkList outLinks() { return OutLinkList(*this, outLinks_); }
  // Every link with this node at either end, once each, in insertion order.
  LinkList attachedLinks() const { return LinkList(attached_); }

  bool included() const { return included_; }
  void setIncluded(bool on) { included_ = on; }
  bool flag49() const { return flag49_; }
  void setFlag49(bool on) { flag49_ = on; }

 private:
  friend class Diagram;
  void changed();

  Diagram* diagram_;
  std::string text_;
  std::string tipText_;
  std::int32_t scratch_ = 0;
  bool selected_ = false;
  Color fillColor_;
  Color borderColor_;
  Font font_;
  std::int32_t borderWidth_;
  std::int32_t borderStyle_;
  std::int32_t shape_;
  float left_;
  float top_;
  float width_;
  float height_;
  std::vector<Link*> inLinks_;
  std::vector<Link*> outLinks_;
  std::vector<Link*> attached_;
  bool included_ = true;
  bool flag49_ = false;
};

}  // namespace orlix::graphon
