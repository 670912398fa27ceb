#pragma once
// The members of a diagram that the tree layout calls, whatever generation of
// diagram is behind them. Node and link handles are opaque: they are valid
// while the diagram is, and only the diagram that gave them out understands
// them. Errors of the diagram propagate as its own exceptions.
#include <cstdint>

namespace orlix::treelayout {

struct DiagramNodeTag;
struct DiagramLinkTag;
using NodeRef = DiagramNodeTag*;
using LinkRef = DiagramLinkTag*;

class LayoutDiagram {
 public:
  virtual ~LayoutDiagram() = default;

  virtual bool filterFlag() = 0;
  virtual void setRedraw(bool on) = 0;

  virtual std::int32_t nodeCount() = 0;
  virtual NodeRef node(std::int32_t index) = 0;  // 1-based

  virtual float left(NodeRef node) = 0;
  virtual float top(NodeRef node) = 0;
  virtual float width(NodeRef node) = 0;
  virtual float height(NodeRef node) = 0;
  virtual void setLeft(NodeRef node, float value) = 0;
  virtual void setTop(NodeRef node, float value) = 0;
  virtual std::int32_t scratchNumber(NodeRef node) = 0;
  virtual void setScratchNumber(NodeRef node, std::int32_t value) = 0;
  virtual bool included(NodeRef node) = 0;
  virtual std::int32_t inLinkCount(NodeRef node) = 0;
  virtual LinkRef inLink(NodeRef node, std::int32_t index) = 0;  // 1-based
  virtual std::int32_t outLinkCount(NodeRef node) = 0;
  virtual LinkRef outLink(NodeRef node, std::int32_t index) = 0;  // 1-based

  virtual NodeRef origin(LinkRef link) = 0;
  virtual NodeRef destination(LinkRef link) = 0;
  virtual bool included(LinkRef link) = 0;
  virtual void setStyleNumber(LinkRef link, std::int32_t value) = 0;
  // The method of the link's sub-object that the layout invokes on every tree edge.
  virtual void resetRoute(LinkRef link) = 0;
};

}  // namespace orlix::treelayout
