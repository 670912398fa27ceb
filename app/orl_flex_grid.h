// OrlFlexGrid: the program's grid control. It shows a record set (its
// DataSource) or texts it is given, with fixed heading rows and columns that
// stay in place, a rectangular selection (Row/Col to RowSel/ColSel) that
// CopyCells puts on the clipboard, a Tab key that walks the cells, and a
// context menu to copy and to sort the rows by the current column. Grid
// coordinates count the fixed rows and columns: row 0 of a bound grid holds
// the field names.
#pragma once

#include <QTableView>
#include <QWidget>
#include <memory>

#include "app/copy_cells.h"
#include "diagramprint/printer_access.h"

class QMenu;

namespace orlix::ado {
class Recordset;
}

namespace orlix::app {

class FlexGridModel;
class GridCells;

// The inner grid (flxGrid): a table view with the grid's keys and mouse.
class FlexGridView : public QTableView {
  Q_OBJECT

 public:
  explicit FlexGridView(QWidget* parent);

 signals:
  void menuRequested(const QPoint& globalPos);
  void copyRequested();

 protected:
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  // Tab: the next visible cell to the right, then the next row's first.
  void moveToNextCell();
};

class OrlFlexGrid : public QWidget {
  Q_OBJECT

 public:
  explicit OrlFlexGrid(QWidget* parent = nullptr);
  ~OrlFlexGrid() override;

  // Binds the grid; null empties it. The grid shares the record set.
  void setDataSource(std::shared_ptr<ado::Recordset> source);
  const std::shared_ptr<ado::Recordset>& DataSource() const;

  int Rows() const;
  int Cols() const;
  void setRows(int rows);  // unbound grids
  void setCols(int cols);  // unbound grids
  int FixedRows() const;
  int FixedCols() const;
  void setFixedRows(int rows);
  void setFixedCols(int cols);
  QString TextMatrix(int row, int col) const;
  void setTextMatrix(int row, int col, const QString& text);
  void AddItem(const QString& item);
  void Clear();
  void Refresh();

  // The selection's corners, in grid coordinates.
  int Row() const { return selection().row; }
  int Col() const { return selection().col; }
  int RowSel() const { return selection().rowSel; }
  int ColSel() const { return selection().colSel; }
  // Setting Row or Col makes a single-cell selection; RowSel and ColSel extend it.
  void setRow(int row);
  void setCol(int col);
  void setRowSel(int row);
  void setColSel(int col);
  GridSelection selection() const;
  void select(const GridSelection& selection);

  // Column widths in twips; a width below one pixel hides the column from the Tab walk.
  int ColWidth(int col) const;
  void setColWidth(int col, int twips);

  // Puts the selection's text on the clipboard; a single cell copies nothing.
  void CopyCells();
  QString copyCellsText() const;
  // Prints the grid row by row on `printer` as the document `docName`
  // (File > Print); returns the pages printed, 0 when nothing was (the user
  // has been told why, or cancelled).
  int PrintGrid(const diagramprint::PrinterSelection& printer, const QString& docName);
  // Every cell in grid coordinates, the rows in the order shown.
  const GridCells& cells() const;

  FlexGridView* view() const { return view_; }
  QMenu* contextMenu() const { return menu_; }

 public slots:
  void sortAscending();
  void sortDescending();
  void restoreOriginalOrder();

 private:
  void popUpMenu(const QPoint& globalPos);
  void sortByCurrentColumn(bool descending);
  void sizeColumns();
  void showHeaders();

  FlexGridModel* model_;
  FlexGridView* view_;
  QMenu* menu_;
};

}  // namespace orlix::app
