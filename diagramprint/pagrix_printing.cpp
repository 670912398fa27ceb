// PrintDoc: previewing, or printing every page (or the range the print
// dialog gives) as one document.
#include <QPrinter>
#include <algorithm>
#include <vector>

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
  PrintRangeChooser::PageRanges ranges{{1, pageCount_}};
  if (dialog) {
    const std::optional<PrintRangeChooser::PageRanges> chosen = chooser_->choosePages(*printer, pageCount_);
    if (!chosen) return;
    const bool toFile = printer->outputFormat() == QPrinter::PdfFormat;
    if (toFile ? printer->outputFileName().isEmpty() : printer->printerName().isEmpty())
      throw ControlError::noDefaultPrinter();
    Measure(*printer);
    ranges = *chosen;
  }
  // Only pages the (chosen) printer holds: it may hold fewer than the dialog offered.
  std::vector<int> pages;
  for (const auto& [first, last] : ranges)
    for (int page = std::max(1, first); page <= std::min(last, pageCount_); ++page) pages.push_back(page);
  if (pages.empty()) return;
  if (!hasPrintArea())
    throw ControlError::invalidPropertyValue("the margins leave no room on the page to print on");
  printPages(*printer, pages);
  emit placementChanged();
  emit previewChanged();
}

void PagrixCtrl::printPages(QPrinter& printer, const std::vector<int>& pages) {
  PrintJob job(printer, p_.docName);
  for (size_t i = 0; i < pages.size(); ++i) {
    if (i > 0) job.newPage();
    PrintPage(pages[i], job.painter());
  }
  job.finish();
}

}  // namespace orlix::diagramprint
