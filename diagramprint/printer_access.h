#pragma once
// The printers the print control and the program's print commands use: the
// system's default printer (through CUPS), a printer chosen by name, or a PDF
// file; and the printable area they are measured by.
#include <QPoint>
#include <QPrinter>
#include <QSize>
#include <QString>
#include <memory>

#include "diagramprint/pagrix_ids.h"

namespace orlix::diagramprint {

struct PrinterSelection {
  QString printerName;  // empty: the system's default printer
  QString pdfFile;      // not empty: print into this PDF file, whatever the printer
};

// A printer for `selection` with the paper turned by `orientation`; null when
// no PDF file is chosen and there is no such printer (no default printer, or
// the named one is gone). The caller owns it.
std::unique_ptr<QPrinter> openPrinter(const PrinterSelection& selection,
                                      OrientationConstants orientation);
// As openPrinter, but ControlError "You have no default printer!" instead of null.
std::unique_ptr<QPrinter> openPrinterOrThrow(const PrinterSelection& selection,
                                             OrientationConstants orientation);
// US Letter without a printer behind it: the paper the control measures a
// preview with on a machine that has no printer. Prints into `pdfFile` if set.
std::unique_ptr<QPrinter> letterPaper(OrientationConstants orientation, const QString& pdfFile = {});

// The page as the device sees it: the printable area in device pixels, its
// offset from the paper's corner, and the device's pixels per inch.
struct PrintablePage {
  QSize size;
  QPoint offset;
  int dpiX = 0;
  int dpiY = 0;
};
PrintablePage printablePage(const QPrinter& printer);

// The name a page setup shows: the printer's name, or the PDF file's.
QString printerDisplayName(const QPrinter& printer);

}  // namespace orlix::diagramprint
