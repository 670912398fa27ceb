// What the grid windows print and preview: a grid's cells as its TextMatrix
// gives them (the heading row first, the rows in the order the grid shows
// them), and the text preview's document made from them.
#pragma once

#include <QString>
#include <memory>

#include "app/grid_cells.h"
#include "display/printing/grid_print.h"

class QTextDocument;

namespace orlix::app {

// A grid's cells for the printing code: a copy of the grid's cell store
// (sharing its record set's table, which is never changed), so it can be
// read on another thread while the grid goes on.
class GridPrintCells : public display::GridCells {
 public:
  explicit GridPrintCells(app::GridCells cells) : cells_(std::move(cells)) {}
  int rowCount() const override { return cells_.rows(); }
  int columnCount() const override { return cells_.cols(); }
  QString text(int row, int column) const override { return cells_.text(row, column); }

 private:
  app::GridCells cells_;
};

// One line per row, the cells separated by tabs, the lines by "\n".
QString tabSeparatedText(const display::GridCells& cells);

// A text document made on a worker thread and handed to the window thread.
struct PreviewDocument {
  std::unique_ptr<QTextDocument> document;
  ~PreviewDocument();
};

// Runs on a worker thread: the cells' tab-separated text as a document that
// belongs to the application's main thread, where the caller takes it over.
std::shared_ptr<PreviewDocument> makePreviewDocument(const display::GridCells& cells);

}  // namespace orlix::app
