// The text a grid copies for its selection: the heading rows first, then the
// selected rows, cells joined by tabs and lines by CR LF, each line led by its
// row label when the grid has one fixed column and the selection starts right
// of it. A single selected cell copies nothing (an empty result).
#pragma once

#include <QString>
#include <functional>

namespace orlix::app {

struct GridSelection {
  int row, col, rowSel, colSel;  // two opposite corners, in grid coordinates
};

QString copyCellsText(const std::function<QString(int row, int col)>& textMatrix, int fixedRows, int fixedCols,
                      const GridSelection& selection);

}  // namespace orlix::app
