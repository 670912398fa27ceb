#pragma once
// The system print dialog as the print control shows it with
// PrinterSettings: the page range preset to every page, printing a selection
// disabled, printing into a file allowed.
#include <QPointer>
#include <QWidget>

#include "diagramprint/print_range_chooser.h"

class QPrintDialog;

namespace orlix::diagramprint {

class PrintDialogChooser : public PrintRangeChooser {
 public:
  explicit PrintDialogChooser(QWidget* parent) : parent_(parent) {}
  std::optional<PageRanges> choosePages(QPrinter& printer, int pageCount) override;

  // The dialog's presets, and the pages its answer asks for.
  static void prepare(QPrintDialog& dialog, int pageCount);
  static PageRanges chosenPages(const QPrinter& printer, int pageCount);

 private:
  QPointer<QWidget> parent_;
};

}  // namespace orlix::diagramprint
