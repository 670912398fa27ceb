// Measuring the page, asking the diagram for its pages, and drawing one page
// with its header, border and footer.
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPicture>
#include <QPrinter>
#include <cmath>

#include "diagramprint/header_text.h"
#include "diagramprint/pagrix_ctrl.h"
#include "diagramprint/twips.h"

namespace orlix::diagramprint {
namespace {

// n * dpi * 100 / (1440 * scale): twips to the painter's units when the
// painter is scaled by scale / 100.
int scaledUnits(int twips, int dpi, int scale) {
  return mulDivRound(twips, dpi * 100, kTwipsPerInch * scale);
}

QRect scaledRect(int left, int top, int right, int bottom, int dpiX, int dpiY, int scale) {
  const int l = scaledUnits(left, dpiX, scale);
  const int t = scaledUnits(top, dpiY, scale);
  return QRect(l, t, scaledUnits(right, dpiX, scale) - l, scaledUnits(bottom, dpiY, scale) - t);
}

// A device of the given resolution to hand the diagram while it paginates:
// it reads the resolution from it and draws nothing.
QImage measuringDevice(int dpiX, int dpiY) {
  QImage image(1, 1, QImage::Format_ARGB32_Premultiplied);
  image.setDotsPerMeterX(static_cast<int>(std::lround(dpiX / 0.0254)));
  image.setDotsPerMeterY(static_cast<int>(std::lround(dpiY / 0.0254)));
  return image;
}

// The font's height in twips: points are 20 twips; a size in pixels is
// taken as screen pixels.
int fontHeightTwips(const QFont& font) {
  if (font.pointSizeF() > 0) return static_cast<int>(std::lround(font.pointSizeF() * 20));
  const int screenDpi = QPicture().logicalDpiY();
  return mulDivRound(std::max(1, font.pixelSize()), kTwipsPerInch, screenDpi);
}

}  // namespace

bool PagrixCtrl::hasPrintArea() const {
  return p_.marginLeft + p_.marginRight < pageWidth_ && p_.marginTop + p_.marginBottom < pageHeight_;
}

void PagrixCtrl::Measure(const QPrinter& printer) {
  const PrintablePage page = printablePage(printer);
  pageWidth_ = deviceToTwips(page.size.width(), page.dpiX);
  pageHeight_ = deviceToTwips(page.size.height(), page.dpiY);
  pageKnown_ = true;
  paginate(page.dpiX, page.dpiY);
}

void PagrixCtrl::measureWithDefaultPrinter() {
  std::unique_ptr<QPrinter> printer = openPrinter(printer_, Orientation());
  // Without a printer the preview still shows the pages on Letter paper.
  if (!printer) printer = letterPaper(Orientation());
  Measure(*printer);
}

void PagrixCtrl::paginate(int dpiX, int dpiY) {
  if (p_.fitToPage) {
    if (flow_ && hasPrintArea()) {
      QImage device = measuringDevice(dpiX, dpiY);
      QPainter painter(&device);
      PrintRecord r = record(0, &painter, dpiX, dpiY, false);
      flow_->printMessage(kPrintFitMessage, r);
    }
    pageCount_ = horzPageCount_ = vertPageCount_ = 1;
    return;
  }
  pageCount_ = horzPageCount_ = vertPageCount_ = 0;
  if (!flow_ || !hasPrintArea()) return;
  QImage device = measuringDevice(dpiX, dpiY);
  QPainter painter(&device);
  painter.scale(printScale_ / 100.0, printScale_ / 100.0);
  PrintRecord r = record(0, &painter, dpiX, dpiY, true);
  pageCount_ = static_cast<int>(std::max(0L, flow_->printMessage(kPrintPageMessage, r)));
  horzPageCount_ = r.horzPageCount;
  vertPageCount_ = r.vertPageCount;
}

PrintRecord PagrixCtrl::record(int page, QPainter* painter, int dpiX, int dpiY, bool scaled) const {
  const int scale = scaled ? printScale_ : 100;
  PrintRecord r;
  r.page = page;
  r.painter = painter;
  r.printRect = scaledRect(p_.marginLeft, p_.marginTop, pageWidth_ - p_.marginRight,
                           pageHeight_ - p_.marginBottom, dpiX, dpiY, scale);
  r.pageRect = scaledRect(0, 0, pageWidth_, pageHeight_, dpiX, dpiY, scale);
  return r;
}

void PagrixCtrl::PrintPage(int page, QPainter& painter) {
  const int dpiX = painter.device()->logicalDpiX();
  const int dpiY = painter.device()->logicalDpiY();
  drawDiagramPage(page, painter, dpiX, dpiY);
  drawDecorations(page, painter, dpiX, dpiY);
}

void PagrixCtrl::drawDiagramPage(int page, QPainter& painter, int dpiX, int dpiY) {
  if (!flow_ || !hasPrintArea()) return;
  painter.save();
  if (p_.fitToPage) {
    PrintRecord r = record(page, &painter, dpiX, dpiY, false);
    flow_->printMessage(kPrintFitMessage, r);
  } else {
    painter.scale(printScale_ / 100.0, printScale_ / 100.0);
    PrintRecord r = record(page, &painter, dpiX, dpiY, true);
    flow_->printMessage(kPrintPageMessage, r);
  }
  painter.restore();
}

void PagrixCtrl::drawDecorations(int page, QPainter& painter, int dpiX, int dpiY) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  // Header and footer are placed in twips.
  painter.scale(dpiX / static_cast<double>(kTwipsPerInch), dpiY / static_cast<double>(kTwipsPerInch));
  if (!p_.header.isEmpty()) {
    emit BeforeHeader();
    drawHeaderLine(painter, p_.header, page, false);
  }
  emit BeforePageBorder();
  painter.restore();

  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  drawPageBorder(painter, dpiX, dpiY);
  painter.restore();

  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.scale(dpiX / static_cast<double>(kTwipsPerInch), dpiY / static_cast<double>(kTwipsPerInch));
  if (!p_.footer.isEmpty()) {
    emit BeforeFooter();
    drawHeaderLine(painter, p_.footer, page, true);
  }
  painter.restore();
}

