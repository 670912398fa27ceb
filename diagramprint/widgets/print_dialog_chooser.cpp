#include "diagramprint/widgets/print_dialog_chooser.h"

#include <QPrintDialog>
#include <QPageRanges>
#include <QPrinter>

namespace orlix::diagramprint {

void PrintDialogChooser::prepare(QPrintDialog& dialog, int pageCount) {
  const int last = std::max(1, pageCount);
  dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
  dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
  dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
  dialog.setMinMax(1, last);
  dialog.setFromTo(1, last);
  dialog.setPrintRange(QAbstractPrintDialog::PageRange);
}

PrintRangeChooser::PageRanges PrintDialogChooser::chosenPages(const QPrinter& printer, int pageCount) {
  PageRanges pages;
  if (printer.printRange() == QPrinter::PageRange)
    for (const QPageRanges::Range& range : printer.pageRanges().toRangeList())
      pages.emplace_back(range.from, range.to);
  if (pages.empty()) pages.emplace_back(1, pageCount);
  return pages;
}

std::optional<PrintRangeChooser::PageRanges> PrintDialogChooser::choosePages(QPrinter& printer, int pageCount) {
  QPrintDialog dialog(&printer, parent_);
  prepare(dialog, pageCount);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return chosenPages(printer, pageCount);
}

}  // namespace orlix::diagramprint
