#pragma once
// The print dialog the control shows before printing when PrinterSettings is
// true. The control itself draws no windows: its container supplies one.
#include <optional>
#include <utility>
#include <vector>

class QPrinter;

namespace orlix::diagramprint {

class PrintRangeChooser {
 public:
  virtual ~PrintRangeChooser() = default;
  // Shows the print dialog for `printer` with the page range 1 ... pageCount
  // preset and printing a selection disabled. The user may choose another
  // printer or a file, which is written into `printer`. Returns the ranges of
  // pages to print (first and last page of each, in order), or nothing when
  // the user cancelled.
  using PageRanges = std::vector<std::pair<int, int>>;
  virtual std::optional<PageRanges> choosePages(QPrinter& printer, int pageCount) = 0;
};

}  // namespace orlix::diagramprint
