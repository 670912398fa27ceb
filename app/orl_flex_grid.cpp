#include "app/orl_flex_grid.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QMenu>
#include <QVBoxLayout>

#include "app/flex_grid_model.h"
#include "app/printing.h"
#include "app/twips.h"
#include "platform/ado/recordset.h"

namespace orlix::app {

namespace {

constexpr int kSampledRows = 100;  // rows measured when sizing columns
constexpr int kMaxColumnChars = 40;

QAction* menuItem(QMenu* menu, const char* name, const char* caption, bool enabled) {
  QAction* action = menu->addAction(QString::fromLatin1(caption));
  action->setObjectName(QString::fromLatin1(name));
  action->setEnabled(enabled);
  return action;
}

}  // namespace

FlexGridView::FlexGridView(QWidget* parent) : QTableView(parent) {
  setObjectName(QStringLiteral("flxGrid"));
  setAccessibleName(QStringLiteral("flxGrid"));
  setSelectionMode(QAbstractItemView::ContiguousSelection);
  setSelectionBehavior(QAbstractItemView::SelectItems);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setWordWrap(false);
  setTabKeyNavigation(false);
  // Fixed row heights keep a million rows as cheap as a hundred.
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  horizontalHeader()->setHighlightSections(true);
}

bool FlexGridView::event(QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Tab && key->modifiers() == Qt::NoModifier) {
      moveToNextCell();
      return true;
    }
  }
  return QTableView::event(event);
}

void FlexGridView::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) return;  // Enter does nothing
  if (event->matches(QKeySequence::Copy)) {
    emit copyRequested();  // the whole selection, not the current cell alone
    return;
  }
  QTableView::keyPressEvent(event);
}

void FlexGridView::moveToNextCell() {
  const QModelIndex current = currentIndex();
  if (!model() || !current.isValid()) return;
  const auto visible = [this](int col) { return !isColumnHidden(col) && columnWidth(col) >= 1; };
  int row = current.row();
  int col = current.column() + 1;
  while (col < model()->columnCount() && !visible(col)) ++col;
  if (col >= model()->columnCount()) {
    if (row + 1 >= model()->rowCount()) return;  // last visible cell: stay
    ++row;
    col = 0;
    while (col < model()->columnCount() && !visible(col)) ++col;
    if (col >= model()->columnCount()) return;
  }
  setCurrentIndex(model()->index(row, col));
}

void FlexGridView::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) return;  // the selection stays for the menu
  QTableView::mousePressEvent(event);
}

void FlexGridView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) {
    emit menuRequested(event->globalPosition().toPoint());
    return;
  }
  QTableView::mouseReleaseEvent(event);
}

void FlexGridView::contextMenuEvent(QContextMenuEvent* event) {
  // The mouse opens the menu on release; the keyboard's menu key here.
  if (event->reason() == QContextMenuEvent::Keyboard) emit menuRequested(event->globalPos());
}

OrlFlexGrid::OrlFlexGrid(QWidget* parent) : QWidget(parent) {
  model_ = new FlexGridModel(this);
  view_ = new FlexGridView(this);
  view_->setModel(model_);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(view_);
  setFocusProxy(view_);

  menu_ = new QMenu(QStringLiteral("SubMenu"), this);
  menu_->setObjectName(QStringLiteral("cmnSubMenu"));
  connect(menuItem(menu_, "cmnCopy", "&Copy", true), &QAction::triggered, this, &OrlFlexGrid::CopyCells);
  menuItem(menu_, "cmnDelete", "&Delete", false);
  menuItem(menu_, "cmnPaste", "&Paste", false);
  menuItem(menu_, "cmnUndo", "&Undo", false);
  menu_->addSeparator()->setObjectName(QStringLiteral("cmnLine1"));
  connect(menuItem(menu_, "cmnSortUp", "Sort in &Acending Order", true), &QAction::triggered, this,
          &OrlFlexGrid::sortAscending);
  connect(menuItem(menu_, "cmnRestoreSort", "&Restore Original Order", true), &QAction::triggered, this,
          &OrlFlexGrid::restoreOriginalOrder);
  connect(menuItem(menu_, "cmnSortDown", "&Sort in Decending Order", true), &QAction::triggered, this,
          &OrlFlexGrid::sortDescending);
  connect(view_, &FlexGridView::menuRequested, this, &OrlFlexGrid::popUpMenu);
  connect(view_, &FlexGridView::copyRequested, this, &OrlFlexGrid::CopyCells);
  showHeaders();
}

