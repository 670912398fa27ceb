#include "tests/diagramprint/support/fake_diagram.h"

#include <QPaintDevice>
#include <QPainter>
#include <algorithm>

namespace orlix::test {
namespace {

using diagramprint::kPrintFitMessage;
using diagramprint::kPrintPageMessage;
using diagramprint::PrintRecord;

// The print rectangle in twips, from the painter's device resolution.
QSize areaTwips(const PrintRecord& record) {
  const int dpiX = record.painter->device()->logicalDpiX();
  const int dpiY = record.painter->device()->logicalDpiY();
  return {record.printRect.width() * 1440 / dpiX, record.printRect.height() * 1440 / dpiY};
}

int pagesFor(int extent, int area) { return area <= 0 ? 0 : std::max(1, (extent + area - 1) / area); }

}  // namespace

FakeDiagram::FakeDiagram(std::vector<QRect> boxes) : boxes_(std::move(boxes)) {
  extent_ = QRect(0, 0, 1, 1);
  for (const QRect& box : boxes_)
    extent_ = extent_.united(QRect(0, 0, box.right() + 200, box.bottom() + 200));
}

FakeDiagram FakeDiagram::grid(int count, int perRow) {
  std::vector<QRect> boxes;
  for (int i = 0; i < count; ++i)
    boxes.emplace_back(200 + (i % perRow) * 2400, 200 + (i / perRow) * 1500, 1800, 900);
  return FakeDiagram(std::move(boxes));
}

int FakeDiagram::pageOf(int box, int printWidthTwips, int printHeightTwips) const {
  const int across = pagesFor(extent_.width(), printWidthTwips);
  const QRect& rect = boxes_.at(static_cast<size_t>(box));
  return (rect.top() / printHeightTwips) * across + rect.left() / printWidthTwips + 1;
}

long FakeDiagram::printMessage(unsigned message, PrintRecord& record) {
  Call call{message, record.page, record.printRect, record.pageRect, record.painter != nullptr,
            record.painter ? record.painter->device()->logicalDpiX() : 0};
  calls.push_back(call);
  if (!record.painter) return 0;
  if (message == kPrintFitMessage) {
    if (record.page == 0) {
      record.horzPageCount = record.vertPageCount = 1;
      return 1;
    }
    drawFitted(record);
    return 1;
  }
  if (message != kPrintPageMessage) return 0;
  const QSize area = areaTwips(record);
  const int across = pagesFor(extent_.width(), area.width());
  const int down = pagesFor(extent_.height(), area.height());
  if (record.page == 0) {
    record.horzPageCount = across;
    record.vertPageCount = down;
    return across * down;
  }
  if (record.page > across * down) return 0;
  drawPage(record, (record.page - 1) % across, (record.page - 1) / across,
           QRect(QPoint(0, 0), area));
  return 1;
}

void FakeDiagram::drawPage(PrintRecord& record, int column, int row, QRect area) {
  QPainter& painter = *record.painter;
  painter.save();
  painter.setClipRect(record.printRect);
  painter.translate(record.printRect.topLeft());
  painter.scale(painter.device()->logicalDpiX() / 1440.0, painter.device()->logicalDpiY() / 1440.0);
  painter.translate(-column * area.width(), -row * area.height());
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(200);
  painter.setFont(font);
  painter.setPen(Qt::black);
  for (size_t i = 0; i < boxes_.size(); ++i) {
    const QRect& box = boxes_[i];
    const QRect visible(column * area.width(), row * area.height(), area.width(), area.height());
    if (!visible.intersects(box)) continue;
    painter.drawRect(box);
    painter.drawText(box, Qt::AlignCenter, QStringLiteral("Node %1").arg(i + 1));
  }
  painter.restore();
}

void FakeDiagram::drawFitted(PrintRecord& record) {
  QPainter& painter = *record.painter;
  const QSize area = areaTwips(record);
  const double scale = std::min(area.width() / static_cast<double>(extent_.width()),
                                area.height() / static_cast<double>(extent_.height()));
  painter.save();
  painter.translate(record.printRect.topLeft());
  painter.scale(painter.device()->logicalDpiX() / 1440.0 * scale,
                painter.device()->logicalDpiY() / 1440.0 * scale);
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(200);
  painter.setFont(font);
  for (size_t i = 0; i < boxes_.size(); ++i) {
    painter.drawRect(boxes_[i]);
    painter.drawText(boxes_[i], Qt::AlignCenter, QStringLiteral("Node %1").arg(i + 1));
  }
  painter.restore();
}

}  // namespace orlix::test
