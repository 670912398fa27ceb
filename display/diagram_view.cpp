#include "display/diagram_view.h"

#include <algorithm>
#include <cmath>

#include <QApplication>
#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QRubberBand>
#include <QScrollBar>
#include <QToolTip>
#include <QWheelEvent>

#include "platform/graphon/view/diagram_bounds.h"
#include "platform/graphon/view/diagram_painter.h"
#include "platform/graphon/view/item_geometry.h"
#include "platform/graphon/view/twips.h"

namespace orlix::display {
namespace {

constexpr double kMinZoom = 0.1;
constexpr double kMaxZoom = 8.0;
constexpr double kZoomStep = 1.25;
constexpr int kHitPixels = 4;

int buttonValue(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton: return 1;
    case Qt::RightButton: return 2;
    case Qt::MiddleButton: return 4;
    default: return 0;
  }
}

int shiftValue(Qt::KeyboardModifiers modifiers) {
  return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0) |
         (modifiers & Qt::AltModifier ? 4 : 0);
}

}  // namespace

DiagramView::DiagramView(graphon::Diagram& diagram, QWidget* parent)
    : QAbstractScrollArea(parent), diagram_(&diagram), printTarget_(diagram) {
  setObjectName(QStringLiteral("Graphon1"));
  viewport()->setMouseTracking(false);
  viewport()->setAutoFillBackground(false);
  setFocusPolicy(Qt::StrongFocus);
  band_ = new QRubberBand(QRubberBand::Rectangle, viewport());
  band_->hide();
  diagram_->setRepaintHandler([this] { diagramChanged(); });
  updateScrollBars();
}

DiagramView::~DiagramView() { diagram_->setRepaintHandler({}); }

long DiagramView::printMessage(unsigned message, diagramprint::PrintRecord& record) {
  return printTarget_.printMessage(message, record);
}

QSizeF DiagramView::pixelsPerTwip() const {
  return QSizeF(graphon::view::deviceUnitsPerTwip(logicalDpiX()) * zoom_,
                graphon::view::deviceUnitsPerTwip(logicalDpiY()) * zoom_);
}

// The drawing's area, reaching back to the diagram's origin so a laid-out map
// keeps its margin at the top left.
QRectF DiagramView::sceneRect() const {
  const QRectF area = graphon::view::pictureArea(*diagram_);
  return QRectF(QPointF(std::min(0.0, area.left()), std::min(0.0, area.top())), area.bottomRight());
}

QPointF DiagramView::toTwips(QPoint p) const {
  const QSizeF scale = pixelsPerTwip();
  const QRectF scene = sceneRect();
  return QPointF((p.x() + horizontalScrollBar()->value()) / scale.width() + scene.left(),
                 (p.y() + verticalScrollBar()->value()) / scale.height() + scene.top());
}

QPoint DiagramView::toViewport(QPointF t) const {
  const QSizeF scale = pixelsPerTwip();
  const QRectF scene = sceneRect();
  return QPoint(static_cast<int>(std::lround((t.x() - scene.left()) * scale.width())) - horizontalScrollBar()->value(),
                static_cast<int>(std::lround((t.y() - scene.top()) * scale.height())) - verticalScrollBar()->value());
}

void DiagramView::updateScrollBars() {
  // ScrollBars: 0 none, 1 horizontal, 2 vertical, 3 both.
  const int bars = diagram_->viewOptions().scrollBars;
  const Qt::ScrollBarPolicy across = bars == 1 || bars == 3 ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff;
  const Qt::ScrollBarPolicy down = bars == 2 || bars == 3 ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff;
  if (horizontalScrollBarPolicy() != across) setHorizontalScrollBarPolicy(across);
  if (verticalScrollBarPolicy() != down) setVerticalScrollBarPolicy(down);
  const QSizeF scale = pixelsPerTwip();
  const QRectF scene = sceneRect();
  const int width = static_cast<int>(std::ceil(scene.width() * scale.width()));
  const int height = static_cast<int>(std::ceil(scene.height() * scale.height()));
  // A drawing that fits the window without bars needs none, whatever bars show now.
  const QSize whole = maximumViewportSize();
  const QSize view = width <= whole.width() && height <= whole.height() ? whole : viewport()->size();
  horizontalScrollBar()->setRange(0, std::max(0, width - view.width()));
  horizontalScrollBar()->setPageStep(view.width());
  horizontalScrollBar()->setSingleStep(std::max(1, view.width() / 20));
  verticalScrollBar()->setRange(0, std::max(0, height - view.height()));
  verticalScrollBar()->setPageStep(view.height());
  verticalScrollBar()->setSingleStep(std::max(1, view.height() / 20));
}

