#include "display/orientation_sketch.h"

#include <QPainter>

namespace orlix::display {

OrientationSketch::OrientationSketch(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("frNorth"));
  setMinimumSize(60, 60);
}

void OrientationSketch::setOrientation(int orientation) {
  orientation_ = orientation;
  update();
}

void OrientationSketch::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.fillRect(rect(), palette().base());
  painter.setPen(palette().mid().color());
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
  // North drawn in a 60 × 60 box, turned clockwise by 90° per step like the layout.
  const double side = std::min(width(), height()) - 8;
  painter.translate(width() / 2.0, height() / 2.0);
  painter.rotate(90.0 * (orientation_ == 1 ? 1 : orientation_ == 2 ? 2 : orientation_ == 3 ? 3 : 0));
  painter.scale(side / 60, side / 60);
  const QRectF root(-10, -26, 20, 12), left(-28, 14, 20, 12), right(8, 14, 20, 12);
  painter.setPen(QPen(palette().text().color(), 1.2));
  painter.drawLine(QPointF(0, -14), QPointF(-18, 14));
  painter.drawLine(QPointF(0, -14), QPointF(18, 14));
  painter.setBrush(QColor(0xB3, 0xD4, 0xF5));
  painter.drawRect(root);
  painter.setBrush(palette().base());
  painter.drawRect(left);
  painter.drawRect(right);
}

}  // namespace orlix::display