OrlFlexGrid::~OrlFlexGrid() = default;

void OrlFlexGrid::setDataSource(std::shared_ptr<ado::Recordset> source) {
  model_->reset([&] { model_->cells().bind(std::move(source)); });
  sizeColumns();
}

const std::shared_ptr<ado::Recordset>& OrlFlexGrid::DataSource() const { return model_->cells().source(); }

int OrlFlexGrid::Rows() const { return model_->cells().rows(); }
int OrlFlexGrid::Cols() const { return model_->cells().cols(); }

void OrlFlexGrid::setRows(int rows) {
  model_->reset([&] { model_->cells().setRows(rows); });
}

void OrlFlexGrid::setCols(int cols) {
  model_->reset([&] { model_->cells().setCols(cols); });
}

int OrlFlexGrid::FixedRows() const { return model_->fixedRows(); }
int OrlFlexGrid::FixedCols() const { return model_->fixedCols(); }

void OrlFlexGrid::setFixedRows(int rows) {
  model_->setFixed(rows, model_->fixedCols());
  showHeaders();
}

void OrlFlexGrid::setFixedCols(int cols) {
  model_->setFixed(model_->fixedRows(), cols);
  showHeaders();
  sizeColumns();
}

QString OrlFlexGrid::TextMatrix(int row, int col) const { return model_->cells().text(row, col); }

void OrlFlexGrid::setTextMatrix(int row, int col, const QString& text) {
  model_->cells().setText(row, col, text);
  view_->viewport()->update();
  view_->horizontalHeader()->viewport()->update();
  view_->verticalHeader()->viewport()->update();
}

void OrlFlexGrid::AddItem(const QString& item) {
  model_->reset([&] { model_->cells().addItem(item); });
}

void OrlFlexGrid::Clear() {
  model_->reset([&] { model_->cells().clear(); });
}

void OrlFlexGrid::Refresh() { view_->viewport()->update(); }

GridSelection OrlFlexGrid::selection() const {
  const int fr = FixedRows(), fc = FixedCols();
  const QModelIndex current = view_->currentIndex();
  if (!current.isValid()) return {fr, fc, fr, fc};
  int anchorRow = current.row(), anchorCol = current.column();
  for (const QItemSelectionRange& range : view_->selectionModel()->selection()) {
    if (!range.contains(current)) continue;
    anchorRow = current.row() == range.top() ? range.bottom() : range.top();
    anchorCol = current.column() == range.left() ? range.right() : range.left();
    break;
  }
  return {anchorRow + fr, anchorCol + fc, current.row() + fr, current.column() + fc};
}

void OrlFlexGrid::select(const GridSelection& s) {
  const int rows = model_->rowCount(), cols = model_->columnCount();
  if (rows == 0 || cols == 0) return;
  const auto index = [&](int row, int col) {
    return model_->index(std::clamp(row - FixedRows(), 0, rows - 1), std::clamp(col - FixedCols(), 0, cols - 1));
  };
  const QModelIndex anchor = index(s.row, s.col), moving = index(s.rowSel, s.colSel);
  const QModelIndex topLeft = model_->index(std::min(anchor.row(), moving.row()), std::min(anchor.column(), moving.column()));
  const QModelIndex bottomRight =
      model_->index(std::max(anchor.row(), moving.row()), std::max(anchor.column(), moving.column()));
  view_->selectionModel()->setCurrentIndex(moving, QItemSelectionModel::NoUpdate);
  view_->selectionModel()->select(QItemSelection(topLeft, bottomRight), QItemSelectionModel::ClearAndSelect);
}

