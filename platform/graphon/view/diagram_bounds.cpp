#include "platform/graphon/view/diagram_bounds.h"

#include "platform/graphon/view/item_geometry.h"
#include "platform/graphon/view/item_style.h"
#include "platform/graphon/view/twips.h"

namespace orlix::graphon::view {

QRectF diagramBounds(const Diagram& diagram, bool selectedOnly) {
  QRectF bounds;
  for (const Node& node : diagram.nodeItems()) {
    if (selectedOnly && !node.selected()) continue;
    const double pad = node.borderStyle() == kLineTransparent ? 0 : lineWidthTwips(node.borderWidth()) / 2;
    bounds = bounds.united(nodeRect(node).adjusted(-pad, -pad, pad, pad));
  }
  for (const Link& link : diagram.links()) {
    if (selectedOnly && !link.selected()) continue;
    if (link.style() == kLineTransparent) continue;
    bounds = bounds.united(linkBounds(link));
  }
  return bounds;
}

QRectF pictureArea(const Diagram& diagram, bool selectedOnly) {
  const QRectF bounds = diagramBounds(diagram, selectedOnly);
  const double m = kPictureMarginTwips;
  if (bounds.isNull()) return QRectF(0, 0, 2 * m, 2 * m);
  return bounds.adjusted(-m, -m, m, m);
}

}  // namespace orlix::graphon::view
