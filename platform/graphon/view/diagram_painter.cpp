#include "platform/graphon/view/diagram_painter.h"

#include <algorithm>
#include <memory>
#include <vector>

#include <QFontMetricsF>
#include <QPainter>
#include <QTextLayout>
#include <QTextOption>

#include "platform/graphon/view/item_geometry.h"
#include "platform/graphon/view/item_style.h"
#include "platform/graphon/view/twips.h"

namespace orlix::graphon::view {
namespace {

constexpr double kTextInset = 45;      // twips between the outline and the text
constexpr double kTabStop = 360;       // a quarter inch
constexpr double kHandlePixels = 5;
constexpr double kSmallestText = 0.6;

bool isEdged(std::int32_t shape) { return shape >= 9 && shape <= 12; }

QColor blend(const QColor& a, const QColor& b, double towardB) {
  return QColor::fromRgbF(a.redF() + (b.redF() - a.redF()) * towardB, a.greenF() + (b.greenF() - a.greenF()) * towardB,
                          a.blueF() + (b.blueF() - a.blueF()) * towardB);
}

// One bevel line pair of an edged rectangle: top and left in `topLeft`,
// bottom and right in `bottomRight`.
void bevel(QPainter& painter, QPen pen, const QRectF& r, const QColor& topLeft, const QColor& bottomRight) {
  pen.setColor(topLeft);
  painter.setPen(pen);
  painter.drawPolyline(QPolygonF({r.bottomLeft(), r.topLeft(), r.topRight()}));
  pen.setColor(bottomRight);
  painter.setPen(pen);
  painter.drawPolyline(QPolygonF({r.topRight(), r.bottomRight(), r.bottomLeft()}));
}

// Shapes 9..12: a rectangle with a two-line 3D edge in the border's colour
// (shadow) and a pale mix of border and fill (light): bump, etched, raised, sunken.
void paintEdges(QPainter& painter, const Node& node, const QPen& pen, const QRectF& rect) {
  const QColor shadow = qColor(node.borderColor());
  const QColor light = blend(shadow, qColor(node.fillColor()), 0.75);
  const double w = pen.widthF();
  const QRectF outer = rect.adjusted(w / 2, w / 2, -w / 2, -w / 2);
  const QRectF inner = outer.adjusted(w, w, -w, -w);
  const bool outerRaised = node.shape() == 9 || node.shape() == 11;
  const bool innerRaised = node.shape() == 10 || node.shape() == 11;
  bevel(painter, pen, outer, outerRaised ? light : shadow, outerRaised ? shadow : light);
  bevel(painter, pen, inner, innerRaised ? light : shadow, innerRaised ? shadow : light);
}

// The node's text broken into lines across `width`, one layout per paragraph.
struct TextBlock {
  std::vector<std::unique_ptr<QTextLayout>> paragraphs;
  double height = 0;
};

TextBlock layoutText(const QStringList& paragraphs, const QFont& font, double width) {
  TextBlock block;
  QTextOption option(Qt::AlignHCenter);
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  option.setTabStopDistance(kTabStop);
  const double leading = QFontMetricsF(font).leading();
  for (const QString& text : paragraphs) {
    auto layout = std::make_unique<QTextLayout>(text, font);
    layout->setTextOption(option);
    layout->setCacheEnabled(true);
    layout->beginLayout();
    for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine()) {
      line.setLineWidth(width);
      line.setPosition(QPointF(0, block.height));
      block.height += line.height() + std::max(0.0, leading);
    }
    layout->endLayout();
    block.paragraphs.push_back(std::move(layout));
  }
  return block;
}

// Text centred in the node. Text too long for the box is drawn smaller, down
// to kSmallestText of its size, so a whole class distribution stays readable;
// beyond that it is cut at the bottom.
void paintText(QPainter& painter, const Node& node, const QRectF& rect) {
  if (node.text().empty()) return;
  QString text = QString::fromStdString(node.text());
  text.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
  if (text.endsWith(QLatin1Char('\n'))) text.chop(1);
  const QStringList paragraphs = text.split(QLatin1Char('\n'));
  const QRectF box =
      textArea(node.shape(), rect).adjusted(kTextInset, kTextInset / 3, -kTextInset, -kTextInset / 3);
  if (box.width() <= 0 || box.height() <= 0) return;
  QFont font = qFont(node.font());
  const int fullSize = font.pixelSize();
  TextBlock block = layoutText(paragraphs, font, box.width());
  for (double scale = 0.95; block.height > box.height() && scale >= kSmallestText - 1e-9; scale -= 0.05) {
    font.setPixelSize(std::max(1, static_cast<int>(fullSize * scale)));
    block = layoutText(paragraphs, font, box.width());
  }
  const double top = block.height <= box.height() ? box.top() + (box.height() - block.height) / 2 : box.top();
  painter.save();
  painter.setClipRect(box, Qt::IntersectClip);
  painter.setPen(Qt::black);
  for (const auto& layout : block.paragraphs) layout->draw(&painter, QPointF(box.left(), top));
  painter.restore();
}

void paintHandles(QPainter& painter, const QPolygonF& points, double twipsPerPixel) {
  const double size = kHandlePixels * twipsPerPixel;
  painter.save();
  painter.setPen(Qt::NoPen);
  painter.setBrush(Qt::black);
  for (const QPointF& p : points) painter.drawRect(QRectF(p.x() - size / 2, p.y() - size / 2, size, size));
  painter.restore();
}

void paintNodeHandles(QPainter& painter, const Node& node, double twipsPerPixel) {
  const QRectF r = nodeRect(node);
  const QPointF c = r.center();
  paintHandles(painter,
               QPolygonF({r.topLeft(), {c.x(), r.top()}, r.topRight(), {r.right(), c.y()}, r.bottomRight(),
                          {c.x(), r.bottom()}, r.bottomLeft(), {r.left(), c.y()}}),
               twipsPerPixel);
}

bool meets(const QRectF& area, const QRectF& exposed) { return exposed.isEmpty() || exposed.intersects(area); }

}  // namespace

