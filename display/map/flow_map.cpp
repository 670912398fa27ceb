#include "display/map/flow_map.h"

#include <stdexcept>

#include "display/map/ordered_property_bag.h"
#include "platform/graphon/diagram_state.h"
#include "platform/graphon/view/diagram_file.h"
#include "platform/graphon/view/diagram_file_error.h"
#include "platform/graphon/view/diagram_picture.h"
#include "treelayout/control_error.h"

namespace orlix::display {
namespace {

constexpr const char* kControlOwner = "OrlFlowControl";
constexpr const char* kLayoutOwner = "TierioCtrl";

using graphon::view::DiagramFile;
using graphon::view::DiagramFileError;

const graphon::view::PropertySection* sectionOf(const DiagramFile& file, const char* owner) {
  for (const auto& section : file.sections)
    if (section.owner == owner) return &section;
  return nullptr;
}

}  // namespace

FlowMap::FlowMap() { InitProperties(); }

FlowPropertyTargets FlowMap::targets() { return {diagram_, layout_, own_, toolTipText_}; }

void FlowMap::Layout() { layout_.Layout(&diagram_); }

void FlowMap::orient(int orientation) {
  diagram_.refresh();
  try {
    layout_.SetOrientation(orientation);
    Layout();
  } catch (const treelayout::ControlError&) {
    // The menu's orientation commands leave the map as it is on any error.
  }
}

void FlowMap::InitProperties() {
  initFlowProperties(targets());
  layout_.ResetProperties();
}

void FlowMap::Save(treelayout::PropertyBag& bag) const {
  saveFlowProperties(diagram_, layout_, own_, toolTipText_, bag);
}

void FlowMap::Load(const treelayout::PropertyBag& bag) { loadFlowProperties(targets(), bag); }

DiagramFile FlowMap::fileContent() const {
  DiagramFile file;
  OrderedPropertyBag control, layout;
  Save(control);
  layout_.Save(layout);
  file.sections = {control.section(kControlOwner), layout.section(kLayoutOwner)};
  file.diagram = graphon::captureState(diagram_);
  return file;
}

QByteArray FlowMap::SaveMemory() const { return graphon::view::diagramFileBytes(fileContent()); }

void FlowMap::SaveFile(const QString& fileName) const { graphon::view::writeDiagramFile(fileName, fileContent()); }

void FlowMap::apply(const DiagramFile& file, const QString& name) {
  const auto applyTo = [&file](FlowMap& map) {
    graphon::restoreState(map.diagram_, file.diagram);
    if (const auto* control = sectionOf(file, kControlOwner)) map.Load(OrderedPropertyBag::fromSection(*control));
    if (const auto* layout = sectionOf(file, kLayoutOwner))
      map.layout_.Load(OrderedPropertyBag::fromSection(*layout));
  };
  try {
    FlowMap trial;  // a bad property is found here and leaves this map untouched
    applyTo(trial);
  } catch (const std::exception& e) {
    throw DiagramFileError("The file \"" + name.toStdString() + "\" is not a readable diagram file: " + e.what());
  }
  applyTo(*this);
}

void FlowMap::LoadMemory(const QByteArray& bytes, const QString& name) {
  apply(graphon::view::parseDiagramFile(bytes, name), name);
}

void FlowMap::LoadFile(const QString& fileName) { apply(graphon::view::readDiagramFile(fileName), fileName); }

QImage FlowMap::ExportPicture(int itemSet, bool includeBackColor) const {
  graphon::view::PictureOptions options;
  options.selectedOnly = itemSet == SelectedItems;
  options.withBackground = includeBackColor;
  return graphon::view::renderImage(diagram_, options);
}

void FlowMap::SaveImage(const QString& fileName) const { graphon::view::savePicture(diagram_, fileName); }

void FlowMap::selectAllNodes() {
  const graphon::RedrawPause pause(diagram_);
  for (graphon::Node& node : diagram_.nodes()) node.setSelected(true);
}

void FlowMap::invertSelectedNodes() {
  const graphon::RedrawPause pause(diagram_);
  for (graphon::Node& node : diagram_.nodes()) node.setSelected(!node.selected());
}

void FlowMap::selectAllConnections() {
  const graphon::RedrawPause pause(diagram_);
  for (graphon::Node& node : diagram_.nodes())
    for (graphon::Link& link : node.attachedLinks()) link.setSelected(true);
}

// Every link once, though it is attached to both of its nodes.
void FlowMap::invertSelectedConnections() {
  const graphon::RedrawPause pause(diagram_);
  for (graphon::Link& link : diagram_.links()) link.setSelected(!link.selected());
}

void FlowMap::invertSelection() {
  const graphon::RedrawPause pause(diagram_);
  for (graphon::Node& node : diagram_.nodes()) node.setSelected(!node.selected());
  for (graphon::Link& link : diagram_.links()) link.setSelected(!link.selected());
}

}  // namespace orlix::display
