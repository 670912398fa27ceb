#include "display/printing/margin_sketch.h"

#include <QPainter>

namespace orlix::display {
namespace {

constexpr int kEightAndAHalfInches = 12240;  // twips

}  // namespace

MarginSketch::MarginSketch(QWidget* parent) : QWidget(parent) { setMinimumSize(100, 130); }

void MarginSketch::setPage(QSize pageTwips) {
  if (pageTwips.width() > 0 && pageTwips.height() > 0) page_ = pageTwips;
  update();
}

void MarginSketch::setMargins(int left, int top, int right, int bottom) {
  left_ = left;
  top_ = top;
  right_ = right;
  bottom_ = bottom;
  update();
}

int MarginSketch::toPixels(int twips) const {
  return static_cast<int>(static_cast<long long>(twips) * (width() - 1) / kEightAndAHalfInches);
}

QRect MarginSketch::pageRect() const { return QRect(0, 0, toPixels(page_.width()), toPixels(page_.height())); }

QRect MarginSketch::marginRect() const {
  const QRect page = pageRect();
  return QRect(QPoint(toPixels(left_), toPixels(top_)),
               QPoint(page.right() - toPixels(right_), page.bottom() - toPixels(bottom_)));
}

void MarginSketch::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().window());
  const QRect page = pageRect();
  painter.fillRect(page, Qt::white);
  painter.setPen(Qt::black);
  painter.drawRect(page.adjusted(0, 0, -1, -1));
  const QRect margins = marginRect();
  if (margins.isValid()) {
    painter.setPen(QPen(Qt::darkGray, 1, Qt::DashLine));
    painter.drawRect(margins);
  }
}

}  // namespace orlix::display
