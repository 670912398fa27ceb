#pragma once
// A diagram's whole content as plain values: every node and link with every
// property, and the diagram's own settings. Savers capture it, loaders build
// one and restore it, and tests compare two of them property by property.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/graphon/diagram.h"

namespace orlix::graphon {

struct NodeState {
  float left = 0, top = 0, width = 0, height = 0;
  std::string text;
  std::string tipText;
  std::int32_t scratchNumber = 0;
  bool selected = false;
  Color fillColor = kWhite;
  Color borderColor = kBlack;
  Font font;
  std::int32_t borderWidth = 1;
  std::int32_t borderStyle = kLineSolid;
  std::int32_t shape = kShapeEllipse;
  bool included = true;
  bool flag49 = false;

  bool operator==(const NodeState&) const = default;
};

struct LinkState {
  std::int32_t from = 0;  // 0-based index of the origin among the nodes
  std::int32_t to = 0;    // 0-based index of the destination
  Color color = kBlack;
  bool selected = false;
  std::int32_t width = 1;
  std::int32_t style = kLineSolid;
  std::int32_t styleNumber = 0;
  std::vector<Point> points;
  bool included = true;

  bool operator==(const LinkState&) const = default;
};

struct DiagramState {
  bool filterFlag = false;
  ItemDefaults defaults;
  Permissions permissions;
  ViewOptions viewOptions;
  std::vector<NodeState> nodes;  // insertion order
  std::vector<LinkState> links;  // insertion order

  bool operator==(const DiagramState&) const = default;
};

DiagramState captureState(const Diagram& diagram);

// Checks every value of `state` first and throws std::invalid_argument naming
// the node or link and the property when one is bad; the diagram is then
// unchanged. Otherwise replaces the diagram's whole content with it (old node
// and link references become invalid) and repaints once.
void restoreState(Diagram& diagram, const DiagramState& state);

}  // namespace orlix::graphon
