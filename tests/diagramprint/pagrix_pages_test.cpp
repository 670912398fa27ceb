// One page as the control draws it: the diagram's part, then header, border
// and footer; pagination and fitting; the preview page recorded and scaled.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include "diagramprint/pagrix_ctrl.h"
#include "diagramprint/printer_access.h"
#include "tests/diagramprint/support/fake_diagram.h"
#include "tests/diagramprint/support/paint_recorder.h"

namespace orlix::diagramprint {
namespace {

using test::FakeDiagram;
using test::PaintRecorder;

constexpr int kLetterWidth = 12240;
constexpr int kLetterHeight = 15840;

// A control measured on Letter paper; draw() records one page on a device
// whose units are twips.
class PagrixPagesTest : public ::testing::Test {
 protected:
  void SetUp() override { ctrl.Measure(*letterPaper(OrientPortrait)); }

  PaintRecorder& draw(int page) {
    recorder = std::make_unique<PaintRecorder>(QSize(kLetterWidth, kLetterHeight), 1440);
    QPainter painter(recorder.get());
    ctrl.PrintPage(page, painter);
    return *recorder;
  }

  static QFont textFont() {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(200);  // 10 points in twips
    return font;
  }

  PagrixCtrl ctrl;
  std::unique_ptr<PaintRecorder> recorder;
};

TEST_F(PagrixPagesTest, TheDefaultFooterCentresThePageNumber) {
  const PaintRecorder& page = draw(3);
  ASSERT_EQ(page.texts.size(), 1u) << page.describeTexts().toStdString();
  const test::RecordedText& text = page.texts[0];
  EXPECT_EQ(text.text, QStringLiteral("3"));
  const QFontMetrics metrics(textFont());
  EXPECT_NEAR(text.position.x(), kLetterWidth / 2 - metrics.horizontalAdvance(QStringLiteral("3")) / 2, 2);
  // Half way down the bottom margin: page height - (footer + bottom) / 2 - h / 2.
  const int top = kLetterHeight - (0 + 1440) / 2 - metrics.height() / 2;
  EXPECT_NEAR(text.position.y(), top + metrics.ascent(), 2);
  EXPECT_NEAR(text.heightInDevice, 200, 0.5) << "the 10-point font is 200 twips high";
}

TEST_F(PagrixPagesTest, AHeaderOfLeftTwoBarsAndRightDrawsTheOuterParts) {
  ctrl.SetHeader(QStringLiteral("Left||Right"));
  ctrl.SetFooter(QString());
  ctrl.SetMarginHeader(360);
  ctrl.SetMarginRight(720);
  const PaintRecorder& page = draw(1);
  ASSERT_EQ(page.texts.size(), 2u) << page.describeTexts().toStdString();
  const QFontMetrics metrics(textFont());
  EXPECT_EQ(page.texts[0].text, QStringLiteral("Left"));
  EXPECT_NEAR(page.texts[0].position.x(), 1440, 1);
  EXPECT_EQ(page.texts[1].text, QStringLiteral("Right"));
  EXPECT_NEAR(page.texts[1].position.x(),
              kLetterWidth - 720 - metrics.horizontalAdvance(QStringLiteral("Right")), 2);
  const int top = (360 + 1440) / 2 - metrics.height() / 2;
  EXPECT_NEAR(page.texts[0].position.y(), top + metrics.ascent(), 2);
}

TEST_F(PagrixPagesTest, AThirdBarStaysInTheRightPart) {
  ctrl.SetHeader(QStringLiteral("a|b|c|<PAGE>"));
  ctrl.SetFooter(QString());
  const PaintRecorder& page = draw(7);
  ASSERT_EQ(page.texts.size(), 3u) << page.describeTexts().toStdString();
  EXPECT_EQ(page.texts[0].text, QStringLiteral("a"));
  EXPECT_EQ(page.texts[1].text, QStringLiteral("b"));
  EXPECT_EQ(page.texts[2].text, QStringLiteral("c|7"));
}

TEST_F(PagrixPagesTest, TextsAreInTheForeColourAndTheControlsFont) {
  ctrl.SetForeColor(QColor(0, 0, 255));
  QFont font(QStringLiteral("Arial"));
  font.setPointSize(14);
  ctrl.SetFont(font);
  const PaintRecorder& page = draw(1);
  ASSERT_EQ(page.texts.size(), 1u);
  EXPECT_EQ(page.texts[0].color, QColor(0, 0, 255));
  EXPECT_NEAR(page.texts[0].heightInDevice, 280, 0.5);
}

TEST_F(PagrixPagesTest, EventsFireOnEveryPageAndTheHostMayChangeTheTexts) {
  ctrl.SetHeader(QStringLiteral("first"));
  std::vector<std::string> events;
  int page = 0;
  QObject::connect(&ctrl, &PagrixCtrl::BeforeHeader, [&] {
    events.push_back("header");
    ctrl.SetHeader(QStringLiteral("Header of page %1").arg(page));
  });
  QObject::connect(&ctrl, &PagrixCtrl::BeforePageBorder, [&] { events.push_back("border"); });
  QObject::connect(&ctrl, &PagrixCtrl::BeforeFooter, [&] {
    events.push_back("footer");
    if (page == 2) ctrl.SetFooter(QString());
  });
  page = 1;
  const PaintRecorder& first = draw(1);
  ASSERT_EQ(first.texts.size(), 2u);
  EXPECT_EQ(first.texts[0].text, QStringLiteral("Header of page 1"));
  page = 2;
  const PaintRecorder& second = draw(2);
  ASSERT_EQ(second.texts.size(), 1u) << "the footer emptied in its event draws nothing";
  EXPECT_EQ(second.texts[0].text, QStringLiteral("Header of page 2"));
  page = 3;
  draw(3);  // the footer stays empty: no footer event any more
  EXPECT_EQ(events, (std::vector<std::string>{"header", "border", "footer", "header", "border",
                                              "footer", "header", "border"}));
}

TEST_F(PagrixPagesTest, AnEmptyHeaderFiresNoHeaderEvent) {
  int headers = 0;
  QObject::connect(&ctrl, &PagrixCtrl::BeforeHeader, [&] { ++headers; });
  draw(1);
  EXPECT_EQ(headers, 0);
}

// Page 1 at 144 pixels per inch: the print rectangle is 144 ... 1080 across
// and 144 ... 1440 down (exclusive ends).
QImage pageImage(PagrixCtrl& ctrl) {
  QImage image(1224, 1584, QImage::Format_RGB32);
  image.setDotsPerMeterX(5669);  // 144 dpi
  image.setDotsPerMeterY(5669);
  image.fill(Qt::white);
  QPainter painter(&image);
  ctrl.PrintPage(1, painter);
  return image;
}

int darkInRow(const QImage& image, int y, int from, int to) {
  int dark = 0;
  for (int x = from; x <= to; ++x) dark += qGray(image.pixel(x, y)) < 128;
  return dark;
}

int darkInColumn(const QImage& image, int x, int from, int to) {
  int dark = 0;
  for (int y = from; y <= to; ++y) dark += qGray(image.pixel(x, y)) < 128;
  return dark;
}

TEST_F(PagrixPagesTest, BorderSevenIsDottedTopAndBottomOnePixelOutside) {
  ctrl.SetFooter(QString());
  ctrl.SetPageBorder(7);
  const QImage image = pageImage(ctrl);
  ASSERT_EQ(image.logicalDpiX(), 144);
  const int top = darkInRow(image, 143, 143, 1080);
  const int bottom = darkInRow(image, 1440, 143, 1080);
  EXPECT_GT(top, 200) << "a line along the top";
  EXPECT_LT(top, 700) << "dotted, not solid";
  EXPECT_GT(bottom, 200);
  EXPECT_LT(bottom, 700);
  EXPECT_EQ(darkInRow(image, 144, 0, 1223), 0) << "nothing inside the print rectangle";
  EXPECT_EQ(darkInRow(image, 1439, 0, 1223), 0);
  EXPECT_EQ(darkInRow(image, 142, 0, 1223), 0);
  EXPECT_EQ(darkInColumn(image, 143, 150, 1430), 0) << "no sides";
  EXPECT_EQ(darkInColumn(image, 1080, 150, 1430), 0);
}

TEST_F(PagrixPagesTest, BorderFourIsASolidBox) {
  ctrl.SetFooter(QString());
  ctrl.SetPageBorder(4);
  const QImage image = pageImage(ctrl);
  EXPECT_EQ(darkInRow(image, 143, 143, 1080), 1080 - 143 + 1);
  EXPECT_EQ(darkInRow(image, 1440, 143, 1080), 1080 - 143 + 1);
  EXPECT_EQ(darkInColumn(image, 143, 143, 1440), 1440 - 143 + 1);
  EXPECT_EQ(darkInColumn(image, 1080, 143, 1440), 1440 - 143 + 1);
  EXPECT_EQ(darkInColumn(image, 144, 150, 1430), 0);
}

TEST_F(PagrixPagesTest, EachBorderValueDrawsItsEdges) {
  ctrl.SetFooter(QString());
  struct Edges {
    bool top, bottom, sides;
  };
  const Edges expected[] = {{false, false, false}, {true, false, false}, {false, true, false},
                            {true, true, false},   {true, true, true},   {true, false, false},
                            {false, true, false},  {true, true, false},  {true, true, true}};
  for (int border = 0; border <= 8; ++border) {
    ctrl.SetPageBorder(border);
    const QImage image = pageImage(ctrl);
    EXPECT_EQ(darkInRow(image, 143, 150, 1070) > 0, expected[border].top) << border;
    EXPECT_EQ(darkInRow(image, 1440, 150, 1070) > 0, expected[border].bottom) << border;
    EXPECT_EQ(darkInColumn(image, 143, 150, 1430) > 0, expected[border].sides) << border;
  }
}

TEST_F(PagrixPagesTest, PaginationAsksTheDiagramWithThePrintersResolution) {
  FakeDiagram diagram = FakeDiagram::grid(21, 7);
  ctrl.SethWndFlow(&diagram);
  ctrl.Measure(*letterPaper(OrientPortrait));
  ASSERT_FALSE(diagram.calls.empty());
  const FakeDiagram::Call& call = diagram.calls.back();
  EXPECT_EQ(call.message, kPrintPageMessage);
  EXPECT_EQ(call.page, 0);
  EXPECT_TRUE(call.hadPainter);
  EXPECT_EQ(call.dpiX, 1200);
  // Margins of one inch at 1200 dpi: 1200 ... 10200 - 1200 across.
  EXPECT_EQ(call.printRect, QRect(1200, 1200, 10200 - 2400, 13200 - 2400));
  EXPECT_EQ(call.pageRect, QRect(0, 0, 10200, 13200));
  // 7 boxes across: 200 + 6 * 2400 + 1800 + 200 = 16600 twips over 9360 a page.
  EXPECT_EQ(ctrl.HorzPageCount(), 2);
  EXPECT_EQ(ctrl.VertPageCount(), 1);
  EXPECT_EQ(ctrl.PageCount(), 2);
}

TEST_F(PagrixPagesTest, FitToPageIsOnePageDrawnWithTheFitMessage) {
  FakeDiagram diagram = FakeDiagram::grid(40, 10);
  ctrl.SethWndFlow(&diagram);
  ASSERT_GT(ctrl.PageCount(), 1);
  ctrl.SetFitToPage(true);
  diagram.calls.clear();
  EXPECT_EQ(ctrl.PageCount(), 1);
  EXPECT_EQ(ctrl.HorzPageCount(), 1);
  EXPECT_EQ(ctrl.VertPageCount(), 1);
  draw(1);
  ASSERT_FALSE(diagram.calls.empty());
  for (const FakeDiagram::Call& call : diagram.calls) EXPECT_EQ(call.message, kPrintFitMessage);
  EXPECT_EQ(diagram.calls.back().page, 1);
}

TEST_F(PagrixPagesTest, APrintScaleOfHalfGivesTheDiagramTwiceTheRoom) {
  FakeDiagram diagram = FakeDiagram::grid(40, 10);
  ctrl.SethWndFlow(&diagram);
  const int full = ctrl.PageCount();
  ctrl.SetPrintScale(50);
  const int half = ctrl.PageCount();
  EXPECT_LT(half, full);
  EXPECT_EQ(diagram.calls.back().printRect.width(), 2 * (10200 - 2400));
}

TEST_F(PagrixPagesTest, NoDiagramOrNoRoomMeansNoPages) {
  FakeDiagram diagram = FakeDiagram::grid(3, 3);
  EXPECT_EQ(ctrl.PageCount(), 0);
  ctrl.SethWndFlow(&diagram);
  ctrl.SetMarginLeft(7000);
  ctrl.SetMarginRight(7000);
  diagram.calls.clear();
  EXPECT_EQ(ctrl.PageCount(), 0);
  EXPECT_TRUE(diagram.calls.empty()) << "the diagram is not asked to fill a page of no width";
}

TEST_F(PagrixPagesTest, EveryPreviewPaintAsksTheDiagramAgainAndScalesThePage) {
  FakeDiagram diagram = FakeDiagram::grid(21, 7);
  ctrl.SethWndFlow(&diagram);
  ctrl.SetFooter(QString());
  ctrl.SetPageBorder(4);
  ctrl.SetPreview(true);
  ctrl.PrintDoc();
  const auto paintAt = [&](int zoom) {
    ctrl.SetZoom(zoom);
    QImage image(2000, 2200, QImage::Format_RGB32);
    image.fill(Qt::gray);
    QPainter painter(&image);
    ctrl.paintPreviewPage(painter);
    return image;
  };
  diagram.calls.clear();
  const QImage at100 = paintAt(100);
  const QImage at200 = paintAt(200);
  ASSERT_EQ(diagram.calls.size(), 2u);
  EXPECT_EQ(diagram.calls[0].page, 1);
  EXPECT_EQ(diagram.calls[1].page, 1);
  // The page at the screen's resolution (96 dpi offscreen): the border's top
  // row lies one pixel above the one-inch margin, and twice as far at 200 %.
  const int dpi = at100.logicalDpiY();
  ASSERT_EQ(diagram.calls[0].dpiX, dpi);
  EXPECT_EQ(qGray(at100.pixel(dpi * 3, dpi - 1)), 0);
  EXPECT_NE(qGray(at100.pixel(dpi * 3, dpi + 3)), 0);
  EXPECT_EQ(qGray(at200.pixel(dpi * 6, 2 * (dpi - 1))), 0);
  EXPECT_EQ(qGray(at100.pixel(1999, 2199)), qGray(QColor(Qt::gray).rgb())) << "outside the page";
  EXPECT_EQ(qGray(at100.pixel(5, 5)), 255) << "the page is white";
}

}  // namespace
}  // namespace orlix::diagramprint
