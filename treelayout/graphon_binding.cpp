#include "treelayout/graphon_binding.h"

#include "platform/graphon/graphon_ids.h"

namespace orlix::treelayout {
namespace {

graphon::Node& asNode(NodeRef node) { return *reinterpret_cast<graphon::Node*>(node); }
graphon::Link& asLink(LinkRef link) { return *reinterpret_cast<graphon::Link*>(link); }
NodeRef refOf(graphon::Node& node) { return reinterpret_cast<NodeRef>(&node); }
LinkRef refOf(graphon::Link& link) { return reinterpret_cast<LinkRef>(&link); }

}  // namespace

bool GraphonBinding::filterFlag() { return diagram_->filterFlag(); }
void GraphonBinding::setRedraw(bool on) { diagram_->setRedraw(on); }
std::int32_t GraphonBinding::nodeCount() { return diagram_->nodes().count(); }
NodeRef GraphonBinding::node(std::int32_t index) { return refOf(diagram_->nodes().item(index)); }

float GraphonBinding::left(NodeRef node) { return asNode(node).left(); }
float GraphonBinding::top(NodeRef node) { return asNode(node).top(); }
float GraphonBinding::width(NodeRef node) { return asNode(node).width(); }
float GraphonBinding::height(NodeRef node) { return asNode(node).height(); }
void GraphonBinding::setLeft(NodeRef node, float value) { asNode(node).setLeft(value); }
void GraphonBinding::setTop(NodeRef node, float value) { asNode(node).setTop(value); }
std::int32_t GraphonBinding::scratchNumber(NodeRef node) { return asNode(node).scratchNumber(); }
void GraphonBinding::setScratchNumber(NodeRef node, std::int32_t value) {
  asNode(node).setScratchNumber(value);
}
bool GraphonBinding::included(NodeRef node) { return asNode(node).included(); }
std::int32_t GraphonBinding::inLinkCount(NodeRef node) { return asNode(node).inLinks().count(); }
LinkRef GraphonBinding::inLink(NodeRef node, std::int32_t index) {
  return refOf(asNode(node).inLinks().item(index));
}
std::int32_t GraphonBinding::outLinkCount(NodeRef node) { return asNode(node).outLinks().count(); }
LinkRef GraphonBinding::outLink(NodeRef node, std::int32_t index) {
  return refOf(asNode(node).outLinks().item(index));
}

NodeRef GraphonBinding::origin(LinkRef link) { return refOf(asLink(link).origin()); }
NodeRef GraphonBinding::destination(LinkRef link) { return refOf(asLink(link).destination()); }
bool GraphonBinding::included(LinkRef link) { return asLink(link).included(); }
void GraphonBinding::setStyleNumber(LinkRef link, std::int32_t value) {
  asLink(link).setStyleNumber(value);
}
void GraphonBinding::resetRoute(LinkRef link) { asLink(link).points().clear(); }

Graphon4Binding::Graphon4Binding(graphon::Diagram& diagram)
    : GraphonBinding(diagram, {graphon::dispid::generation4::Nodes,
                               graphon::dispid::generation4::FilterFlag,
                               graphon::dispid::generation4::RedrawSwitch}) {}

Graphon3Binding::Graphon3Binding(graphon::Diagram& diagram)
    : GraphonBinding(diagram, {graphon::dispid::generation3::Nodes,
                               graphon::dispid::generation3::FilterFlag,
                               graphon::dispid::generation3::RedrawSwitch}) {}

std::unique_ptr<GraphonBinding> bindDiagram(graphon::Object* control) {
  auto* diagram = dynamic_cast<graphon::Diagram*>(control);
  if (diagram == nullptr) return nullptr;
  if (diagram->generation() == graphon::Generation::Four)
    return std::make_unique<Graphon4Binding>(*diagram);
  return std::make_unique<Graphon3Binding>(*diagram);
}

}  // namespace orlix::treelayout
