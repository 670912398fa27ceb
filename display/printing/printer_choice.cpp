#include "display/printing/printer_choice.h"

#include <QPrintDialog>
#include <QPrinterInfo>

namespace orlix::display {

using diagramprint::PrinterSelection;

bool choosePrinter(QWidget* parent, PrinterSelection& selection) {
  std::unique_ptr<QPrinter> printer = diagramprint::openPrinter(selection, diagramprint::OrientPortrait);
  if (!printer) printer = diagramprint::letterPaper(diagramprint::OrientPortrait);
  QPrintDialog dialog(printer.get(), parent);
  dialog.setWindowTitle(QObject::tr("Print Setup"));
  dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
  dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
  if (dialog.exec() != QDialog::Accepted) return false;
  if (printer->outputFormat() == QPrinter::PdfFormat && !printer->outputFileName().isEmpty()) {
    selection.pdfFile = printer->outputFileName();
  } else {
    selection.pdfFile.clear();
    selection.printerName = printer->printerName();
  }
  return true;
}

QString printerLabel(const PrinterSelection& selection) {
  if (!selection.pdfFile.isEmpty()) return QObject::tr("PDF file %1").arg(selection.pdfFile);
  const QString name =
      selection.printerName.isEmpty() ? QPrinterInfo::defaultPrinterName() : selection.printerName;
  return name.isEmpty() ? QObject::tr("No printer is installed") : name;
}

}  // namespace orlix::display
