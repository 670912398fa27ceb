// The print control as a visible control: the page window's place and scroll
// bars, mouse zoom and page turning, the print dialog's presets.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPageRanges>
#include <QRadioButton>
#include <QTimer>
#include <QMouseEvent>
#include <QPrintDialog>
#include <QPrinter>
#include <QScrollBar>

#include "diagramprint/printer_access.h"
#include "diagramprint/widgets/pagrix_widget.h"
#include "tests/diagramprint/support/fake_diagram.h"
#include "tests/diagramprint/support/pdf_text.h"

namespace orlix::diagramprint {
namespace {

using test::FakeDiagram;

class PagrixWidgetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    widget.resize(600, 500);
    widget.show();
    ctrl().SethWndFlow(&diagram);
    ctrl().SetPreview(true);
    ctrl().PrintDoc();
  }

  PagrixCtrl& ctrl() { return widget.control(); }

  void release(Qt::KeyboardModifiers modifiers) {
    QMouseEvent event(QEvent::MouseButtonRelease, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton,
                      Qt::NoButton, modifiers);
    QApplication::sendEvent(widget.pageWindow(), &event);
  }
  void doubleClick(Qt::MouseButton button) {
    QMouseEvent event(QEvent::MouseButtonDblClick, QPointF(5, 5), QPointF(5, 5), button, button,
                      Qt::NoModifier);
    QApplication::sendEvent(widget.pageWindow(), &event);
  }

  FakeDiagram diagram = FakeDiagram::grid(40, 10);
  PagrixWidget widget;
};

TEST_F(PagrixWidgetTest, FitZoomCentresTheWholePageWithoutBars) {
  ASSERT_EQ(ctrl().Zoom(), 0);
  const QRect page = widget.pageWindow()->geometry();
  const int zoom = ctrl().effectiveZoom();
  EXPECT_EQ(zoom % 10, 0);
  EXPECT_LE(page.height(), widget.contentsRect().height() * 9 / 10 + 1);
  EXPECT_GT(page.height(), widget.contentsRect().height() * 9 / 10 * (zoom - 10) / (zoom + 10) - 1);
  const QWidget* viewport = widget.pageWindow()->parentWidget();
  EXPECT_NEAR(page.center().x(), viewport->width() / 2, 1);
  EXPECT_NEAR(page.center().y(), viewport->height() / 2, 1);
  EXPECT_FALSE(widget.horizontalBar()->isVisible());
  EXPECT_FALSE(widget.verticalBar()->isVisible());
}

TEST_F(PagrixWidgetTest, ALargeZoomScrollsInLinesOfATenthOfThePage) {
  ctrl().SetZoom(300);
  ASSERT_TRUE(widget.verticalBar()->isVisible());
  ASSERT_TRUE(widget.horizontalBar()->isVisible());
  EXPECT_EQ(widget.verticalBar()->singleStep(), ctrl().pageSizeTwips().height() / 10);
  EXPECT_EQ(widget.horizontalBar()->singleStep(), ctrl().pageSizeTwips().width() / 10);
  EXPECT_EQ(widget.pageWindow()->pos(), QPoint(0, 0));
  widget.verticalBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  const int lineInPixels = widget.pageWindow()->logicalDpiY() * (ctrl().pageSizeTwips().height() / 10) / 1440;
  EXPECT_NEAR(widget.pageWindow()->y(), -lineInPixels, 1);
  // A new preview page scrolls back to the top.
  ctrl().NextPage();
  EXPECT_EQ(widget.verticalBar()->value(), 0);
  EXPECT_EQ(widget.pageWindow()->y(), 0);
}

TEST_F(PagrixWidgetTest, DoubleClicksZoomInAndOutWithinTheLimits) {
  ctrl().SetZoom(395);
  doubleClick(Qt::LeftButton);
  EXPECT_EQ(ctrl().Zoom(), 400);
  doubleClick(Qt::LeftButton);
  EXPECT_EQ(ctrl().Zoom(), 400);
  ctrl().SetZoom(15);
  doubleClick(Qt::RightButton);
  EXPECT_EQ(ctrl().Zoom(), 10);
  doubleClick(Qt::RightButton);
  EXPECT_EQ(ctrl().Zoom(), 10);
  // From the fitted zoom the step starts at the effective zoom.
  ctrl().SetZoom(0);
  const int fitted = ctrl().effectiveZoom();
  doubleClick(Qt::LeftButton);
  EXPECT_EQ(ctrl().Zoom(), fitted + 10);
  ctrl().SetMouseZoom(false);
  doubleClick(Qt::LeftButton);
  EXPECT_EQ(ctrl().Zoom(), fitted + 10);
}

