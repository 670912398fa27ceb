#pragma once
// The area a diagram's drawing covers, in twips: what pictures, pages and
// scroll ranges are sized to.
#include <QRectF>

#include "platform/graphon/diagram.h"

namespace orlix::graphon::view {

// The union of every node (its border included) and every link (its head
// included); only the selected items with `selectedOnly`. Null when nothing is drawn.
QRectF diagramBounds(const Diagram& diagram, bool selectedOnly = false);

// The bounds with the picture margin around them; an empty diagram gives a
// blank square of twice the margin at the origin.
QRectF pictureArea(const Diagram& diagram, bool selectedOnly = false);

}  // namespace orlix::graphon::view
