// The print record and the two print messages through which the print
// control asks a diagram to paginate itself and to draw one page (or the
// whole diagram fitted to one page) into a painter. The print control
// reaches the diagram only through a PrintMessageTarget, its "window".
#pragma once

#include <QRect>

class QPainter;

namespace orlix::diagramprint {

// Paginate (page 0) or draw page n.
constexpr unsigned kPrintPageMessage = 0x47E;
// Draw the whole diagram fitted to one page.
constexpr unsigned kPrintFitMessage = 0x47F;

// Lengths are in device units of `painter`'s device.
struct PrintRecord {
  int page = 0;                  // 0: paginate only; n >= 1: draw page n
  QPainter* painter = nullptr;   // where the diagram draws; null while paginating
  QRect printRect;               // margins inside the page: where the diagram may draw
  QRect pageRect;                // 0, 0, page width, page height
  int horzPageCount = 0;         // written by the diagram while paginating
  int vertPageCount = 0;
};

// The diagram's side. With page 0, kPrintPageMessage returns the page count
// and fills the two counts, drawing nothing; with page n it draws page n
// inside printRect (returns nonzero when it drew). kPrintFitMessage draws
// the whole diagram scaled into printRect (with page 0 it only sets both
// counts to 1 and returns 1).
class PrintMessageTarget {
 public:
  virtual ~PrintMessageTarget() = default;
  virtual long printMessage(unsigned message, PrintRecord& record) = 0;
};

}  // namespace orlix::diagramprint
