// PrintDoc: previewing, or printing every page (or the range the print
// dialog gives) as one document.
#include <QPrinter>
#include <algorithm>

#include "diagramprint/control_error.h"
#include "diagramprint/pagrix_ctrl.h"
#include "diagramprint/print_job.h"
#include "diagramprint/print_range_chooser.h"

namespace orlix::diagramprint {

void PagrixCtrl::PrintDoc() {
  if (!flow_) return;
  if (p_.preview)
    previewDocument();
  else
    printDocument();
}

void PagrixCtrl::printDocument() {
  const bool dialog = p_.printerSettings && chooser_;
  std::unique_ptr<QPrinter> printer = openPrinter(printer_, Orientation());
  if (!printer) {
    if (!dialog) throw ControlError::noDefaultPrinter();
    // The dialog still lets the user print into a file.
    printer = letterPaper(Orientation());
  }
  Measure(*printer);
  int first = 1;
  int last = pageCount_;
  if (dialog) {
    const std::optional<std::pair<int, int>> pages = chooser_->choosePages(*printer, pageCount_);
    if (!pages) return;
    const bool toFile = printer->outputFormat() == QPrinter::PdfFormat;
    if (toFile ? printer->outputFileName().isEmpty() : printer->printerName().isEmpty())
      throw ControlError::noDefaultPrinter();
    Measure(*printer);
    // The chosen printer may hold fewer pages than the dialog offered.
    first = std::max(1, pages->first);
    last = std::min(pages->second, pageCount_);
  }
  if (first > last) return;
  if (!hasPrintArea())
    throw ControlError::invalidPropertyValue("the margins leave no room on the page to print on");
  printPages(*printer, first, last);
  emit placementChanged();
  emit previewChanged();
}

void PagrixCtrl::printPages(QPrinter& printer, int first, int last) {
  PrintJob job(printer, p_.docName);
  for (int page = first; page <= last; ++page) {
    if (page > first) job.newPage();
    PrintPage(page, job.painter());
  }
  job.finish();
}

}  // namespace orlix::diagramprint
