#pragma once
// Printing a grid row by row, as File > Print does for the raw data, tree
// list and descriptives windows: every cell of every row, the heading row
// included, its trimmed text at print column 20 x (column + 1) characters,
// one text line per row, a new page when the next line would come within
// 600 twips of the page's foot. Nothing is wrapped or cut by the program; a
// cell that runs into the next one's column pushes it one character on.
#include <QFont>
#include <QString>
#include <functional>

class QAbstractItemModel;
class QPrinter;

namespace orlix::display {

// The cells a grid prints, as its TextMatrix gives them.
class GridCells {
 public:
  virtual ~GridCells() = default;
  virtual int rowCount() const = 0;
  virtual int columnCount() const = 0;
  virtual QString text(int row, int column) const = 0;
};

// An item model's cells (display role), with its horizontal header as row 0
// when `headingRow` is true.
class ModelGridCells : public GridCells {
 public:
  explicit ModelGridCells(const QAbstractItemModel& model, bool headingRow = true)
      : model_(model), headingRow_(headingRow) {}
  int rowCount() const override;
  int columnCount() const override;
  QString text(int row, int column) const override;

 private:
  const QAbstractItemModel& model_;
  bool headingRow_;
};

// Called after each row with the rows done and the row count; returning
// false cancels the print job.
using GridPrintProgress = std::function<bool(int done, int total)>;

inline constexpr int kGridPrintColumnWidth = 20;  // characters
inline constexpr int kGridPageFootTwips = 600;

// Prints the grid as one job named `docName` in `font`; returns the number of
// pages printed, 0 when cancelled (nothing is printed then). Throws
// diagramprint::ControlError 482 when the job fails.
int printGrid(const GridCells& cells, QPrinter& printer, const QString& docName,
              const GridPrintProgress& progress = {}, const QFont& font = QFont(QStringLiteral("Arial"), 10));

}  // namespace orlix::display