TEST_F(PagrixWidgetTest, ShiftDoubleClicksTurnThePages) {
  const int pages = ctrl().PageCount();
  ASSERT_GE(pages, 2);
  release(Qt::ShiftModifier);
  doubleClick(Qt::LeftButton);
  EXPECT_EQ(ctrl().PreviewPage(), 2);
  EXPECT_EQ(ctrl().Zoom(), 0) << "no zoom while turning pages";
  doubleClick(Qt::RightButton);
  doubleClick(Qt::RightButton);
  EXPECT_EQ(ctrl().PreviewPage(), 1) << "not before the first page";
  for (int i = 0; i < pages + 2; ++i) doubleClick(Qt::LeftButton);
  EXPECT_EQ(ctrl().PreviewPage(), pages) << "not after the last page";
  release(Qt::NoModifier);
  doubleClick(Qt::LeftButton);
  EXPECT_EQ(ctrl().PreviewPage(), pages);
  EXPECT_NE(ctrl().Zoom(), 0) << "without Shift a double-click zooms";
  ctrl().SetMousePage(false);
  release(Qt::ShiftModifier);
  doubleClick(Qt::RightButton);
  EXPECT_EQ(ctrl().PreviewPage(), pages) << "MousePage off: Shift zooms too";
}

TEST_F(PagrixWidgetTest, ThePageWindowShowsThePage) {
  ctrl().SetPageBorder(4);
  ctrl().SetZoom(100);
  const QImage image = widget.pageWindow()->grab().toImage();
  ASSERT_FALSE(image.isNull());
  EXPECT_EQ(qGray(image.pixel(3, 3)), 255) << "paper";
  // The box border one pixel outside the one-inch margin.
  const int dpi = widget.pageWindow()->logicalDpiX();
  EXPECT_LT(qGray(image.pixel(dpi * 2, dpi - 1)), 128);
}

TEST(PrintDialogChooserTest, ThePageRangeIsPresetAndSelectionDisabled) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  QPrintDialog dialog(&printer);
  PrintDialogChooser::prepare(dialog, 5);
  EXPECT_EQ(dialog.minPage(), 1);
  EXPECT_EQ(dialog.maxPage(), 5);
  EXPECT_EQ(dialog.fromPage(), 1);
  EXPECT_EQ(dialog.toPage(), 5);
  EXPECT_EQ(dialog.printRange(), QAbstractPrintDialog::PageRange);
  EXPECT_FALSE(dialog.testOption(QAbstractPrintDialog::PrintSelection));
  EXPECT_TRUE(dialog.testOption(QAbstractPrintDialog::PrintToFile));

  printer.setPrintRange(QPrinter::PageRange);
  printer.setFromTo(2, 3);
  EXPECT_EQ(PrintDialogChooser::chosenPages(printer, 5), (PrintRangeChooser::PageRanges{{2, 3}}));
  printer.setPageRanges(QPageRanges::fromString(QStringLiteral("1,4-5")));
  EXPECT_EQ(PrintDialogChooser::chosenPages(printer, 5), (PrintRangeChooser::PageRanges{{1, 1}, {4, 5}}));
  printer.setPrintRange(QPrinter::AllPages);
  EXPECT_EQ(PrintDialogChooser::chosenPages(printer, 5), (PrintRangeChooser::PageRanges{{1, 5}}));
}

// The system's print dialog itself: print into a file, pages 2 to 3 of 5.
TEST(PrintDialogChooserTest, ChoosingPagesTwoToThreeOfFivePrintsTwo) {
  std::vector<QRect> boxes;
  for (int i = 0; i < 5; ++i) boxes.emplace_back(200 + i * 9360, 200, 1800, 900);
  FakeDiagram wide(boxes);
  PagrixWidget widget;
  PagrixCtrl& ctrl = widget.control();
  ctrl.SethWndFlow(&wide);
  ctrl.SetPrinterSettings(true);
  const QString pdf = QDir::current().absoluteFilePath(QStringLiteral("dialog.pdf"));
  QString names;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    for (QWidget* child : dialog->findChildren<QWidget*>())
      if (!child->objectName().isEmpty()) names += child->objectName() + QLatin1Char(' ');
    if (auto* file = dialog->findChild<QLineEdit*>(QStringLiteral("filename"))) file->setText(pdf);
    if (auto* range = dialog->findChild<QLineEdit*>(QStringLiteral("pagesLineEdit"))) range->setText(QStringLiteral("2-3"));
    if (auto* radio = dialog->findChild<QRadioButton*>(QStringLiteral("pagesRadioButton"))) radio->setChecked(true);
    dialog->accept();
  });
  ctrl.PrintDoc();
  EXPECT_EQ(test::pdfPageCount(pdf), 2) << names.toStdString();
  EXPECT_TRUE(test::pdfPageText(pdf, 1).contains(QStringLiteral("Node 2")));
}

}  // namespace
}  // namespace orlix::diagramprint
