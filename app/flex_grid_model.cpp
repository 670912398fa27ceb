#include "app/flex_grid_model.h"

#include <QStringList>

namespace orlix::app {

void FlexGridModel::setFixed(int fixedRows, int fixedCols) {
  reset([&] {
    fixedRows_ = std::max(0, fixedRows);
    fixedCols_ = std::max(0, fixedCols);
  });
}

void FlexGridModel::reset(const std::function<void()>& change) {
  beginResetModel();
  change();
  endResetModel();
}

int FlexGridModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : std::max(0, cells_.rows() - fixedRows_);
}

int FlexGridModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : std::max(0, cells_.cols() - fixedCols_);
}

QVariant FlexGridModel::data(const QModelIndex& index, int role) const {
  const int row = index.row() + fixedRows_, col = index.column() + fixedCols_;
  if (role == Qt::DisplayRole) return cells_.text(row, col);
  if (role == Qt::TextAlignmentRole)
    return QVariant::fromValue(Qt::AlignVCenter | (cells_.isNumeric(row, col) ? Qt::AlignRight : Qt::AlignLeft));
  return {};
}

QVariant FlexGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  QStringList parts;
  if (orientation == Qt::Horizontal) {
    for (int r = 0; r < fixedRows_; ++r) parts << cells_.text(r, section + fixedCols_);
    return parts.join(QLatin1Char('\n'));
  }
  for (int c = 0; c < fixedCols_; ++c) parts << cells_.text(section + fixedRows_, c);
  return parts.join(QLatin1Char(' '));
}

}  // namespace orlix::app
