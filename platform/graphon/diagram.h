#pragma once
// The diagram a decision map is drawn in: an owner of nodes and links in
// insertion order, with the filter flag and the redraw switch. It holds the
// model only; drawing comes with the view. A Diagram is not copyable; the
// nodes and links it hands out live as long as it does (or until clear()).
#include <cstdint>
#include <deque>
#include <vector>

#include "graphon/collections.h"
#include "graphon/link.h"
#include "graphon/node.h"
#include "graphon/object.h"

namespace graphon {

enum class Generation { Three = 3, Four = 4 };

class Diagram : public Object {
 public:
  // A diagram answers to the member set of one generation; containers written
  // for generation 3 diagrams ask for that one.
  explicit Diagram(Generation generation = Generation::Four) : generation_(generation) {}

  Generation generation() const { return generation_; }

  NodeList nodes() { return NodeList(*this); }
  LinkList links() const { return LinkList(links_); }

  // When set, users of the diagram take only nodes and links whose inclusion flag is set.
  bool filterFlag() const { return filter_; }
  void setFilterFlag(bool on) { filter_ = on; }

  // While off, changes do not repaint; switching it back on repaints once.
  bool redraw() const { return redraw_; }
  void setRedraw(bool on);
  void refresh();
  // Repaints so far: stands in for the view until there is one.
  std::int64_t repaintCount() const { return repaints_; }

  // Drops every node and link; references to them become invalid.
  void clear();

 private:
  friend class NodeList;
  friend class OutLinkList;
  friend class Node;
  friend class Link;

  Node& addNode(float left, float top, float width, float height);
  Link& addLink(Node& origin, Node& destination);
  void changed();

  Generation generation_;
  std::deque<Node> nodes_;
  std::deque<Link> linkStore_;
  std::vector<Link*> links_;
  bool filter_ = false;
  bool redraw_ = true;
  std::int64_t repaints_ = 0;
};

}  // namespace graphon
