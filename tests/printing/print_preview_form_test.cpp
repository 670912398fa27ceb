// The print preview form: its lists, menus and tool bar on the print control.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>

#include "diagramprint/pagrix_ctrl.h"
#include "diagramprint/widgets/pagrix_widget.h"
#include "display/printing/dlg_print_preview.h"
#include "tests/diagramprint/support/fake_diagram.h"

namespace orlix::display {
namespace {

using test::FakeDiagram;

class PrintPreviewFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form.printControl().SethWndFlow(&diagram);
    form.preview();
  }
  QComboBox* zoomList() { return form.findChild<QComboBox*>(QStringLiteral("cboZoom")); }
  QComboBox* pageList() { return form.findChild<QComboBox*>(QStringLiteral("cboPage")); }
  QString pagesLabel() { return form.findChild<QLabel*>(QStringLiteral("lblPages"))->text(); }
  QAction* action(const char* name) { return form.findChild<QAction*>(QString::fromLatin1(name)); }
  diagramprint::PagrixCtrl& ctrl() { return form.printControl(); }

  FakeDiagram diagram = FakeDiagram::grid(3, 3);  // fits on one page
  dlgPrintPreview form;
};

TEST_F(PrintPreviewFormTest, LoadingFillsTheZoomListAndSelectsOneHundred) {
  ASSERT_NE(zoomList(), nullptr);
  QStringList entries;
  for (int i = 0; i < zoomList()->count(); ++i) entries << zoomList()->itemText(i);
  EXPECT_EQ(entries, (QStringList{"50%", "75%", "88%", "90%", "100%", "120%", "150%", "200%", "250%",
                                  "300%", "350%", "400%"}));
  EXPECT_EQ(zoomList()->currentText(), QStringLiteral("100%"));
  EXPECT_EQ(ctrl().Zoom(), 100);
  EXPECT_NE(form.findChild<diagramprint::PagrixWidget*>(QStringLiteral("Pagrix1")), nullptr);
  for (const char* name : {"mnuFilePrint", "mnuFilePrintSetup", "mnuFileExit", "mnuFormatLandscape",
                           "mnuFormatPortrait", "mnuFormatToPage", "mnuViewZoomIn", "mnuViewZoomOut",
                           "Copy", "Print"})
    EXPECT_NE(action(name), nullptr) << name;
}

TEST_F(PrintPreviewFormTest, AOnePageMapListsOnlyPageOne) {
  ASSERT_EQ(pageList()->count(), 1);
  EXPECT_EQ(pageList()->itemText(0), QStringLiteral("1"));
  EXPECT_EQ(pagesLabel(), QStringLiteral("of 1 pages"));
}

TEST_F(PrintPreviewFormTest, ALargerMapListsEveryPage) {
  FakeDiagram wide = FakeDiagram::grid(40, 10);
  ctrl().SethWndFlow(&wide);
  form.preview();
  const int pages = ctrl().PageCount();
  ASSERT_GT(pages, 1);
  EXPECT_EQ(pageList()->count(), pages);
  EXPECT_EQ(pageList()->itemText(pages - 1), QString::number(pages));
  EXPECT_EQ(pagesLabel(), QStringLiteral("of %1 pages").arg(pages));
  form.choosePage(QStringLiteral("2"));
  EXPECT_EQ(ctrl().PreviewPage(), 2);
}

TEST_F(PrintPreviewFormTest, ZoomingStopsAtFourHundredAndFifty) {
  form.chooseZoom(QStringLiteral("400%"));
  EXPECT_EQ(ctrl().Zoom(), 400);
  action("mnuViewZoomIn")->trigger();
  EXPECT_EQ(ctrl().Zoom(), 400);
  form.chooseZoom(QStringLiteral("50%"));
  action("mnuViewZoomOut")->trigger();
  EXPECT_EQ(ctrl().Zoom(), 50);
  action("mnuViewZoomIn")->trigger();
  EXPECT_EQ(ctrl().Zoom(), 60);
  EXPECT_EQ(zoomList()->currentText(), QStringLiteral("60%"));
  form.chooseZoom(QStringLiteral("88%"));
  EXPECT_EQ(ctrl().Zoom(), 88);
  action("mnuViewZoomOut")->trigger();
  EXPECT_EQ(ctrl().Zoom(), 78);
}

TEST_F(PrintPreviewFormTest, FormatMenusSetOrientationAndFit) {
  action("mnuFormatLandscape")->trigger();
  EXPECT_EQ(ctrl().Orientation(), diagramprint::OrientLandscape);
  EXPECT_TRUE(action("mnuFormatLandscape")->isChecked());
  EXPECT_FALSE(action("mnuFormatPortrait")->isChecked());
  EXPECT_GT(ctrl().pageSizeTwips().width(), ctrl().pageSizeTwips().height());
  action("mnuFormatPortrait")->trigger();
  EXPECT_EQ(ctrl().Orientation(), diagramprint::OrientPortrait);
  EXPECT_TRUE(action("mnuFormatPortrait")->isChecked());
  action("mnuFormatToPage")->trigger();
  EXPECT_TRUE(ctrl().FitToPage());
  action("mnuFormatToPage")->trigger();
  EXPECT_FALSE(ctrl().FitToPage());
}

TEST_F(PrintPreviewFormTest, CopyPutsTheMapsPictureOnTheClipboard) {
  diagramprint::PrintMessageTarget* asked = nullptr;
  form.setPictureExport([&](diagramprint::PrintMessageTarget* target) {
    asked = target;
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(Qt::red);
    return image;
  });
  action("Copy")->trigger();
  EXPECT_EQ(asked, &diagram);
  EXPECT_EQ(QApplication::clipboard()->image().size(), QSize(40, 30));
}

}  // namespace
}  // namespace orlix::display
