#include "platform/graphon/view/diagram_print.h"

#include <algorithm>
#include <cmath>

#include <QPaintDevice>
#include <QPainter>

#include "platform/graphon/view/diagram_bounds.h"
#include "platform/graphon/view/diagram_painter.h"
#include "platform/graphon/view/twips.h"

namespace orlix::graphon::view {
namespace {

// Device units per twip on each axis of the painter's device; 1 (the record
// is in twips) without a painter.
QSizeF unitsPerTwip(const QPainter* painter) {
  if (!painter || !painter->device()) return QSizeF(1, 1);
  const QPaintDevice& device = *painter->device();
  return QSizeF(deviceUnitsPerTwip(device.logicalDpiX()), deviceUnitsPerTwip(device.logicalDpiY()));
}

int pagesFor(double length, double page) {
  if (page <= 0) return 1;
  return std::max(1, static_cast<int>(std::ceil(length / page - 1e-9)));
}

void paintScaled(QPainter& painter, const Diagram& diagram, const QRectF& area, double sx, double sy) {
  painter.scale(sx, sy);
  painter.translate(-area.topLeft());
  PaintOptions options;
  options.exposed = area;
  paintDiagram(painter, diagram, options);
}

}  // namespace

PageGrid pageGrid(const Diagram& diagram, QSizeF pageTwips) {
  PageGrid grid;
  grid.area = pictureArea(diagram);
  grid.columns = pagesFor(grid.area.width(), pageTwips.width());
  grid.rows = pagesFor(grid.area.height(), pageTwips.height());
  return grid;
}

bool drawPage(QPainter& painter, const Diagram& diagram, const QRect& printRect, int page) {
  const QSizeF units = unitsPerTwip(&painter);
  const PageGrid grid =
      pageGrid(diagram, QSizeF(printRect.width() / units.width(), printRect.height() / units.height()));
  if (page < 1 || page > grid.count() || printRect.isEmpty()) return false;
  const int column = (page - 1) % grid.columns;
  const int row = (page - 1) / grid.columns;
  painter.save();
  painter.setClipRect(printRect, Qt::IntersectClip);
  // Whole device units per page, so page k + 1 starts where page k ends.
  painter.translate(printRect.left() - double(column) * printRect.width(),
                    printRect.top() - double(row) * printRect.height());
  QRectF visible(grid.area.left() + column * printRect.width() / units.width(),
                 grid.area.top() + row * printRect.height() / units.height(), printRect.width() / units.width(),
                 printRect.height() / units.height());
  painter.scale(units.width(), units.height());
  painter.translate(-grid.area.topLeft());
  PaintOptions options;
  options.exposed = visible;
  paintDiagram(painter, diagram, options);
  painter.restore();
  return true;
}

void drawFitted(QPainter& painter, const Diagram& diagram, const QRect& printRect) {
  const QSizeF units = unitsPerTwip(&painter);
  const QRectF area = pictureArea(diagram);
  const double fit = std::min({1.0, printRect.width() / (area.width() * units.width()),
                               printRect.height() / (area.height() * units.height())});
  painter.save();
  painter.setClipRect(printRect, Qt::IntersectClip);
  painter.translate(printRect.topLeft());
  paintScaled(painter, diagram, area, units.width() * fit, units.height() * fit);
  painter.restore();
}

long DiagramPrintTarget::printMessage(unsigned message, diagramprint::PrintRecord& record) {
  if (message == diagramprint::kPrintFitMessage) {
    record.horzPageCount = 1;
    record.vertPageCount = 1;
    if (record.page >= 1 && record.painter) drawFitted(*record.painter, *diagram_, record.printRect);
    return 1;
  }
  if (message != diagramprint::kPrintPageMessage) return 0;
  if (record.page == 0) {
    const QSizeF units = unitsPerTwip(record.painter);
    const PageGrid grid = pageGrid(*diagram_, QSizeF(record.printRect.width() / units.width(),
                                                      record.printRect.height() / units.height()));
    record.horzPageCount = grid.columns;
    record.vertPageCount = grid.rows;
    return grid.count();
  }
  if (!record.painter) return 0;
  return drawPage(*record.painter, *diagram_, record.printRect, record.page) ? 1 : 0;
}

}  // namespace orlix::graphon::view
