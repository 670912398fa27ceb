#pragma once
// Live views of the diagram's ordered collections: they read the diagram's
// current state on every call, so a view taken before an add sees the new item.
// Indexes are 1-based; a bad index throws std::out_of_range naming it.
#include <cstdint>
#include <deque>
#include <vector>

namespace graphon {

class Diagram;
class Link;
class Node;

// Links in insertion order: a node's in-, out- or attached links, or all of a diagram's.
class LinkList {
 public:
  explicit LinkList(const std::vector<Link*>& links) : links_(&links) {}

  std::int32_t count() const;
  Link& item(std::int32_t index) const;

  auto begin() const { return links_->begin(); }
  auto end() const { return links_->end(); }

 private:
  const std::vector<Link*>* links_;
};

// A node's out-links, the collection through which links are added.
class OutLinkList : public LinkList {
 public:
  OutLinkList(Node& origin, const std::vector<Link*>& links) : LinkList(links), origin_(&origin) {}

  // Adds a link from the origin to `destination` (a node of the same diagram,
  // else std::invalid_argument); the diagram owns the link.
  Link& add(Node& destination) const;

 private:
  Node* origin_;
};

// The diagram's nodes in insertion order.
class NodeList {
 public:
  explicit NodeList(Diagram& diagram) : diagram_(&diagram) {}

  std::int32_t count() const;
  Node& item(std::int32_t index) const;

  // Adds a node with the given geometry; the diagram owns it.
  Node& add(float left, float top, float width, float height) const;

  std::deque<Node>::iterator begin() const;
  std::deque<Node>::iterator end() const;

 private:
  Diagram* diagram_;
};

}  // namespace graphon
