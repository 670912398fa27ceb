#include "diagramprint/printer_access.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>

#include "diagramprint/control_error.h"

namespace orlix::diagramprint {
namespace {

QPageLayout::Orientation pageOrientation(OrientationConstants orientation) {
  return orientation == OrientLandscape ? QPageLayout::Landscape : QPageLayout::Portrait;
}

}  // namespace

std::unique_ptr<QPrinter> letterPaper(OrientationConstants orientation, const QString& pdfFile) {
  auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
  printer->setOutputFormat(QPrinter::PdfFormat);
  printer->setOutputFileName(pdfFile);
  // A file has no unprintable border: the control's margins are the page's.
  printer->setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), pageOrientation(orientation),
                                     QMarginsF(0, 0, 0, 0)));
  return printer;
}

std::unique_ptr<QPrinter> openPrinter(const PrinterSelection& selection,
                                      OrientationConstants orientation) {
  if (!selection.pdfFile.isEmpty()) return letterPaper(orientation, selection.pdfFile);
  const QPrinterInfo info = selection.printerName.isEmpty()
                                ? QPrinterInfo::defaultPrinter()
                                : QPrinterInfo::printerInfo(selection.printerName);
  if (info.isNull()) return nullptr;
  auto printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
  if (printer->outputFormat() != QPrinter::NativeFormat || printer->printerName().isEmpty())
    return nullptr;
  printer->setPageOrientation(pageOrientation(orientation));
  return printer;
}

std::unique_ptr<QPrinter> openPrinterOrThrow(const PrinterSelection& selection,
                                             OrientationConstants orientation) {
  std::unique_ptr<QPrinter> printer = openPrinter(selection, orientation);
  if (!printer) throw ControlError::noDefaultPrinter();
  return printer;
}

PrintablePage printablePage(const QPrinter& printer) {
  const QRect printable = printer.pageLayout().paintRectPixels(printer.resolution());
  return {printable.size(), printable.topLeft(), printer.logicalDpiX(), printer.logicalDpiY()};
}

QString printerDisplayName(const QPrinter& printer) {
  if (printer.outputFormat() == QPrinter::PdfFormat) return printer.outputFileName();
  return printer.printerName();
}

}  // namespace orlix::diagramprint
