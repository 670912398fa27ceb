// Drawing the model: colours, pens, fonts, the outlines of the 16 shapes,
// links clipped at their nodes with heads at the destination, and the area
// a drawing covers.
#include <gtest/gtest.h>

#include <QFontInfo>
#include <QFontMetricsF>
#include <QPainter>

#include "platform/graphon/view/diagram_bounds.h"
#include "platform/graphon/view/diagram_painter.h"
#include "platform/graphon/view/item_geometry.h"
#include "platform/graphon/view/item_style.h"
#include "platform/graphon/view/twips.h"
#include "tests/graphon/view_test_support.h"

namespace orlix::graphon::view {
namespace {

TEST(ItemStyle, ColoursAreAutomationColours) {
  EXPECT_EQ(qColor(0x0000FF), QColor(255, 0, 0));
  EXPECT_EQ(qColor(0xFF0000), QColor(0, 0, 255));
  EXPECT_EQ(qColor(0x80000005), QColor(Qt::black));  // a system colour
  EXPECT_EQ(automationColor(QColor(0x12, 0x34, 0x56)), 0x563412u);
}

TEST(ItemStyle, SevenLineStylesAndWidthsInScreenPixels) {
  EXPECT_EQ(linePen(kBlack, kLineSolid, 1).style(), Qt::SolidLine);
  EXPECT_EQ(linePen(kBlack, kLineDash, 1).style(), Qt::DashLine);
  EXPECT_EQ(linePen(kBlack, kLineDot, 1).style(), Qt::DotLine);
  EXPECT_EQ(linePen(kBlack, kLineDashDot, 1).style(), Qt::DashDotLine);
  EXPECT_EQ(linePen(kBlack, kLineDashDotDot, 1).style(), Qt::DashDotDotLine);
  EXPECT_EQ(linePen(kBlack, kLineTransparent, 1).style(), Qt::NoPen);
  EXPECT_EQ(linePen(kBlack, kLineInsideSolid, 1).style(), Qt::SolidLine);
  EXPECT_DOUBLE_EQ(linePen(kBlack, kLineSolid, 3).widthF(), 45.0);
  EXPECT_DOUBLE_EQ(linePen(kBlack, kLineSolid, 0).widthF(), 15.0);  // width 0 still draws
}

TEST(ItemStyle, ArialResolvesToTheInstalledMetricCompatibleFont) {
  const QFont font = qFont(Font{});
  EXPECT_EQ(QFontInfo(font).family(), QStringLiteral("Liberation Sans"));
  EXPECT_EQ(font.pixelSize(), 160);  // 8 points in twips
  Font bold;
  bold.bold = bold.italic = true;
  bold.size = 10.5f;
  EXPECT_TRUE(qFont(bold).bold());
  EXPECT_TRUE(qFont(bold).italic());
  EXPECT_EQ(qFont(bold).pixelSize(), 210);
  // Arial's advance widths: "Distribution:" is 10813 units of 2048 to the em.
  const double width = QFontMetricsF(font).horizontalAdvance(QStringLiteral("Distribution:"));
  EXPECT_NEAR(width, 10813 * 160 / 2048.0, 0.5);
}

TEST(ItemGeometry, EveryShapeLiesInItsRectangleAndHoldsItsAnchor) {
  const QRectF rect(100, 200, 2500, 1000);
  for (int shape = 0; shape <= 15; ++shape) {
    const QPainterPath path = shapePath(shape, rect);
    EXPECT_TRUE(path.contains(shapeAnchor(shape, rect))) << shape;
    const QRectF box = path.boundingRect();
    EXPECT_GE(box.left(), rect.left() - 0.01) << shape;
    EXPECT_LE(box.right(), rect.right() + 0.01) << shape;
    EXPECT_GE(box.top(), rect.top() - 0.01) << shape;
    EXPECT_LE(box.bottom(), rect.bottom() + 0.01) << shape;
  }
  // A few shapes by what sets them apart.
  EXPECT_FALSE(shapePath(0, rect).contains(rect.topLeft() + QPointF(5, 5)));  // ellipse
  EXPECT_TRUE(shapePath(1, rect).contains(rect.topLeft() + QPointF(5, 5)));   // rectangle
  EXPECT_TRUE(shapePath(4, rect).contains(QPointF(rect.center().x(), rect.top() + 20)));   // apex up
  EXPECT_FALSE(shapePath(5, rect).contains(QPointF(rect.center().x(), rect.bottom() - 5)) &&
               shapePath(5, rect).contains(QPointF(rect.left() + 20, rect.bottom() - 20)));
  EXPECT_TRUE(shapePath(13, rect).contains(rect.bottomLeft() + QPointF(5, -5)));   // right angle bottom left
  EXPECT_EQ(shapeAnchor(13, rect), QPointF(100 + 2500 / 3.0, 200 + 2000 / 3.0));  // its centroid
  EXPECT_FALSE(shapePath(13, rect).contains(rect.topRight() + QPointF(-5, 5)));
  EXPECT_FALSE(shapePath(15, rect).contains(rect.topLeft() + QPointF(5, 5)));    // corners cut
  EXPECT_TRUE(shapePath(10, rect).contains(rect.topLeft() + QPointF(5, 5)));     // edged rectangle
}

TEST(ItemGeometry, LinksRunFromOutlineToOutlineWithTheHeadAtTheDestination) {
  Diagram d;
  testing::threeNodeTree(d);
  const Link& toLeft = d.links().item(1);
  const QPolygonF line = linkLine(toLeft);
  ASSERT_EQ(line.size(), 2);
  // Rectangles by default here: the line leaves the root's bottom edge and ends on the child's top edge.
  d.nodes().item(1).setShape(kShapeRectangle);
  d.nodes().item(2).setShape(kShapeRectangle);
  const QPolygonF square = linkLine(toLeft);
  EXPECT_NEAR(square.front().y(), 1125, 1);
  EXPECT_NEAR(square.back().y(), 1625, 1);
  const QPolygonF head = arrowHead(square, 1);
  ASSERT_EQ(head.size(), 4);
  EXPECT_EQ(head.front(), square.back());
  // A bend point is passed through.
  Link& toRight = d.links().item(2);
  toRight.points().add({5000, 600});
  EXPECT_EQ(linkLine(toRight)[1], QPointF(5000, 600));
}

TEST(ItemGeometry, HitTestsFindTheTopmostNodeAndANearbyLink) {
  Diagram d;
  testing::threeNodeTree(d);
  Node& over = d.nodes().add(200, 1700, 500, 500);
  EXPECT_EQ(nodeAt(d, {300, 1800}), &over);
  EXPECT_EQ(nodeAt(d, {3000, 2000}), nullptr);
  const QPolygonF line = linkLine(d.links().item(1));
  const QPointF middle = (line.front() + line.back()) / 2;
  EXPECT_EQ(linkAt(d, middle + QPointF(20, 0), 60), &d.links().item(1));
  EXPECT_EQ(linkAt(d, {6000, 6000}, 60), nullptr);
}

TEST(DiagramBounds, CoverNodesWithTheirBordersAndLinksWithTheirHeads) {
  Diagram d;
  EXPECT_TRUE(diagramBounds(d).isNull());
  EXPECT_EQ(pictureArea(d), QRectF(0, 0, 2 * kPictureMarginTwips, 2 * kPictureMarginTwips));
  testing::threeNodeTree(d);
  EXPECT_EQ(diagramBounds(d), QRectF(125 - 7.5, 125 - 7.5, 5500 + 15, 2500 + 15));
  d.nodes().item(3).setBorderWidth(4);
  EXPECT_EQ(diagramBounds(d).right(), 5625 + 30);
  d.nodes().item(1).setSelected(true);
  EXPECT_EQ(diagramBounds(d, true), QRectF(1625 - 7.5, 125 - 7.5, 2515, 1015));
  EXPECT_EQ(pictureArea(d, true), diagramBounds(d, true).adjusted(-120, -120, 120, 120));
}

TEST(DiagramPainter, DrawsFillBorderTextAndArrows) {
  Diagram d;
  testing::threeNodeTree(d);
  d.nodes().item(2).setFillColor(0x0000FF);  // red
  d.nodes().item(2).setShape(kShapeRectangle);
  QImage image(400, 200, QImage::Format_ARGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.scale(deviceUnitsPerTwip(96), deviceUnitsPerTwip(96));
  paintDiagram(painter, d);
  painter.end();
  // Inside the left child, away from its text: the fill colour.
  EXPECT_EQ(image.pixelColor(12, 112), QColor(255, 0, 0));
  // Its border, one pixel wide at its left edge.
  EXPECT_EQ(image.pixelColor(8, 130).red() < 60 && image.pixelColor(8, 130).green() < 60, true);
  // Some dark pixels of text in the middle of the root.
  int dark = 0;
  for (int x = 175; x < 210; ++x)
    for (int y = 35; y < 48; ++y) dark += image.pixelColor(x, y).lightness() < 128;
  EXPECT_GT(dark, 10);
  // The shaft of the link to the right child, between the nodes.
  const QPolygonF line = linkLine(d.links().item(2));
  const QPointF mid = (line.front() + line.back()) / 2 * deviceUnitsPerTwip(96);
  EXPECT_LT(image.pixelColor(mid.toPoint()).lightness(), 160);
}

TEST(DiagramPainter, TransparentItemsAndTheSelectionOnlyPicture) {
  Diagram d;
  testing::threeNodeTree(d);
  for (Link& l : d.links()) l.setStyle(kLineTransparent);
  QImage image(400, 200, QImage::Format_ARGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.scale(deviceUnitsPerTwip(96), deviceUnitsPerTwip(96));
  PaintOptions options;
  options.selectedOnly = true;  // nothing is selected: nothing is drawn
  paintDiagram(painter, d, options);
  painter.end();
  QImage blank(400, 200, QImage::Format_ARGB32);
  blank.fill(Qt::white);
  EXPECT_EQ(testing::differingPixels(image, blank, 0), 0);
}

}  // namespace
}  // namespace orlix::graphon::view
