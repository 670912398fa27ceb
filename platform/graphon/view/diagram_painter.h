#pragma once
// Drawing a diagram with a QPainter whose units are twips (the caller sets
// the transform from twips to its device): links as arrows first, then the
// nodes with their shapes, borders and text.
#include <QRectF>

#include "platform/graphon/diagram.h"

class QPainter;

namespace orlix::graphon::view {

struct PaintOptions {
  bool selectedOnly = false;   // draw only the selected items (a picture of the selection)
  bool showSelection = false;  // mark selected items with handles, as the screen shows them
  double twipsPerPixel = 15;   // the device's pixel in twips: sizes the selection handles
  QRectF exposed;              // only items meeting this area are drawn; empty: all
};

void paintDiagram(QPainter& painter, const Diagram& diagram, const PaintOptions& options = {});
void paintNode(QPainter& painter, const Node& node);
void paintLink(QPainter& painter, const Link& link);

}  // namespace orlix::graphon::view
