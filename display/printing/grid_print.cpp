#include "display/printing/grid_print.h"

#include <QAbstractItemModel>
#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>
#include <algorithm>

#include "diagramprint/print_job.h"
#include "diagramprint/twips.h"

namespace orlix::display {

int ModelGridCells::rowCount() const { return model_.rowCount() + (headingRow_ ? 1 : 0); }

int ModelGridCells::columnCount() const { return model_.columnCount(); }

QString ModelGridCells::text(int row, int column) const {
  if (headingRow_) {
    if (row == 0) return model_.headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
    --row;
  }
  return model_.data(model_.index(row, column), Qt::DisplayRole).toString();
}

int printGrid(const GridCells& cells, QPrinter& printer, const QString& docName,
              const GridPrintProgress& progress, const QFont& font) {
  diagramprint::PrintJob job(printer, docName);
  QPainter& painter = job.painter();
  painter.setFont(font);
  const QFontMetrics metrics = painter.fontMetrics();
  const int line = metrics.height();
  const int column = metrics.averageCharWidth();
  const int foot = printer.height() - diagramprint::twipsToDevice(kGridPageFootTwips, printer.logicalDpiY());
  const int rows = cells.rowCount();
  const int columns = cells.columnCount();
  int pages = 1;
  int y = 0;
  for (int row = 0; row < rows; ++row) {
    // A line that would pass the foot starts a new page (never an empty one).
    if (y > 0 && y + line > foot) {
      job.newPage();
      ++pages;
      y = 0;
    }
    int end = 0;  // where the row's text so far ends
    for (int c = 0; c < columns; ++c) {
      const QString text = cells.text(row, c).trimmed();
      int x = kGridPrintColumnWidth * (c + 1) * column;
      if (x < end) x = end + column;
      if (!text.isEmpty()) {
        painter.drawText(QPoint(x, y + metrics.ascent()), text);
        end = x + metrics.horizontalAdvance(text);
      }
    }
    y += line;
    if (progress && !progress(row + 1, rows)) {
      job.cancel();
      return 0;
    }
  }
  job.finish();
  return pages;
}

}  // namespace orlix::display