void paintNode(QPainter& painter, const Node& node) {
  const QRectF rect = nodeRect(node);
  QPen pen = linePen(node.borderColor(), node.borderStyle(), node.borderWidth());
  QRectF outlineRect = rect;
  // An inside-solid border keeps its whole width within the node.
  if (node.borderStyle() == kLineInsideSolid) {
    const double half = pen.widthF() / 2;
    outlineRect = rect.adjusted(half, half, -half, -half);
  }
  painter.save();
  painter.setBrush(qColor(node.fillColor()));
  if (isEdged(node.shape())) {
    painter.setPen(Qt::NoPen);
    painter.drawRect(rect);
    if (pen.style() != Qt::NoPen) paintEdges(painter, node, pen, rect);
  } else {
    painter.setPen(pen);
    painter.drawPath(shapePath(node.shape(), outlineRect));
  }
  painter.restore();
  paintText(painter, node, rect);
}

void paintLink(QPainter& painter, const Link& link) {
  const QPen pen = linePen(link.color(), link.style(), link.width());
  if (pen.style() == Qt::NoPen) return;
  const QPolygonF line = linkLine(link);
  const QPolygonF head = arrowHead(line, link.width());
  painter.save();
  painter.setPen(pen);
  painter.setBrush(Qt::NoBrush);
  // The line stops where the head begins, so a wide line keeps the tip sharp.
  QPolygonF shaft = line;
  if (head.size() >= 3 && shaft.size() >= 2) shaft.back() = (head[1] + head[2]) / 2;
  painter.drawPolyline(shaft);
  painter.setPen(Qt::NoPen);
  painter.setBrush(qColor(link.color()));
  painter.drawPolygon(head);
  painter.restore();
}

void paintDiagram(QPainter& painter, const Diagram& diagram, const PaintOptions& options) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  for (const Link& link : diagram.links()) {
    if (options.selectedOnly && !link.selected()) continue;
    if (!meets(linkBounds(link), options.exposed)) continue;
    paintLink(painter, link);
    if (options.showSelection && link.selected()) {
      const QPolygonF line = linkLine(link);
      paintHandles(painter, QPolygonF({line.front(), line.back()}), options.twipsPerPixel);
    }
  }
  for (const Node& node : diagram.nodeItems()) {
    if (options.selectedOnly && !node.selected()) continue;
    const double pad = lineWidthTwips(node.borderWidth());
    if (!meets(nodeRect(node).adjusted(-pad, -pad, pad, pad), options.exposed)) continue;
    paintNode(painter, node);
    if (options.showSelection && node.selected()) paintNodeHandles(painter, node, options.twipsPerPixel);
  }
  painter.restore();
}

}  // namespace orlix::graphon::view
