// The diagram's side of printing: pages in reading order at 100%, exact seams,
// the fitted page, and the two print messages, drawn into images and a PDF.
#include <gtest/gtest.h>

#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "platform/graphon/view/diagram_bounds.h"
#include "platform/graphon/view/diagram_picture.h"
#include "platform/graphon/view/diagram_print.h"
#include "tests/graphon/view_test_support.h"

namespace orlix::graphon::view {
namespace {

using diagramprint::kPrintFitMessage;
using diagramprint::kPrintPageMessage;
using diagramprint::PrintRecord;

QImage page(int width, int height) {
  QImage image(width, height, QImage::Format_ARGB32);
  image.setDotsPerMeterX(3780);  // 96 dpi
  image.setDotsPerMeterY(3780);
  image.fill(Qt::white);
  return image;
}

TEST(PageGrid, CountsPagesAcrossThenDown) {
  Diagram d;
  testing::threeNodeTree(d);  // 5755 × 2755 twips with the margin
  EXPECT_EQ(pageGrid(d, {10000, 10000}).count(), 1);
  const PageGrid grid = pageGrid(d, {2000, 1000});
  EXPECT_EQ(grid.columns, 3);
  EXPECT_EQ(grid.rows, 3);
  EXPECT_EQ(pageGrid(d, {5755, 2755}).count(), 1);  // an exact fit needs no extra page
  Diagram empty;
  EXPECT_EQ(pageGrid(empty, {2000, 1000}).count(), 1);
}

TEST(PrintMessages, PaginateFitAndRefuseWhatIsNotThere) {
  Diagram d;
  testing::threeNodeTree(d);
  DiagramPrintTarget target(d);
  QImage image = page(100, 60);
  QPainter painter(&image);
  PrintRecord record;
  record.painter = &painter;
  record.pageRect = QRect(0, 0, 100, 60);
  record.printRect = QRect(10, 5, 80, 50);  // 1200 × 750 twips at 96 dpi
  EXPECT_EQ(target.printMessage(kPrintPageMessage, record), 20);  // ceil(5755/1200) × ceil(2755/750)
  EXPECT_EQ(record.horzPageCount, 5);
  EXPECT_EQ(record.vertPageCount, 4);
  record.page = 21;
  EXPECT_EQ(target.printMessage(kPrintPageMessage, record), 0);
  record.page = 3;
  EXPECT_EQ(target.printMessage(kPrintPageMessage, record), 1);
  record.page = 0;
  EXPECT_EQ(target.printMessage(kPrintFitMessage, record), 1);
  EXPECT_EQ(record.horzPageCount, 1);
  EXPECT_EQ(record.vertPageCount, 1);
  EXPECT_EQ(target.printMessage(0x123, record), 0);
  painter.end();
  // Without a painter the rectangles are twips.
  PrintRecord twips;
  twips.printRect = QRect(0, 0, 1200, 750);
  EXPECT_EQ(target.printMessage(kPrintPageMessage, twips), 20);
}

TEST(PrintPages, PagesSideBySideMakeTheWholePictureWithNothingLostAtTheSeams) {
  Diagram d;
  testing::threeNodeTree(d);
  d.nodes().item(1).setShape(kShapeOctogon);
  d.links().item(2).setWidth(3);
  const QImage whole = renderImage(d);  // 384 × 184 pixels
  // Pages of 70 × 50 pixels inside margins of 7 and 4.
  const QRect printRect(7, 4, 70, 50);
  const PageGrid grid = pageGrid(d, {70 * 15.0, 50 * 15.0});
  ASSERT_EQ(grid.columns, 6);
  ASSERT_EQ(grid.rows, 4);
  QImage stitched = page(grid.columns * 70, grid.rows * 50);
  for (int n = 1; n <= grid.count(); ++n) {
    QImage sheet = page(84, 58);
    QPainter painter(&sheet);
    ASSERT_TRUE(drawPage(painter, d, printRect, n));
    painter.end();
    // Nothing outside the print rectangle.
    for (int x = 0; x < 84; ++x) EXPECT_EQ(sheet.pixelColor(x, 2), QColor(Qt::white)) << n;
    QPainter paste(&stitched);
    paste.drawImage(QPoint((n - 1) % grid.columns * 70, (n - 1) / grid.columns * 50), sheet.copy(printRect));
  }
  const QImage overlap = stitched.copy(0, 0, whole.width(), whole.height());
  // Antialiased edges may differ by a shade; no line or letter may be missing.
  EXPECT_LT(testing::differingPixels(overlap, whole), 8);
}

TEST(PrintPages, TheFittedPageShrinksButNeverEnlarges) {
  Diagram d;
  testing::threeNodeTree(d);
  QImage small = page(200, 200);
  QPainter painter(&small);
  drawFitted(painter, d, QRect(0, 0, 192, 200));  // half the picture's width
  painter.end();
  // Half size: 384 × 184 pixels become 192 × 92, at the top left.
  int inside = 0, outside = 0;
  for (int x = 0; x < 200; ++x)
    for (int y = 0; y < 200; ++y) (x < 192 && y < 92 ? inside : outside) += small.pixelColor(x, y) != QColor(Qt::white);
  EXPECT_GT(inside, 500);
  EXPECT_EQ(outside, 0);
  QImage large = page(1000, 1000);
  QPainter big(&large);
  drawFitted(big, d, QRect(0, 0, 1000, 1000));
  big.end();
  EXPECT_EQ(testing::differingPixels(large.copy(0, 0, 384, 184), renderImage(d)), 0);
}

TEST(PrintPages, APdfOfEveryPage) {
  Diagram d;
  testing::threeNodeTree(d);
  QTemporaryDir dir;
  const QString file = dir.filePath("pages.pdf");
  QPdfWriter pdf(file);
  pdf.setPageSize(QPageSize(QPageSize::A6));  // 4.13 × 5.83 inches
  pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
  QPainter painter(&pdf);
  DiagramPrintTarget target(d);
  PrintRecord record;
  record.painter = &painter;
  record.pageRect = pdf.pageLayout().fullRectPixels(pdf.resolution());
  record.printRect = record.pageRect.adjusted(600, 600, -600, -600);  // half-inch margins at 1200 dpi
  const long pages = target.printMessage(kPrintPageMessage, record);
  EXPECT_EQ(pages, 2);  // 4 inches of map across 3.13 inches of paper
  for (int n = 1; n <= pages; ++n) {
    if (n > 1) pdf.newPage();
    record.page = n;
    EXPECT_EQ(target.printMessage(kPrintPageMessage, record), 1);
  }
  painter.end();
  if (QStandardPaths::findExecutable("pdfinfo").isEmpty()) GTEST_SKIP() << "pdfinfo is not installed";
  QProcess info;
  info.start("pdfinfo", {file});
  info.waitForFinished(30000);
  EXPECT_TRUE(QString::fromUtf8(info.readAllStandardOutput()).contains(QRegularExpression("Pages:\\s+2\\n")));
}

}  // namespace
}  // namespace orlix::graphon::view
