// FlexGridModel: shows a grid's cells in a table view. The fixed rows become
// the column headings and the fixed columns the row labels, so they stay in
// place while the rest scrolls; every other cell is read on demand.
#pragma once

#include <QAbstractTableModel>

#include "app/grid_cells.h"

namespace orlix::app {

class FlexGridModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit FlexGridModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

  GridCells& cells() { return cells_; }
  const GridCells& cells() const { return cells_; }
  int fixedRows() const { return fixedRows_; }
  int fixedCols() const { return fixedCols_; }
  void setFixed(int fixedRows, int fixedCols);
  // Wraps a change of the cells' shape or order.
  void reset(const std::function<void()>& change);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  GridCells cells_;
  int fixedRows_ = 1;
  int fixedCols_ = 0;
};

}  // namespace orlix::app