void OrlFlexGrid::setRow(int row) { select({row, Col(), row, Col()}); }
void OrlFlexGrid::setCol(int col) { select({Row(), col, Row(), col}); }
void OrlFlexGrid::setRowSel(int row) { select({Row(), Col(), row, ColSel()}); }
void OrlFlexGrid::setColSel(int col) { select({Row(), Col(), RowSel(), col}); }

int OrlFlexGrid::ColWidth(int col) const {
  const int viewCol = col - FixedCols();
  const int pixels = viewCol >= 0 ? view_->columnWidth(viewCol) : view_->verticalHeader()->width();
  return qRound(pixels * 1440.0 / logicalDpiY());
}

void OrlFlexGrid::setColWidth(int col, int twips) {
  const int viewCol = col - FixedCols();
  if (viewCol >= 0) view_->setColumnWidth(viewCol, twipsToPixels(twips, this));
}

QString OrlFlexGrid::copyCellsText() const {
  const GridCells& cells = model_->cells();
  return app::copyCellsText([&cells](int row, int col) { return cells.text(row, col); }, FixedRows(), FixedCols(),
                            selection());
}

void OrlFlexGrid::CopyCells() {
  const QString text = copyCellsText();
  if (text.isEmpty()) return;
  QGuiApplication::clipboard()->setText(text);
}

int OrlFlexGrid::PrintGrid(const diagramprint::PrinterSelection& printer, const QString& docName) {
  return printGrid(*this, docName, printer, this);
}

const GridCells& OrlFlexGrid::cells() const { return model_->cells(); }

void OrlFlexGrid::popUpMenu(const QPoint& globalPos) {
  const bool sortable = model_->rowCount() > 1;
  for (const char* name : {"cmnSortUp", "cmnSortDown"})
    menu_->findChild<QAction*>(QString::fromLatin1(name))->setEnabled(sortable);
  menu_->findChild<QAction*>(QStringLiteral("cmnRestoreSort"))->setEnabled(model_->cells().isSorted());
  menu_->popup(globalPos);
}

void OrlFlexGrid::sortAscending() { sortByCurrentColumn(false); }
void OrlFlexGrid::sortDescending() { sortByCurrentColumn(true); }

void OrlFlexGrid::sortByCurrentColumn(bool descending) {
  const GridSelection kept = selection();
  QApplication::setOverrideCursor(Qt::WaitCursor);
  model_->reset([&] { model_->cells().sortRows(ColSel(), descending, FixedRows()); });
  QApplication::restoreOverrideCursor();
  select({FixedRows(), kept.colSel, FixedRows(), kept.colSel});
}

void OrlFlexGrid::restoreOriginalOrder() {
  const GridSelection kept = selection();
  model_->reset([&] { model_->cells().restoreOrder(); });
  select({FixedRows(), kept.colSel, FixedRows(), kept.colSel});
}

void OrlFlexGrid::showHeaders() {
  view_->horizontalHeader()->setVisible(FixedRows() > 0);
  view_->verticalHeader()->setVisible(FixedCols() > 0);
}

void OrlFlexGrid::sizeColumns() {
  // Each column fits its heading and the first rows, within a sensible width.
  const QFontMetrics metrics = view_->fontMetrics();
  const int limit = metrics.averageCharWidth() * kMaxColumnChars;
  const int padding = metrics.averageCharWidth() * 2;
  const int sampled = std::min(model_->rowCount(), kSampledRows);
  for (int c = 0; c < model_->columnCount(); ++c) {
    int width = metrics.horizontalAdvance(model_->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString()) + 3 * padding;
    for (int r = 0; r < sampled; ++r)
      width = std::max(width, metrics.horizontalAdvance(model_->data(model_->index(r, c), Qt::DisplayRole).toString()) + padding);
    view_->setColumnWidth(c, std::min(width, limit));
  }
}

}  // namespace orlix::app