void DiagramView::diagramChanged() {
  ++repaintRequests_;
  updateScrollBars();
  viewport()->update();
}

void DiagramView::setZoom(double zoom) {
  zoom_ = std::clamp(zoom, kMinZoom, kMaxZoom);
  updateScrollBars();
  viewport()->update();
}

void DiagramView::zoomIn() { zoomAround(zoom_ * kZoomStep, viewport()->rect().center()); }
void DiagramView::zoomOut() { zoomAround(zoom_ / kZoomStep, viewport()->rect().center()); }

void DiagramView::fitToWindow() {
  const QRectF scene = sceneRect();
  const double x = graphon::view::deviceUnitsPerTwip(logicalDpiX());
  const double y = graphon::view::deviceUnitsPerTwip(logicalDpiY());
  // A pixel short of the window, so rounding up never asks for a scroll bar.
  const QSize view = maximumViewportSize() - QSize(1, 1);
  setZoom(std::min({1.0, view.width() / (scene.width() * x), view.height() / (scene.height() * y)}));
}

void DiagramView::zoomAround(double zoom, QPoint viewportPoint) {
  const QPointF fixed = toTwips(viewportPoint);
  setZoom(zoom);
  const QSizeF scale = pixelsPerTwip();
  const QRectF scene = sceneRect();
  horizontalScrollBar()->setValue(
      static_cast<int>(std::lround((fixed.x() - scene.left()) * scale.width())) - viewportPoint.x());
  verticalScrollBar()->setValue(
      static_cast<int>(std::lround((fixed.y() - scene.top()) * scale.height())) - viewportPoint.y());
}

void DiagramView::paintEvent(QPaintEvent* event) {
  QPainter painter(viewport());
  painter.fillRect(event->rect(), Qt::white);
  const QSizeF scale = pixelsPerTwip();
  const QRectF scene = sceneRect();
  painter.translate(-horizontalScrollBar()->value(), -verticalScrollBar()->value());
  painter.scale(scale.width(), scale.height());
  painter.translate(-scene.topLeft());
  graphon::view::PaintOptions options;
  options.showSelection = true;
  options.twipsPerPixel = 1 / scale.width();
  options.exposed = painter.transform().inverted().mapRect(QRectF(event->rect()));
  graphon::view::paintDiagram(painter, *diagram_, options);
}

void DiagramView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  updateScrollBars();
}

void DiagramView::scrollContentsBy(int, int) { viewport()->update(); }

void DiagramView::clearSelection() {
  for (graphon::Node& node : diagram_->nodes())
    if (node.selected()) node.setSelected(false);
  for (graphon::Link& link : diagram_->links())
    if (link.selected()) link.setSelected(false);
}

void DiagramView::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const QPointF at = toTwips(event->pos());
  const bool ctrl = event->modifiers() & Qt::ControlModifier;
  graphon::Node* node = graphon::view::nodeAt(*diagram_, at);
  graphon::Link* link = node ? nullptr : graphon::view::linkAt(*diagram_, at, kHitPixels / pixelsPerTwip().width());
  {
    const graphon::RedrawPause pause(*diagram_);
    if (node) {
      if (ctrl) node->setSelected(!node->selected());
      else if (!node->selected()) clearSelection(), node->setSelected(true);
    } else if (link) {
      if (ctrl) link->setSelected(!link->selected());
      else if (!link->selected()) clearSelection(), link->setSelected(true);
    } else if (!ctrl) {
      clearSelection();
    }
  }
  pressPoint_ = event->pos();
  pressTwips_ = at;
  dragged_ = false;
  dragStart_.clear();
  if (node && node->selected() && diagram_->permissions().canMoveNode) {
    press_ = Press::Drag;
    std::int32_t index = 0;
    for (const graphon::Node& n : diagram_->nodeItems()) {
      if (n.selected()) dragStart_.emplace_back(index, QPointF(n.left(), n.top()));
      ++index;
    }
  } else if (!node && !link) {
    press_ = Press::Band;
    band_->setGeometry(QRect(pressPoint_, QSize()));
    band_->show();
  } else {
    press_ = Press::None;
  }
}

