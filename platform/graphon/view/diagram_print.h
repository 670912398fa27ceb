#pragma once
// The diagram's side of printing: it cuts its picture area into pages of the
// print rectangle at 100% (1440 twips to the inch of the device), numbered in
// reading order (left to right, then top to bottom), and draws one page, or
// the whole diagram shrunk to fit one page, into a painter.
#include <QRect>
#include <QRectF>
#include <QSizeF>

#include "diagramprint/print_record.h"
#include "platform/graphon/diagram.h"

class QPainter;

namespace orlix::graphon::view {

struct PageGrid {
  int columns = 0;
  int rows = 0;
  QRectF area;  // the picture area the pages cover, in twips
  int count() const { return columns * rows; }
};

// The pages needed to print `diagram` when one page holds `pageTwips` (the
// print rectangle in twips). At least one page, also for an empty diagram.
PageGrid pageGrid(const Diagram& diagram, QSizeF pageTwips);

// Draws page `page` (1-based, reading order) inside `printRect`, in device
// units of the painter's device, clipped to it; adjacent pages meet exactly,
// so nothing is lost or drawn twice at the seams. Returns false for a page
// outside the grid (nothing drawn).
bool drawPage(QPainter& painter, const Diagram& diagram, const QRect& printRect, int page);
// Draws the whole diagram at its top left corner of `printRect`, shrunk to
// fit when it is larger (never enlarged).
void drawFitted(QPainter& painter, const Diagram& diagram, const QRect& printRect);

// The print messages of the print control, answered for one diagram. The
// record's rectangles are in device units of the record's painter; when the
// painter is null (pagination only) they are taken as twips.
class DiagramPrintTarget : public diagramprint::PrintMessageTarget {
 public:
  explicit DiagramPrintTarget(const Diagram& diagram) : diagram_(&diagram) {}
  long printMessage(unsigned message, diagramprint::PrintRecord& record) override;

 private:
  const Diagram* diagram_;
};

}  // namespace orlix::graphon::view
