#include "diagramprint/widgets/print_dialog_chooser.h"

#include <QPrintDialog>
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

std::pair<int, int> PrintDialogChooser::chosenPages(const QPrinter& printer, int pageCount) {
  if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0)
    return {printer.fromPage(), std::max(printer.fromPage(), printer.toPage())};
  return {1, pageCount};
}

std::optional<std::pair<int, int>> PrintDialogChooser::choosePages(QPrinter& printer, int pageCount) {
  QPrintDialog dialog(&printer, parent_);
  prepare(dialog, pageCount);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return chosenPages(printer, pageCount);
}

}  // namespace orlix::diagramprint
