#include "platform/graphon/collections.h"

#include <stdexcept>
#include <string>

#include "platform/graphon/diagram.h"

namespace orlix::graphon {
namespace {

void checkIndex(std::int32_t index, std::size_t count, const char* what) {
  if (index < 1 || static_cast<std::size_t>(index) > count)
    throw std::out_of_range(std::string(what) + " index " + std::to_string(index) +
                            " is outside 1.." + std::to_string(count));
}

}  // namespace

std::int32_t LinkList::count() const { return static_cast<std::int32_t>(links_->size()); }

Link& LinkList::item(std::int32_t index) const {
  checkIndex(index, links_->size(), "link");
  return *(*links_)[static_cast<std::size_t>(index - 1)];
}

Link& OutLinkList::add(Node& destination) const {
  return origin_->diagram().addLink(*origin_, destination);
}

std::int32_t NodeList::count() const { return static_cast<std::int32_t>(diagram_->nodes_.size()); }

Node& NodeList::item(std::int32_t index) const {
  checkIndex(index, diagram_->nodes_.size(), "node");
  return diagram_->nodes_[static_cast<std::size_t>(index - 1)];
}

Node& NodeList::add(float left, float top, float width, float height) const {
  return diagram_->addNode(left, top, width, height);
}

std::deque<Node>::iterator NodeList::begin() const { return diagram_->nodes_.begin(); }
std::deque<Node>::iterator NodeList::end() const { return diagram_->nodes_.end(); }

}  // namespace orlix::graphon