void PagrixCtrl::drawHeaderLine(QPainter& painter, const QString& text, int page, bool footer) {
  // The host may have emptied the text in its event handler.
  if (text.isEmpty()) return;
  QFont font = p_.font;
  font.setPixelSize(std::max(1, fontHeightTwips(p_.font)));
  painter.setFont(font);
  painter.setPen(p_.foreColor);
  const QFontMetrics metrics = painter.fontMetrics();
  const int height = metrics.height();
  const int top = footer ? pageHeight_ - (p_.marginFooter + p_.marginBottom) / 2 - height / 2
                         : (p_.marginHeader + p_.marginTop) / 2 - height / 2;
  const int baseline = top + metrics.ascent();
  const HeaderParts parts = splitHeaderText(text);
  if (!parts.left.isEmpty())
    painter.drawText(QPoint(p_.marginLeft, baseline), withPageNumber(parts.left, page));
  if (!parts.centre.isEmpty()) {
    const QString centre = withPageNumber(parts.centre, page);
    painter.drawText(QPoint(pageWidth_ / 2 - metrics.horizontalAdvance(centre) / 2, baseline), centre);
  }
  if (!parts.right.isEmpty()) {
    const QString right = withPageNumber(parts.right, page);
    painter.drawText(
        QPoint(pageWidth_ - p_.marginRight - metrics.horizontalAdvance(right), baseline), right);
  }
}

void PagrixCtrl::drawPageBorder(QPainter& painter, int dpiX, int dpiY) {
  const int border = p_.pageBorder;
  if (border == PageBorderNone) return;
  // One device pixel outside the print rectangle on every side: the rows and
  // columns just before its first and just after its last pixel.
  const QRect print = twipsRectToDevice(p_.marginLeft, p_.marginTop, pageWidth_ - p_.marginRight,
                                        pageHeight_ - p_.marginBottom, dpiX, dpiY);
  const int left = print.left() - 1;
  const int top = print.top() - 1;
  const int right = print.left() + print.width();
  const int bottom = print.top() + print.height();
  QPen pen(p_.foreColor, 0, border >= PageBorderDottedTopLine ? Qt::DotLine : Qt::SolidLine);
  pen.setCosmetic(true);
  painter.setPen(pen);
  const int kind = border >= PageBorderDottedTopLine ? border - 4 : border;
  const bool topEdge = kind == 1 || kind == 3 || kind == 4;
  const bool bottomEdge = kind == 2 || kind == 3 || kind == 4;
  if (topEdge) painter.drawLine(left, top, right, top);
  if (bottomEdge) painter.drawLine(left, bottom, right, bottom);
  if (kind == 4) {
    painter.drawLine(left, top, left, bottom);
    painter.drawLine(right, top, right, bottom);
  }
}

}  // namespace orlix::diagramprint
