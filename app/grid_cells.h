// GridCells: the cells of a grid in the grid's own coordinates. Bound to a
// record set, row 0 holds the field names and row r the record r - 1, read
// from the record set's table only when asked for (no copy of the cells);
// unbound, the grid holds the texts it was given. Rows below the fixed rows
// can be shown sorted on a column and put back in their original order.
#pragma once

#include <QHash>
#include <QString>
#include <QVector>
#include <memory>
#include <vector>

namespace orlix::ado {
class Recordset;
class Table;
}

namespace orlix::app {

class GridCells {
 public:
  // Binds the grid to `source` (null unbinds and empties it).
  void bind(std::shared_ptr<ado::Recordset> source);
  const std::shared_ptr<ado::Recordset>& source() const { return source_; }

  int rows() const;
  int cols() const;
  // Unbound grids only; a bound grid takes its size from its record set.
  void setRows(int rows);
  void setCols(int cols);
  // Appends an unbound row whose cells are the tab-separated parts of `item`.
  void addItem(const QString& item);
  // Empties every cell's text, keeping the size.
  void clear();

  // "" outside the grid.
  QString text(int row, int col) const;
  void setText(int row, int col, const QString& text);
  // A bound cell holding a number: shown right-aligned.
  bool isNumeric(int row, int col) const;

  // Shows the rows from `firstRow` on ordered by `col`; NULLs and empty
  // texts first, text ignoring case, numbers by value.
  void sortRows(int col, bool descending, int firstRow);
  void restoreOrder();
  bool isSorted() const { return !order_.empty(); }

 private:
  size_t tableRow(int gridRow) const;
  int unboundRow(int gridRow) const;
  static qint64 key(int row, int col) { return (qint64(row) << 32) | quint32(col); }

  std::shared_ptr<ado::Recordset> source_;
  std::shared_ptr<const ado::Table> table_;
  int rows_ = 0, cols_ = 0;          // unbound size
  QVector<QString> cells_;           // unbound texts, row by row
  QHash<qint64, QString> written_;   // texts written into a bound grid
  std::vector<size_t> order_;        // shown order of the sortable rows; empty: original
  int firstSorted_ = 0;
};

}  // namespace orlix::app
