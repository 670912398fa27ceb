#pragma once
// The diagram a decision map is drawn in: an owner of nodes and links in
// insertion order, with the filter flag and the redraw switch. It holds the
// model only; drawing comes with the view. A Diagram is not copyable; the
// nodes and links it hands out live as long as it does (or until clear()).
#include <cstdint>
#include <deque>
#include <functional>
#include <vector>

#include "platform/graphon/collections.h"
#include "platform/graphon/link.h"
#include "platform/graphon/node.h"
#include "platform/graphon/object.h"

namespace orlix::graphon {

enum class Generation { Three = 3, Four = 4 };

// The look new nodes and links start with.
struct ItemDefaults {
  Color drawColor = kBlack;  // node borders and links
  Color fillColor = kWhite;
  std::int32_t drawStyle = kLineSolid;
  std::int32_t drawWidth = 1;
  std::int32_t shape = kShapeEllipse;
  Font font;

  bool operator==(const ItemDefaults&) const = default;
};

// What the user may do in the view; the model only keeps them.
struct Permissions {
  bool canDrawNode = true;
  bool canMoveNode = true;
  bool canReflexLink = true;
  bool canMultiLink = true;
  bool canFireError = false;
  bool showToolTip = true;
  bool canDrawLink = true;
  bool canSizeNode = true;
  bool canStretchLink = true;
  bool canUndoRedo = true;

  bool operator==(const Permissions&) const = default;
};

// How the view presents the diagram; the model only keeps them.
struct ViewOptions {
  std::int32_t scrollBars = 3;  // both
  std::int32_t shapeOrientation = 0;
  std::int32_t drawMethod = 0;

  bool operator==(const ViewOptions&) const = default;
};

class Diagram : public Object {
 public:
  // A diagram answers to the member set of one generation; containers written
  // for generation 3 diagrams ask for that one.
  explicit Diagram(Generation generation = Generation::Four) : generation_(generation) {}

  Generation generation() const { return generation_; }

  NodeList nodes() { return NodeList(*this); }
  LinkList links() const { return LinkList(links_); }
  // The nodes for readers that change nothing (drawing, saving), in insertion order.
  const std::deque<Node>& nodeItems() const { return nodes_; }

  // When set, users of the diagram take only nodes and links whose inclusion flag is set.
  bool filterFlag() const { return filter_; }
  void setFilterFlag(bool on) { filter_ = on; }

  // While off, changes do not repaint; switching it back on repaints once.
  bool redraw() const { return redraw_; }
  void setRedraw(bool on);
  void refresh();
  // Repaints asked for so far; each one also calls the repaint handler.
  std::int64_t repaintCount() const { return repaints_; }
  // Called whenever the diagram asks to be repainted (the view that shows it
  // sets one); an empty function removes it.
  void setRepaintHandler(std::function<void()> handler) { repaintHandler_ = std::move(handler); }

  const ItemDefaults& defaults() const { return defaults_; }
  // Checked as the node and link setters check (shape 0..15, style 0..6, ...).
  void setDefaults(ItemDefaults defaults);
  Permissions& permissions() { return permissions_; }
  const Permissions& permissions() const { return permissions_; }
  ViewOptions& viewOptions() { return viewOptions_; }
  const ViewOptions& viewOptions() const { return viewOptions_; }

  // The selected nodes and links, in insertion order, as they are now.
  std::vector<Node*> selectedNodes();
  std::vector<Link*> selectedLinks() const;
  void selectAll();

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
  void repaint();

  Generation generation_;
  std::deque<Node> nodes_;
  std::deque<Link> linkStore_;
  std::vector<Link*> links_;
  ItemDefaults defaults_;
  Permissions permissions_;
  ViewOptions viewOptions_;
  bool filter_ = false;
  bool redraw_ = true;
  std::int64_t repaints_ = 0;
  std::function<void()> repaintHandler_;
};

// Holds the diagram's redraw switch off for as long as it lives and puts it
// back as it was, so that many changes repaint once at the end.
class RedrawPause {
 public:
  explicit RedrawPause(Diagram& diagram) : diagram_(diagram), was_(diagram.redraw()) { diagram.setRedraw(false); }
  ~RedrawPause() { diagram_.setRedraw(was_); }
  RedrawPause(const RedrawPause&) = delete;
  RedrawPause& operator=(const RedrawPause&) = delete;

 private:
  Diagram& diagram_;
  bool was_;
};

}  // namespace orlix::graphon
