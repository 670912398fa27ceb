#pragma once
// The diagram's window: draws a graphon diagram at a zoom (100% maps 1440
// twips to one logical inch of the screen), scrolls it, and lets the user
// select (click, Ctrl+click, rubber band) and drag nodes (when the diagram
// allows moving). It repaints when the diagram asks, so moves made with the
// diagram's redraw switch off repaint nothing until it is switched on. As the
// print control's "window" it answers the print messages for its diagram.
// The view does not own the diagram, which must outlive it.
#include <QAbstractScrollArea>
#include <QPointF>
#include <QRectF>
#include <vector>

#include "diagramprint/print_record.h"
#include "platform/graphon/diagram.h"
#include "platform/graphon/view/diagram_print.h"

class QHelpEvent;
class QRubberBand;

namespace orlix::display {

class DiagramView : public QAbstractScrollArea, public diagramprint::PrintMessageTarget {
  Q_OBJECT

 public:
  explicit DiagramView(graphon::Diagram& diagram, QWidget* parent = nullptr);
  ~DiagramView() override;

  graphon::Diagram& diagram() { return *diagram_; }

  // 1.0 is 100%; kept within 10% .. 800%.
  double zoom() const { return zoom_; }
  void setZoom(double zoom);
  void zoomIn();
  void zoomOut();
  // The zoom at which the whole drawing fits the window (never above 100%).
  void fitToWindow();

  // Between the viewport's pixels and the diagram's twips.
  QPointF toTwips(QPoint viewportPoint) const;
  QPoint toViewport(QPointF twips) const;

  // Shown where the pointer rests on no node with a tip (the control's tool tip).
  void setFallbackToolTip(const QString& text) { fallbackToolTip_ = text; }

  // The repaints the diagram has asked this view for.
  int repaintRequests() const { return repaintRequests_; }

  // Forgets a press in progress (a drag, a rubber band), as when the diagram
  // was replaced under it.
  void cancelInteraction();

  long printMessage(unsigned message, diagramprint::PrintRecord& record) override;

 signals:
  // A mouse button was released over the diagram. Values as the controls
  // report them: button 1 left, 2 right, 4 middle; shift 1 Shift, 2 Ctrl,
  // 4 Alt; x and y in twips of the diagram.
  void mouseButtonReleased(int button, int shift, int x, int y);
  // The keyboard's menu key or Shift+F10: show the menu at `viewportPoint`.
  void menuRequested(QPoint viewportPoint);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  bool viewportEvent(QEvent* event) override;

 private:
  void diagramChanged();
  void updateScrollBars();
  QRectF sceneRect() const;
  QSizeF pixelsPerTwip() const;
  void zoomAround(double zoom, QPoint viewportPoint);
  void clearSelection();
  void selectInBand(const QRectF& band, bool add);
  void showToolTip(QHelpEvent* event);

  graphon::Diagram* diagram_;
  graphon::view::DiagramPrintTarget printTarget_;
  double zoom_ = 1.0;
  int repaintRequests_ = 0;
  QString fallbackToolTip_;
  // A press in progress.
  enum class Press { None, Drag, Band } press_ = Press::None;
  QPoint pressPoint_;
  QPointF pressTwips_;
  bool dragged_ = false;
  // The dragged nodes by index (a replaced diagram cannot leave them dangling)
  // with the positions they started from.
  std::vector<std::pair<std::int32_t, QPointF>> dragStart_;
  QRubberBand* band_ = nullptr;
};

}  // namespace orlix::display
