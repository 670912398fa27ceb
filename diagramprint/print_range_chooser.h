#pragma once
// The print dialog the control shows before printing when PrinterSettings is
// true. The control itself draws no windows: its container supplies one.
#include <optional>
#include <utility>

class QPrinter;

namespace orlix::diagramprint {

class PrintRangeChooser {
 public:
  virtual ~PrintRangeChooser() = default;
  // Shows the print dialog for `printer` with the page range 1 ... pageCount
  // preset and printing a selection disabled. The user may choose another
  // printer or a file, which is written into `printer`. Returns the first and
  // last page to print, or nothing when the user cancelled.
  virtual std::optional<std::pair<int, int>> choosePages(QPrinter& printer, int pageCount) = 0;
};

}  // namespace orlix::diagramprint
