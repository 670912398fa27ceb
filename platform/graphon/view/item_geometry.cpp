#include "platform/graphon/view/item_geometry.h"

#include <algorithm>
#include <cmath>

#include <QLineF>
#include <QPainterPathStroker>

#include "platform/graphon/view/item_style.h"

namespace orlix::graphon::view {
namespace {

QPolygonF polygon(std::initializer_list<QPointF> points) {
  QPolygonF p(points);
  p << p.front();
  return p;
}

// The point where the way from `inside` (within the outline) to `outside`
// crosses the outline; every shape is convex, so halving finds it.
QPointF boundaryPoint(const QPainterPath& outline, QPointF inside, QPointF outside) {
  if (!outline.contains(inside) || outline.contains(outside)) return inside;
  for (int i = 0; i < 24; ++i) {
    const QPointF middle = (inside + outside) / 2;
    (outline.contains(middle) ? inside : outside) = middle;
  }
  return outside;
}

constexpr double kLoopRadius = 180.0;

}  // namespace

QRectF nodeRect(const Node& node) { return QRectF(node.left(), node.top(), node.width(), node.height()); }

QPainterPath shapePath(std::int32_t shape, const QRectF& r) {
  QPainterPath path;
  const double l = r.left(), t = r.top(), w = r.width(), h = r.height();
  const double rt = r.right(), b = r.bottom(), cx = r.center().x(), cy = r.center().y();
  switch (shape) {
    case 0: path.addEllipse(r); break;
    case 2: {
      const double radius = std::min(w, h) * 0.2;
      path.addRoundedRect(r, radius, radius);
      break;
    }
    case 3: path.addPolygon(polygon({{cx, t}, {rt, cy}, {cx, b}, {l, cy}})); break;
    case 4: path.addPolygon(polygon({{cx, t}, {rt, b}, {l, b}})); break;
    case 5: path.addPolygon(polygon({{l, t}, {rt, t}, {cx, b}})); break;
    case 6: path.addPolygon(polygon({{l, t}, {rt, cy}, {l, b}})); break;
    case 7: path.addPolygon(polygon({{rt, t}, {rt, b}, {l, cy}})); break;
    case 8: {
      const double cut = std::min(w / 4, h / 2);
      path.addPolygon(polygon({{l + cut, t}, {rt - cut, t}, {rt, cy}, {rt - cut, b}, {l + cut, b}, {l, cy}}));
      break;
    }
    case 13: path.addPolygon(polygon({{l, t}, {rt, b}, {l, b}})); break;
    case 14: {
      const double shoulder = t + h * 0.38, inset = w * 0.19;
      path.addPolygon(polygon({{cx, t}, {rt, shoulder}, {rt - inset, b}, {l + inset, b}, {l, shoulder}}));
      break;
    }
    case 15: {
      const double cut = std::min(w, h) * 0.29;
      path.addPolygon(polygon({{l + cut, t}, {rt - cut, t}, {rt, t + cut}, {rt, b - cut}, {rt - cut, b},
                               {l + cut, b}, {l, b - cut}, {l, t + cut}}));
      break;
    }
    default: path.addRect(r); break;  // 1 and the edged rectangles 9..12
  }
  return path;
}

QPainterPath nodeOutline(const Node& node) { return shapePath(node.shape(), nodeRect(node)); }

QRectF textArea(std::int32_t shape, const QRectF& r) {
  const double w = r.width(), h = r.height();
  // Fractions of the width and height cut off at the left, top, right and bottom.
  const auto part = [&](double left, double top, double right, double bottom) {
    return QRectF(r.left() + w * left, r.top() + h * top, w * (1 - left - right), h * (1 - top - bottom));
  };
  switch (shape) {
    case 0: return part(0.146, 0.146, 0.146, 0.146);  // the ellipse's inscribed rectangle
    case 3: return part(0.25, 0.25, 0.25, 0.25);
    case 4: return part(0.25, 0.5, 0.25, 0);
    case 5: return part(0.25, 0, 0.25, 0.5);
    case 6: return part(0, 0.25, 0.5, 0.25);
    case 7: return part(0.5, 0.25, 0, 0.25);
    case 8: {
      const double cut = std::min(w / 4, h / 2) / 2 / w;
      return part(cut, 0, cut, 0);
    }
    case 13: return part(0, 0.5, 0.5, 0);
    case 14: return part(0.12, 0.3, 0.12, 0);
    case 15: {
      const double cut = std::min(w, h) * 0.29 / 2;
      return r.adjusted(cut, cut / 2, -cut, -cut / 2);
    }
    default: return r;
  }
}

QPointF shapeAnchor(std::int32_t shape, const QRectF& rect) {
  if (shape == 13) return QPointF(rect.left() + rect.width() / 3, rect.top() + rect.height() * 2 / 3);
  return rect.center();
}

QPolygonF linkLine(const Link& link) {
  const Node& from = link.origin();
  const Node& to = link.destination();
  const QRectF fromRect = nodeRect(from);
  if (&from == &to && link.points().count() == 0) {
    // A loop over the top right corner, leaving and entering the outline.
    const QPointF corner = fromRect.topRight();
    QPolygonF loop;
    for (int step = 0; step <= 24; ++step) {
      // From the top edge, up and round, back in through the right edge.
      const double angle = M_PI - 1.5 * M_PI * step / 24.0;
      loop << corner + QPointF(kLoopRadius * std::cos(angle), -kLoopRadius * std::sin(angle));
    }
    return loop;
  }
  QPolygonF line;
  line << shapeAnchor(from.shape(), fromRect);
  for (const Point& p : link.points().items()) line << QPointF(p.x, p.y);
  line << shapeAnchor(to.shape(), nodeRect(to));
  line.front() = boundaryPoint(nodeOutline(from), line[0], line[1]);
  const qsizetype last = line.size() - 1;
  line[last] = boundaryPoint(nodeOutline(to), line[last], line[last - 1]);
  return line;
}

QPolygonF arrowHead(const QPolygonF& line, std::int32_t width) {
  if (line.size() < 2) return {};
  const QPointF tip = line.back();
  QLineF back(tip, line[line.size() - 2]);
  if (back.length() <= 0) return {};
  const double length = std::max(150.0, lineWidthTwips(width) * 4);
  back.setLength(length);
  const QPointF base = back.p2();
  QLineF side(base, tip);
  side = side.normalVector();
  side.setLength(length * 0.35);
  const QPointF offset = side.p2() - side.p1();
  return QPolygonF({tip, base + offset, base - offset, tip});
}

QRectF linkBounds(const Link& link) {
  const QPolygonF line = linkLine(link);
  const double pad = lineWidthTwips(link.width()) / 2;
  return line.boundingRect().united(arrowHead(line, link.width()).boundingRect()).adjusted(-pad, -pad, pad, pad);
}

Node* nodeAt(Diagram& diagram, QPointF point) {
  Node* found = nullptr;
  for (Node& node : diagram.nodes())
    if (nodeRect(node).contains(point) && nodeOutline(node).contains(point)) found = &node;
  return found;
}

Link* linkAt(Diagram& diagram, QPointF point, double tolerance) {
  Link* found = nullptr;
  QPainterPathStroker stroker;
  stroker.setWidth(tolerance * 2);
  for (Link& link : diagram.links()) {
    if (!linkBounds(link).adjusted(-tolerance, -tolerance, tolerance, tolerance).contains(point)) continue;
    QPainterPath path;
    path.addPolygon(linkLine(link));
    if (stroker.createStroke(path).contains(point) ||
        arrowHead(linkLine(link), link.width()).containsPoint(point, Qt::OddEvenFill))
      found = &link;
  }
  return found;
}

}  // namespace orlix::graphon::view
