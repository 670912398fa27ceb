#pragma once
// Binding the object a container hands to Layout: a generation 4 diagram is
// preferred, a generation 3 one accepted; both are thin adapters over the
// same graphon model and differ in the member identifiers of the diagram level.
#include <cstdint>
#include <memory>

#include "platform/graphon/diagram.h"
#include "treelayout/layout_diagram.h"

namespace orlix::treelayout {

// The identifiers of the three diagram-level members that differ by generation.
struct DiagramMembers {
  std::int32_t nodes;
  std::int32_t filterFlag;
  std::int32_t redrawSwitch;
};

class GraphonBinding : public LayoutDiagram {
 public:
  const DiagramMembers& members() const { return members_; }
  graphon::Diagram& diagram() const { return *diagram_; }

  bool filterFlag() override;
  void setRedraw(bool on) override;
  std::int32_t nodeCount() override;
  NodeRef node(std::int32_t index) override;
  float left(NodeRef node) override;
  float top(NodeRef node) override;
  float width(NodeRef node) override;
  float height(NodeRef node) override;
  void setLeft(NodeRef node, float value) override;
  void setTop(NodeRef node, float value) override;
  std::int32_t scratchNumber(NodeRef node) override;
  void setScratchNumber(NodeRef node, std::int32_t value) override;
  bool included(NodeRef node) override;
  std::int32_t inLinkCount(NodeRef node) override;
  LinkRef inLink(NodeRef node, std::int32_t index) override;
  std::int32_t outLinkCount(NodeRef node) override;
  LinkRef outLink(NodeRef node, std::int32_t index) override;
  NodeRef origin(LinkRef link) override;
  NodeRef destination(LinkRef link) override;
  bool included(LinkRef link) override;
  void setStyleNumber(LinkRef link, std::int32_t value) override;
  void resetRoute(LinkRef link) override;

 protected:
  GraphonBinding(graphon::Diagram& diagram, DiagramMembers members)
      : diagram_(&diagram), members_(members) {}

 private:
  graphon::Diagram* diagram_;
  DiagramMembers members_;
};

class Graphon4Binding final : public GraphonBinding {
 public:
  explicit Graphon4Binding(graphon::Diagram& diagram);
};

class Graphon3Binding final : public GraphonBinding {
 public:
  explicit Graphon3Binding(graphon::Diagram& diagram);
};

// Asks `control` for a generation 4 diagram, then for a generation 3 one.
// Returns null when it is neither (or null); the binding does not own the diagram.
std::unique_ptr<GraphonBinding> bindDiagram(graphon::Object* control);

}  // namespace orlix::treelayout
