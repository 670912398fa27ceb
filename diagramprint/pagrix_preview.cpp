// The preview: one page recorded at 100 % into a picture on every paint and
// played back at the effective zoom, placed and scrolled in the control.
#include <QPainter>
#include <QPicture>

#include "diagramprint/pagrix_ctrl.h"
#include "diagramprint/twips.h"

namespace orlix::diagramprint {
namespace {

QSize screenDpi() {
  const QPicture picture;
  return {picture.logicalDpiX(), picture.logicalDpiY()};
}

}  // namespace

void PagrixCtrl::setClientSize(const QSize& pixels) {
  const QSize dpi = screenDpi();
  clientPixels_ = pixels;
  clientTwips_ = QSize(deviceToTwips(pixels.width(), dpi.width()),
                       deviceToTwips(pixels.height(), dpi.height()));
  emit placementChanged();
}

int PagrixCtrl::effectiveZoom() const {
  return diagramprint::effectiveZoom(p_.zoom, clientTwips_.height(), pageHeight_);
}

PreviewPlacement PagrixCtrl::previewPlacement() const {
  const QSize dpi = screenDpi();
  PreviewInputs in;
  in.pageTwips = pageSizeTwips();
  in.clientTwips = clientTwips_;
  in.clientPixels = clientPixels_;
  in.dpiX = dpi.width();
  in.dpiY = dpi.height();
  in.zoom = effectiveZoom();
  in.scrollTwips = scrollTwips_;
  return placePreview(in);
}

void PagrixCtrl::scroll(Qt::Orientation axis, ScrollAction action, int position) {
  const PreviewPlacement placement = previewPlacement();
  if (axis == Qt::Horizontal)
    scrollTwips_.setX(scrolledPosition(placement.horizontal, action, position));
  else
    scrollTwips_.setY(scrolledPosition(placement.vertical, action, position));
  emit placementChanged();
}

void PagrixCtrl::paintPreviewPage(QPainter& painter) {
  const QSize dpi = screenDpi();
  const double zoom = effectiveZoom() / 100.0;
  const QRect page(0, 0, twipsToDevice(pageWidth_, dpi.width()), twipsToDevice(pageHeight_, dpi.height()));
  painter.fillRect(QRectF(0, 0, page.width() * zoom, page.height() * zoom), Qt::white);
  if (!flow_) return;
  QPicture picture;
  picture.setBoundingRect(page);
  {
    QPainter recorder(&picture);
    PrintPage(previewPage_, recorder);
  }
  painter.save();
  painter.scale(zoom, zoom);
  painter.setClipRect(page);
  painter.drawPicture(0, 0, picture);
  painter.restore();
}

void PagrixCtrl::showPreviewPage(int page) {
  previewPage_ = page;
  scrollTwips_.setY(0);
  emit placementChanged();
  emit previewChanged();
}

void PagrixCtrl::NextPage() {
  if (!flow_ || previewPage_ >= pageCount_) return;
  showPreviewPage(previewPage_ + 1);
}

void PagrixCtrl::PriorPage() {
  if (!flow_ || previewPage_ <= 1) return;
  showPreviewPage(previewPage_ - 1);
}

void PagrixCtrl::mouseReleased(Qt::KeyboardModifiers modifiers) {
  shiftAtRelease_ = modifiers.testFlag(Qt::ShiftModifier);
}

void PagrixCtrl::mouseDoubleClicked(Qt::MouseButton button) {
  if (button != Qt::LeftButton && button != Qt::RightButton) return;
  const bool forward = button == Qt::LeftButton;
  if (p_.mousePage && shiftAtRelease_) {
    forward ? NextPage() : PriorPage();
    return;
  }
  if (!p_.mouseZoom) return;
  SetZoom(forward ? zoomedIn(effectiveZoom()) : zoomedOut(effectiveZoom()));
}

void PagrixCtrl::previewDocument() {
  measureWithDefaultPrinter();
  scrollTwips_ = QPoint(0, 0);
  previewPage_ = 1;
  emit placementChanged();
  emit previewChanged();
}

}  // namespace orlix::diagramprint
