#include "app/grid_cells.h"

#include <QLocale>
#include <algorithm>
#include <numeric>

#include "app/cell_text.h"
#include "platform/ado/recordset.h"
#include "platform/ado/row_order.h"

namespace orlix::app {

namespace {

// Unbound cells compare as numbers when both read as numbers, else as text
// ignoring case; empty texts come first.
bool textLess(const QString& a, const QString& b) {
  if (a.isEmpty() || b.isEmpty()) return a.isEmpty() && !b.isEmpty();
  bool aNumber = false, bNumber = false;
  const double x = QLocale::c().toDouble(a, &aNumber);
  const double y = QLocale::c().toDouble(b, &bNumber);
  if (aNumber && bNumber) return x < y;
  return a.compare(b, Qt::CaseInsensitive) < 0;
}

}  // namespace

void GridCells::bind(std::shared_ptr<ado::Recordset> source) {
  source_ = std::move(source);
  table_ = source_ ? source_->table() : nullptr;
  if (!table_) source_.reset();
  rows_ = cols_ = 0;
  cells_.clear();
  written_.clear();
  order_.clear();
}

int GridCells::rows() const { return table_ ? static_cast<int>(table_->rowCount()) + 1 : rows_; }

int GridCells::cols() const { return table_ ? static_cast<int>(table_->fieldCount()) : cols_; }

void GridCells::setRows(int rows) {
  if (table_ || rows < 0) return;
  cells_.resize(qsizetype(rows) * cols_);
  if (!order_.empty()) order_.clear();
  rows_ = rows;
}

void GridCells::setCols(int cols) {
  if (table_ || cols < 0) return;
  QVector<QString> resized(qsizetype(rows_) * cols);
  for (int r = 0; r < rows_; ++r)
    for (int c = 0; c < std::min(cols, cols_); ++c) resized[qsizetype(r) * cols + c] = cells_[qsizetype(r) * cols_ + c];
  cells_ = std::move(resized);
  cols_ = cols;
}

void GridCells::addItem(const QString& item) {
  if (table_) return;
  const QStringList parts = item.split(QLatin1Char('\t'));
  if (cols_ == 0) setCols(1);
  setRows(rows_ + 1);
  for (int c = 0; c < std::min<int>(cols_, parts.size()); ++c) setText(rows_ - 1, c, parts[c]);
}

void GridCells::clear() {
  if (table_) {
    bind(nullptr);
    return;
  }
  std::fill(cells_.begin(), cells_.end(), QString());
}

size_t GridCells::tableRow(int gridRow) const {
  const size_t dataRow = static_cast<size_t>(gridRow - 1);
  return order_.empty() ? dataRow : order_[dataRow];
}

int GridCells::unboundRow(int gridRow) const {
  return order_.empty() ? gridRow : static_cast<int>(order_[static_cast<size_t>(gridRow)]);
}

QString GridCells::text(int row, int col) const {
  if (row < 0 || col < 0 || row >= rows() || col >= cols()) return {};
  if (!table_) return cells_[qsizetype(unboundRow(row)) * cols_ + col];
  if (!written_.isEmpty()) {
    const auto it = written_.constFind(key(row, col));
    if (it != written_.constEnd()) return *it;
  }
  if (row == 0) return QString::fromStdString(table_->field(static_cast<size_t>(col)).name);
  return cellText(table_->value(tableRow(row), static_cast<size_t>(col)));
}

void GridCells::setText(int row, int col, const QString& text) {
  if (row < 0 || col < 0 || row >= rows() || col >= cols()) return;
  if (table_)
    written_.insert(key(row, col), text);
  else
    cells_[qsizetype(unboundRow(row)) * cols_ + col] = text;
}

bool GridCells::isNumeric(int row, int col) const {
  if (!table_ || row < 1 || col < 0 || col >= cols()) return false;
  return ado::storageOf(table_->field(static_cast<size_t>(col)).type) != ado::Storage::Text;
}

void GridCells::sortRows(int col, bool descending, int firstRow) {
  if (col < 0 || col >= cols()) return;
  firstRow = std::max(firstRow, table_ ? 1 : 0);
  if (table_) {
    // Table rows before the first sortable grid row keep their places.
    const size_t kept = static_cast<size_t>(firstRow - 1);
    std::vector<size_t> sorted = ado::sortedRows(*table_, {ado::SortKey{static_cast<size_t>(col), descending}});
    order_.resize(kept);
    std::iota(order_.begin(), order_.end(), size_t{0});
    for (size_t row : sorted)
      if (row >= kept) order_.push_back(row);
    return;
  }
  std::vector<size_t> order(static_cast<size_t>(rows_));
  std::iota(order.begin(), order.end(), size_t{0});
  if (firstRow < rows_) {
    const auto cell = [this, col](size_t r) { return cells_[qsizetype(r) * cols_ + col]; };
    std::stable_sort(order.begin() + firstRow, order.end(), [&](size_t a, size_t b) {
      return descending ? textLess(cell(b), cell(a)) : textLess(cell(a), cell(b));
    });
  }
  order_ = std::move(order);
}

void GridCells::restoreOrder() { order_.clear(); }

}  // namespace orlix::app
