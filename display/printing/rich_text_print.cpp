#include "display/printing/rich_text_print.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QPrinter>
#include <QTextDocument>
#include <algorithm>
#include <memory>

#include "diagramprint/print_job.h"
#include "diagramprint/printer_access.h"
#include "diagramprint/twips.h"

namespace orlix::display {
namespace {

using diagramprint::twipsToDevice;

// The target rectangle in the printable area's device units: the margins
// from the paper's edges less the printer's unprintable border, kept inside
// what the printer can print.
QRect targetRect(const QPrinter& printer, const TwipsMargins& margins) {
  const diagramprint::PrintablePage page = diagramprint::printablePage(printer);
  const QRect wanted(QPoint(twipsToDevice(margins.left, page.dpiX) - page.offset.x(),
                            twipsToDevice(margins.top, page.dpiY) - page.offset.y()),
                     QPoint(page.size.width() - twipsToDevice(margins.right, page.dpiX) - page.offset.x() - 1,
                            page.size.height() - twipsToDevice(margins.bottom, page.dpiY) - page.offset.y() - 1));
  return wanted.intersected(QRect(QPoint(0, 0), page.size));
}

}  // namespace

int printRichText(const QTextDocument& document, QPrinter& printer, const TwipsMargins& margins,
                  const QString& docName) {
  const QRect target = targetRect(printer, margins);
  std::unique_ptr<QTextDocument> pages(document.clone());
  pages->documentLayout()->setPaintDevice(&printer);
  pages->setDocumentMargin(0);
  pages->setPageSize(target.isEmpty() ? QSizeF(printer.width(), printer.height()) : QSizeF(target.size()));
  const int count = std::max(1, pages->pageCount());

  diagramprint::PrintJob job(printer, docName);
  QPainter& painter = job.painter();
  for (int page = 0; page < count; ++page) {
    if (page > 0) job.newPage();
    const QRectF slice(0, page * pages->pageSize().height(), pages->pageSize().width(),
                       pages->pageSize().height());
    painter.save();
    painter.translate(target.topLeft() - slice.topLeft());
    pages->drawContents(&painter, slice);
    painter.restore();
  }
  job.finish();
  return count;
}

int printWindowText(const QString& text, const QFont& font, QPrinter& printer, const QString& docName) {
  const QString trimmed = text.trimmed();
  if (trimmed.isEmpty()) return 0;
  QTextDocument document;
  document.setDefaultFont(font);
  document.setPlainText(trimmed);
  return printRichText(document, printer, {1440, 1440, 1440, 1440}, docName);
}

}  // namespace orlix::display
