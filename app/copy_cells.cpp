#include "app/copy_cells.h"

#include <algorithm>

namespace orlix::app {

QString copyCellsText(const std::function<QString(int, int)>& textMatrix, int fixedRows, int fixedCols,
                      const GridSelection& s) {
  const int r1 = std::min(s.row, s.rowSel), r2 = std::max(s.row, s.rowSel);
  const int c1 = std::min(s.col, s.colSel), c2 = std::max(s.col, s.colSel);
  if (r1 == r2 && c1 == c2) return {};

  const QString tab = QStringLiteral("\t"), newLine = QStringLiteral("\r\n");
  const bool labelled = c1 >= 1 && fixedCols == 1;
  const auto cells = [&](int row) {
    QString line;
    for (int c = c1; c <= c2; ++c) {
      if (c > c1) line += tab;
      line += textMatrix(row, c);
    }
    return line;
  };

  QString text;
  if (fixedRows >= 1) {
    if (labelled) text += textMatrix(0, 0) + tab;
    for (int r = 0; r < fixedRows; ++r) {
      if (r > 0) text += newLine;
      text += cells(r);
    }
    text += newLine;
  }
  for (int r = r1; r <= r2; ++r) {
    if (r > r1) text += newLine;
    if (labelled) text += textMatrix(r, 0) + tab;
    text += cells(r);
  }
  return text;
}

}  // namespace orlix::app
