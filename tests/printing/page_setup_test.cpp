// The page setup dialog: margins in inches with up-downs in tenths, stored
// as twips; refused margins leave the control as it was.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

#include "diagramprint/pagrix_ctrl.h"
#include "diagramprint/printer_access.h"
#include "display/printing/dlg_page_setups.h"
#include "display/printing/margin_sketch.h"
#include "display/printing/up_down.h"

namespace orlix::display {
namespace {

class PageSetupTest : public ::testing::Test {
 protected:
  QLineEdit* box(const char* name) { return dialog->findChild<QLineEdit*>(QString::fromLatin1(name)); }
  UpDown* upDown(const char* name) { return dialog->findChild<UpDown*>(QString::fromLatin1(name)); }
  void open() { dialog = std::make_unique<dlgPageSetups>(ctrl); }

  diagramprint::PagrixCtrl ctrl;
  std::unique_ptr<dlgPageSetups> dialog;
};

TEST_F(PageSetupTest, MarginsShowInInches) {
  ctrl.SetMarginTop(720);
  ctrl.SetMarginLeft(1440);
  ctrl.SetMarginRight(2160);
  ctrl.SetMarginBottom(1800);
  open();
  EXPECT_EQ(box("txtTop")->text(), QStringLiteral("0.5"));
  EXPECT_EQ(box("txtLeft")->text(), QStringLiteral("1"));
  EXPECT_EQ(box("txtRight")->text(), QStringLiteral("1.5"));
  EXPECT_EQ(box("txtBottom")->text(), QStringLiteral("1.25"));
  EXPECT_FALSE(dialog->findChild<QLabel*>(QStringLiteral("lblPrinter"))->text().isEmpty());
}

TEST_F(PageSetupTest, OneInchBecomes1440Twips) {
  ctrl.SetMarginTop(720);
  ctrl.SetZoom(75);
  int zoomChanges = 0;
  QObject::connect(&ctrl, &diagramprint::PagrixCtrl::propertyChanged, [&](int id) {
    zoomChanges += id == diagramprint::dispid::Zoom;
  });
  open();
  box("txtTop")->setText(QStringLiteral("1"));
  box("txtLeft")->setText(QStringLiteral("0,75"));
  ASSERT_TRUE(dialog->apply());
  EXPECT_EQ(ctrl.MarginTop(), 1440);
  EXPECT_EQ(ctrl.MarginLeft(), 1080) << "a decimal comma is read too";
  EXPECT_EQ(ctrl.Zoom(), 75);
  EXPECT_EQ(zoomChanges, 1) << "the zoom set to itself redraws the preview";
}

TEST_F(PageSetupTest, UpDownsStepInTenthsFromTheMarginShown) {
  ctrl.SetMarginRight(1440);
  open();
  UpDown* right = upDown("updRight");
  ASSERT_NE(right, nullptr);
  EXPECT_EQ(right->minimum(), -100);
  EXPECT_EQ(right->maximum(), 100);
  EXPECT_EQ(right->value(), 10);
  right->stepUp();
  EXPECT_EQ(box("txtRight")->text(), QStringLiteral("1.1"));
  right->stepDown();
  right->stepDown();
  EXPECT_EQ(box("txtRight")->text(), QStringLiteral("0.9"));
  right->setValue(500);
  EXPECT_EQ(box("txtRight")->text(), QStringLiteral("10"));
  ASSERT_TRUE(dialog->apply());
  EXPECT_EQ(ctrl.MarginRight(), 14400);
}

TEST_F(PageSetupTest, TheSketchScalesEightAndAHalfInchesToItsWidth) {
  ctrl.Measure(*diagramprint::letterPaper(diagramprint::OrientPortrait));
  open();
  auto* sketch = dialog->findChild<MarginSketch*>(QStringLiteral("picPage"));
  ASSERT_NE(sketch, nullptr);
  sketch->resize(171, 300);
  EXPECT_EQ(sketch->pageRect().width(), 170);
  EXPECT_EQ(sketch->pageRect().height(), 220);
  box("txtLeft")->setText(QStringLiteral("2"));
  EXPECT_EQ(sketch->marginRect().left(), 40);
  EXPECT_EQ(sketch->marginRect().top(), 20);
}

TEST_F(PageSetupTest, AMarginBeyondThePageIsRefusedAndNothingChanges) {
  ctrl.Measure(*diagramprint::letterPaper(diagramprint::OrientPortrait));
  open();
  box("txtTop")->setText(QStringLiteral("2"));
  box("txtRight")->setText(QStringLiteral("9"));  // wider than the page
  QString message;
  QTimer::singleShot(0, [&] {
    if (QWidget* box = QApplication::activeModalWidget()) {
      message = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))->text();
      box->close();
    }
  });
  EXPECT_FALSE(dialog->apply());
  EXPECT_TRUE(message.contains(QStringLiteral("right margin"))) << message.toStdString();
  EXPECT_EQ(ctrl.MarginTop(), 1440) << "the margins set before the refused one are restored";
  EXPECT_EQ(ctrl.MarginRight(), 1440);
}

}  // namespace
}  // namespace orlix::display
