#pragma once
// An arrow from an origin node to a destination node, with its look and its
// bend points. Links start with the diagram's draw colour, style and width, are made through the origin's out-links and owned by the
// diagram; setters that take a bad value throw std::invalid_argument.
#include <cstdint>
#include <vector>

#include "platform/graphon/style.h"

namespace orlix::graphon {

class Diagram;
class Link;
class Node;

// The bend points of a link between its two ends; clear() makes it straight.
class LinkPoints {
 public:
  explicit LinkPoints(Link& link) : link_(&link) {}

  std::int32_t count() const { return static_cast<std::int32_t>(points_.size()); }
  const std::vector<Point>& items() const { return points_; }
  void add(Point point);  // finite coordinates
  void clear();

 private:
  Link* link_;
  std::vector<Point> points_;
};

class Link {
 public:
  class Key {
    Key() = default;
    friend class Diagram;
  };
  Link(Key, Node& origin, Node& destination);
  Link(const Link&) = delete;
  Link& operator=(const Link&) = delete;

  Node& origin() const { return *origin_; }
  Node& destination() const { return *destination_; }

  Color color() const { return color_; }
  void setColor(Color color);
  bool selected() const { return selected_; }
  void setSelected(bool on);
  std::int32_t width() const { return width_; }
  void setWidth(std::int32_t width);  // 0 or more
  std::int32_t style() const { return style_; }
  void setStyle(std::int32_t style);  // 0..6
  // How the link is routed; 0 is a straight line.
  std::int32_t styleNumber() const { return styleNumber_; }
  void setStyleNumber(std::int32_t value);

  LinkPoints& points() { return points_; }
  const LinkPoints& points() const { return points_; }

  bool included() const { return included_; }
  void setIncluded(bool on) { included_ = on; }

 private:
  friend class LinkPoints;
  void changed();

  Node* origin_;
  Node* destination_;
  Color color_;
  bool selected_ = false;
  std::int32_t width_;
  std::int32_t style_;
  std::int32_t styleNumber_ = 0;
  LinkPoints points_;
  bool included_ = true;
};

}  // namespace orlix::graphon
