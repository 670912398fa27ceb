#pragma once
// Where the items of a diagram lie, in twips: node outlines for the 16
// shapes, links clipped at the outlines of their nodes with their arrow heads,
// and the item under a point.
#include <cstdint>
#include <optional>

#include <QPainterPath>
#include <QPolygonF>
#include <QRectF>

#include "platform/graphon/diagram.h"

namespace orlix::graphon::view {

QRectF nodeRect(const Node& node);
// The outline of `shape` (0..15; others give a rectangle) inside `rect`.
QPainterPath shapePath(std::int32_t shape, const QRectF& rect);
QPainterPath nodeOutline(const Node& node);
// The part of a node of `shape` in `rect` that its text is fitted into: the
// largest plain rectangle the outline leaves (roughly, for the slanted ones).
QRectF textArea(std::int32_t shape, const QRectF& rect);
// The point inside the shape that links aim at: the centre, or for the right
// triangle (13), whose hypotenuse runs through the centre, its centroid.
QPointF shapeAnchor(std::int32_t shape, const QRectF& rect);

// A link's line from the origin's outline through its bend points to the
// destination's outline; a link of a node to itself is a small loop.
QPolygonF linkLine(const Link& link);
// The filled head at the end of `line`, sized for a pen of `width` line units.
QPolygonF arrowHead(const QPolygonF& line, std::int32_t width);
// The area a link covers, its head included, for hit tests and bounds.
QRectF linkBounds(const Link& link);

// The topmost node whose outline holds `point`; null when none.
Node* nodeAt(Diagram& diagram, QPointF point);
// The last link drawn within `tolerance` twips of `point`; null when none.
Link* linkAt(Diagram& diagram, QPointF point, double tolerance);

}  // namespace orlix::graphon::view
