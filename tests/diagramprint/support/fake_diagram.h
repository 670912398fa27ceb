// A diagram for the print tests: numbered boxes at fixed places in twips,
// cut into pages of the print rectangle in reading order and drawn at 100 %
// (or fitted to one page). It keeps every message it receives.
#pragma once

#include <QRect>
#include <QString>
#include <vector>

#include "diagramprint/print_record.h"

namespace orlix::test {

class FakeDiagram : public diagramprint::PrintMessageTarget {
 public:
  struct Call {
    unsigned message = 0;
    int page = 0;
    QRect printRect;
    QRect pageRect;
    bool hadPainter = false;
    int dpiX = 0;
  };

  // Boxes given in twips; their texts are "Node 1", "Node 2", ...
  explicit FakeDiagram(std::vector<QRect> boxes);
  // `count` boxes of 1800 x 900 twips in rows of `perRow`, 2400 twips apart
  // across and 1500 down, starting at 200, 200.
  static FakeDiagram grid(int count, int perRow);

  long printMessage(unsigned message, diagramprint::PrintRecord& record) override;

  // The diagram's extent in twips.
  QRect extent() const { return extent_; }
  // The page (1-based, reading order) a box's top-left corner falls on, for a
  // print area of the given size in twips; the pages across come from the extent.
  int pageOf(int box, int printWidthTwips, int printHeightTwips) const;

  std::vector<Call> calls;

 private:
  void drawPage(diagramprint::PrintRecord& record, int column, int row, QRect areaTwips);
  void drawFitted(diagramprint::PrintRecord& record);

  std::vector<QRect> boxes_;
  QRect extent_;
};

}  // namespace orlix::test