void DiagramView::mouseMoveEvent(QMouseEvent* event) {
  if (press_ == Press::Band) {
    band_->setGeometry(QRect(pressPoint_, event->pos()).normalized());
    return;
  }
  if (press_ != Press::Drag) return;
  if (!dragged_ && (event->pos() - pressPoint_).manhattanLength() < QApplication::startDragDistance()) return;
  dragged_ = true;
  const QPointF delta = toTwips(event->pos()) - pressTwips_;
  const std::int32_t count = diagram_->nodes().count();
  const graphon::RedrawPause pause(*diagram_);
  for (const auto& [index, start] : dragStart_) {
    if (index >= count) continue;
    graphon::Node& node = diagram_->nodes().item(index + 1);
    // Whole twips, as the diagram file stores them.
    node.setLeft(static_cast<float>(std::round(start.x() + delta.x())));
    node.setTop(static_cast<float>(std::round(start.y() + delta.y())));
  }
}

void DiagramView::selectInBand(const QRectF& band, bool add) {
  const graphon::RedrawPause pause(*diagram_);
  if (!add) clearSelection();
  for (graphon::Node& node : diagram_->nodes())
    if (graphon::view::nodeRect(node).intersects(band)) node.setSelected(true);
  for (graphon::Link& link : diagram_->links()) {
    QPainterPath line;
    line.addPolygon(graphon::view::linkLine(link));
    if (band.contains(line.boundingRect()) || line.intersects(band)) link.setSelected(true);
  }
}

void DiagramView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && press_ == Press::Band) {
    band_->hide();
    const QRect band = QRect(pressPoint_, event->pos()).normalized();
    if (band.width() > 2 || band.height() > 2)
      selectInBand(QRectF(toTwips(band.topLeft()), toTwips(band.bottomRight())),
                   event->modifiers() & Qt::ControlModifier);
  }
  if (event->button() == Qt::LeftButton) press_ = Press::None;
  const QPointF at = toTwips(event->pos());
  emit mouseButtonReleased(buttonValue(event->button()), shiftValue(event->modifiers()),
                           static_cast<int>(std::lround(at.x())), static_cast<int>(std::lround(at.y())));
}

void DiagramView::cancelInteraction() {
  press_ = Press::None;
  dragStart_.clear();
  band_->hide();
}

void DiagramView::wheelEvent(QWheelEvent* event) {
  if (!(event->modifiers() & Qt::ControlModifier)) {
    QAbstractScrollArea::wheelEvent(event);
    return;
  }
  const double steps = event->angleDelta().y() / 120.0;
  zoomAround(zoom_ * std::pow(kZoomStep, steps), event->position().toPoint());
  event->accept();
}

void DiagramView::contextMenuEvent(QContextMenuEvent* event) {
  // Mouse menus come with the right button's release; the keyboard asks here.
  if (event->reason() == QContextMenuEvent::Keyboard) emit menuRequested(viewport()->rect().center());
  event->accept();
}

void DiagramView::showToolTip(QHelpEvent* event) {
  const graphon::Node* node = graphon::view::nodeAt(*diagram_, toTwips(event->pos()));
  if (node && diagram_->permissions().showToolTip && !node->tipText().empty()) {
    const QRectF box = graphon::view::nodeRect(*node);
    QToolTip::showText(event->globalPos(), QString::fromStdString(node->tipText()), viewport(),
                       QRect(toViewport(box.topLeft()), toViewport(box.bottomRight())));
  } else if (!fallbackToolTip_.isEmpty()) {
    QToolTip::showText(event->globalPos(), fallbackToolTip_, viewport());
  } else {
    QToolTip::hideText();
    event->ignore();
  }
}

bool DiagramView::viewportEvent(QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    showToolTip(static_cast<QHelpEvent*>(event));
    return true;
  }
  return QAbstractScrollArea::viewportEvent(event);
}

}  // namespace orlix::display
