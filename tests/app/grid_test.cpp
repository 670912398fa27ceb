// The grid control: cells over a record set, fixed rows and columns, the
// copied text of a selection, the Tab walk and the sort items of its menu.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <clocale>

#include "app/copy_cells.h"
#include "app/orl_flex_grid.h"
#include "app/orl_list_box.h"
#include "platform/ado/recordset.h"
#include "tests/app/app_test_support.h"

namespace orlix::app::test {
namespace {

class GridTest : public AppTest {
 protected:
  // Fields Name, Group and Value (a double); four records.
  void bindSample(int fixedCols) {
    grid.setFixedCols(0);
    grid.setDataSource(memoryRecordset({"Name", "Group", "Value#"}, {{"root", "a", "2.5"},
                                                                     {"root_L", "b", "-1"},
                                                                     {"root_R", "a", ""},
                                                                     {"root_L_L", "B", "10"}}));
    grid.setFixedCols(fixedCols);
    grid.resize(500, 300);
  }
  QString clipboardAfterCopy(const GridSelection& selection) {
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    grid.select(selection);
    grid.CopyCells();
    return QGuiApplication::clipboard()->text();
  }
  OrlFlexGrid grid;
};

TEST_F(GridTest, ABoundGridShowsTheFieldNamesAboveTheRecords) {
  bindSample(0);
  EXPECT_EQ(grid.Rows(), 5);
  EXPECT_EQ(grid.Cols(), 3);
  EXPECT_EQ(grid.FixedRows(), 1);
  EXPECT_EQ(grid.TextMatrix(0, 2), QStringLiteral("Value"));
  EXPECT_EQ(grid.TextMatrix(1, 0), QStringLiteral("root"));
  EXPECT_EQ(grid.TextMatrix(1, 2), QStringLiteral("2.5"));
  EXPECT_EQ(grid.TextMatrix(3, 2), QString());  // NULL
  EXPECT_EQ(grid.TextMatrix(9, 9), QString());  // outside the grid
  // The fixed row is the heading; with one fixed column its cells label the rows.
  EXPECT_EQ(grid.view()->model()->rowCount(), 4);
  EXPECT_EQ(grid.view()->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Group"));
  EXPECT_TRUE(grid.view()->verticalHeader()->isHidden());
  grid.setFixedCols(1);
  EXPECT_FALSE(grid.view()->verticalHeader()->isHidden());
  EXPECT_EQ(grid.view()->model()->columnCount(), 2);
  EXPECT_EQ(grid.view()->model()->headerData(1, Qt::Vertical).toString(), QStringLiteral("root_L"));
}

TEST_F(GridTest, NumbersShowTheSameInAnyLocale) {
  const char* previous = std::setlocale(LC_ALL, nullptr);
  const std::string saved = previous ? previous : "C";
  if (!std::setlocale(LC_ALL, "de_DE.UTF-8")) GTEST_SKIP() << "de_DE.UTF-8 is not installed";
  bindSample(0);
  EXPECT_EQ(grid.TextMatrix(1, 2), QStringLiteral("2.5"));
  std::setlocale(LC_ALL, saved.c_str());
}

TEST_F(GridTest, ASingleCellCopiesNothing) {
  bindSample(1);
  EXPECT_EQ(clipboardAfterCopy({2, 1, 2, 1}), QStringLiteral("before"));
}

TEST_F(GridTest, AWholeColumnCopiesItsHeadingThenOneValuePerLine) {
  bindSample(0);
  EXPECT_EQ(clipboardAfterCopy({1, 1, 4, 1}), QStringLiteral("Group\r\na\r\nb\r\na\r\nB"));
}

TEST_F(GridTest, RowLabelsLeadEachLineRightOfTheFixedColumn) {
  bindSample(1);
  // Rows 3 to 4, columns 1 to 2: corner cell and headings, then each row led by its label.
  EXPECT_EQ(clipboardAfterCopy({3, 1, 4, 2}),
            QStringLiteral("Name\tGroup\tValue\r\nroot_R\ta\t\r\nroot_L_L\tB\t10"));
  EXPECT_EQ(grid.Row(), 3);
  EXPECT_EQ(grid.Col(), 1);
  EXPECT_EQ(grid.RowSel(), 4);
  EXPECT_EQ(grid.ColSel(), 2);
}

TEST_F(GridTest, AGridWithoutFixedRowsCopiesNoHeading) {
  grid.setCols(2);
  grid.setFixedRows(0);
  grid.AddItem(QStringLiteral("x\t1"));
  grid.AddItem(QStringLiteral("y\t2"));
  grid.AddItem(QStringLiteral("z\t3"));
  EXPECT_EQ(grid.Rows(), 3);
  EXPECT_EQ(clipboardAfterCopy({0, 0, 2, 1}), QStringLiteral("x\t1\r\ny\t2\r\nz\t3"));
  EXPECT_EQ(copyCellsText([](int r, int c) { return QStringLiteral("%1%2").arg(r).arg(c); }, 0, 1, {1, 2, 0, 1}),
            QStringLiteral("00\t01\t02\r\n10\t11\t12"));
}

TEST_F(GridTest, TabWalksRightThenToTheNextRowAndStopsAtTheLastCell) {
  bindSample(0);
  grid.setColWidth(1, 0);  // a hidden column is skipped
  grid.select({1, 0, 1, 0});
  const auto tab = [this] {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QApplication::sendEvent(grid.view(), &press);
    return std::make_pair(grid.Row(), grid.Col());
  };
  EXPECT_EQ(tab(), std::make_pair(1, 2));
  EXPECT_EQ(tab(), std::make_pair(2, 0));
  grid.select({4, 2, 4, 2});
  EXPECT_EQ(tab(), std::make_pair(4, 2));
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QApplication::sendEvent(grid.view(), &enter);
  EXPECT_EQ(grid.Row(), 4);
}

TEST_F(GridTest, TheMenuSortsByTheCurrentColumnAndRestoresTheOriginalOrder) {
  bindSample(0);
  QMenu* menu = grid.contextMenu();
  const auto item = [menu](const char* name) { return menu->findChild<QAction*>(QString::fromLatin1(name)); };
  EXPECT_EQ(item("cmnSortUp")->text(), QStringLiteral("Sort in &Acending Order"));
  EXPECT_EQ(item("cmnSortDown")->text(), QStringLiteral("&Sort in Decending Order"));
  EXPECT_EQ(item("cmnRestoreSort")->text(), QStringLiteral("&Restore Original Order"));
  EXPECT_FALSE(item("cmnPaste")->isEnabled());

  grid.select({1, 2, 1, 2});
  item("cmnSortUp")->trigger();
  QStringList values;
  for (int r = 1; r < grid.Rows(); ++r) values << grid.TextMatrix(r, 2);
  EXPECT_EQ(values, (QStringList{"", "-1", "2.5", "10"}));  // NULL first, then by value
  EXPECT_EQ(grid.TextMatrix(2, 0), QStringLiteral("root_L"));  // whole rows move

  item("cmnSortDown")->trigger();
  EXPECT_EQ(grid.TextMatrix(1, 2), QStringLiteral("10"));
  item("cmnRestoreSort")->trigger();
  for (int r = 1; r < grid.Rows(); ++r) values[r - 1] = grid.TextMatrix(r, 0);
  EXPECT_EQ(values, (QStringList{"root", "root_L", "root_R", "root_L_L"}));
}

TEST_F(GridTest, TheMenuCopiesTheSelection) {
  bindSample(0);
  QGuiApplication::clipboard()->clear();
  grid.select({1, 0, 2, 1});
  grid.contextMenu()->findChild<QAction*>(QStringLiteral("cmnCopy"))->trigger();
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("Name\tGroup\r\nroot\ta\r\nroot_L\tb"));
  // The copy key in the grid copies the same, not the current cell alone.
  QGuiApplication::clipboard()->clear();
  QKeyEvent copy(QEvent::KeyPress, Qt::Key_C, Qt::ControlModifier, QStringLiteral("c"));
  QApplication::sendEvent(grid.view(), &copy);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("Name\tGroup\r\nroot\ta\r\nroot_L\tb"));
}

TEST_F(GridTest, SelectAllThenInverseSelectionLeavesNothingChecked) {
  OrlListBox list;
  for (const char* name : {"island", "bill_length_mm", "sex"}) list.AddItem(QString::fromLatin1(name));
  list.setSelected(1, true);
  list.inverseSelection();
  EXPECT_EQ(list.SelCount(), 2);
  EXPECT_FALSE(list.Selected(1));
  list.editMenu()->findChild<QAction*>(QStringLiteral("mnuEditSelAll"))->trigger();
  EXPECT_EQ(list.SelCount(), 3);
  list.editMenu()->findChild<QAction*>(QStringLiteral("mnuSelInverse"))->trigger();
  EXPECT_EQ(list.SelCount(), 0);
  EXPECT_EQ(list.ListCount(), 3);
  EXPECT_EQ(list.List(2), QStringLiteral("sex"));
}

}  // namespace
}  // namespace orlix::app::test
