#pragma once
// Live views of the diagram's ordered collections: they read the diagram's
// current state on every call, so a view taken before an add sees the new item.
// Indexes are 1-based; a bad index throws std::out_of_range naming it.
#include <cstdint>
#include <cstddef>
#include <deque>
#include <iterator>
#include <vector>

namespace orlix::graphon {

class Diagram;
class Link;
class Node;

// Links in insertion order: a node's in-, out- or attached links, or all of a
// diagram's. Iterating gives Link&, as iterating the nodes gives Node&.
class LinkList {
 public:
  class iterator {
   public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = Link;
    using difference_type = std::ptrdiff_t;
    using pointer = Link*;
    using reference = Link&;

    iterator() = default;
    explicit iterator(std::vector<Link*>::const_iterator at) : at_(at) {}
    Link& operator*() const { return **at_; }
    Link* operator->() const { return *at_; }
    iterator& operator++() {
      ++at_;
      return *this;
    }
    iterator operator++(int) { return iterator(at_++); }
    bool operator==(const iterator&) const = default;

   private:
    std::vector<Link*>::const_iterator at_;
  };

  explicit LinkList(const std::vector<Link*>& links) : links_(&links) {}

  std::int32_t count() const;
  Link& item(std::int32_t index) const;

  iterator begin() const { return iterator(links_->begin()); }
  iterator end() const { return iterator(links_->end()); }

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

}  // namespace orlix::graphon
