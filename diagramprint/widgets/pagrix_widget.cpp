#include "diagramprint/widgets/pagrix_widget.h"

#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>

namespace orlix::diagramprint {

// The window that shows the preview page; mouse double-clicks zoom or turn pages.
class PreviewPageWidget : public QWidget {
 public:
  PreviewPageWidget(PagrixCtrl& control, QWidget* parent) : QWidget(parent), control_(control) {
    setObjectName(QStringLiteral("PreviewPage"));
    setAttribute(Qt::WA_OpaquePaintEvent);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    control_.paintPreviewPage(painter);
  }
  void mouseReleaseEvent(QMouseEvent* event) override { control_.mouseReleased(event->modifiers()); }
  void mouseDoubleClickEvent(QMouseEvent* event) override { control_.mouseDoubleClicked(event->button()); }

 private:
  PagrixCtrl& control_;
};

PagrixWidget::PagrixWidget(QWidget* parent)
    : QFrame(parent),
      horizontal_(new QScrollBar(Qt::Horizontal, this)),
      vertical_(new QScrollBar(Qt::Vertical, this)),
      viewport_(new QWidget(this)),
      page_(new PreviewPageWidget(control_, viewport_)) {
  control_.SetPrintRangeChooser(&chooser_);
  viewport_->setAutoFillBackground(true);
  horizontal_->hide();
  vertical_->hide();
  applyBorderStyle();
  connect(&control_, &PagrixCtrl::placementChanged, this, &PagrixWidget::place);
  connect(&control_, &PagrixCtrl::previewChanged, this, [this] {
    QPalette palette = viewport_->palette();
    palette.setColor(QPalette::Window, control_.BackColor());
    viewport_->setPalette(palette);
    page_->update();
  });
  connect(&control_, &PagrixCtrl::propertyChanged, this, [this](int id) {
    if (id == dispid::BorderStyle) applyBorderStyle();
  });
  connect(&control_, &PagrixCtrl::aboutBoxRequested, this, &PagrixWidget::showAbout);
  connect(horizontal_, &QScrollBar::valueChanged, this,
          [this](int value) { control_.scroll(Qt::Horizontal, ScrollAction::ToPosition, value); });
  connect(vertical_, &QScrollBar::valueChanged, this,
          [this](int value) { control_.scroll(Qt::Vertical, ScrollAction::ToPosition, value); });
  emit control_.previewChanged();
}

PagrixWidget::~PagrixWidget() {
  // The control outlives nothing that paints: disconnect before members go.
  control_.disconnect(this);
}

QWidget* PagrixWidget::pageWindow() const { return page_; }

void PagrixWidget::applyBorderStyle() {
  setFrameStyle(control_.BorderStyle() == 1 ? (QFrame::StyledPanel | QFrame::Sunken) : QFrame::NoFrame);
  place();
}

QRect PagrixWidget::clientRect() const {
  const int extent = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
  QRect client = contentsRect();
  if (verticalShown_) client.setRight(client.right() - extent);
  if (horizontalShown_) client.setBottom(client.bottom() - extent);
  return client;
}

void PagrixWidget::resizeEvent(QResizeEvent* event) {
  QFrame::resizeEvent(event);
  place();
}

void PagrixWidget::place() {
  if (placing_) return;
  placing_ = true;
  // A bar takes room from the other axis, so the bars are decided twice.
  PreviewPlacement placement;
  for (int pass = 0; pass < 3; ++pass) {
    control_.setClientSize(clientRect().size());
    placement = control_.previewPlacement();
    horizontalShown_ = placement.horizontal.maximum > 0;
    verticalShown_ = placement.vertical.maximum > 0;
  }
  control_.setClientSize(clientRect().size());
  placement = control_.previewPlacement();

  const QRect client = clientRect();
  const QRect contents = contentsRect();
  viewport_->setGeometry(client);
  horizontal_->setGeometry(client.left(), client.bottom() + 1, client.width(),
                           contents.bottom() - client.bottom());
  vertical_->setGeometry(client.right() + 1, client.top(), contents.right() - client.right(),
                         client.height());
  horizontal_->setVisible(horizontalShown_);
  vertical_->setVisible(verticalShown_);
  const auto setBar = [](QScrollBar* bar, const ScrollAxis& axis) {
    const QSignalBlocker blocker(bar);
    bar->setRange(0, axis.maximum);
    bar->setSingleStep(axis.lineStep);
    bar->setPageStep(axis.pageStep);
    bar->setValue(axis.position);
  };
  setBar(horizontal_, placement.horizontal);
  setBar(vertical_, placement.vertical);
  page_->setGeometry(placement.window);
  page_->update();
  placing_ = false;
}

void PagrixWidget::showAbout() {
  QMessageBox::about(this, tr("About Pagrix"),
                     tr("Pagrix print control, version 3.0\n\n"
                        "Prints and previews diagrams over one or more pages, with headers, "
                        "footers and page borders."));
}

}  // namespace orlix::diagramprint
