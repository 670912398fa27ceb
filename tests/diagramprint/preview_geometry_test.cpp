#include "diagramprint/preview_geometry.h"

#include <gtest/gtest.h>

namespace orlix::diagramprint {
namespace {

TEST(PreviewGeometryTest, FitZoomIsTheLargestTenthThatFitsNinetyPerCent) {
  // A page twice the control's height: 90 % of it is 45 % of the page.
  EXPECT_EQ(effectiveZoom(0, 7200, 14400), 40);
  EXPECT_EQ(effectiveZoom(0, 14400, 14400), 90);
  EXPECT_EQ(effectiveZoom(0, 16000, 14400), 100);
  EXPECT_EQ(effectiveZoom(0, 100, 14400), 10) << "never below 10";
  EXPECT_EQ(effectiveZoom(0, 7200, 0), 100) << "page not measured yet";
  EXPECT_EQ(effectiveZoom(250, 7200, 14400), 250) << "a set zoom is taken as it is";
}

TEST(PreviewGeometryTest, MouseZoomStepsStopAtTheLimits) {
  EXPECT_EQ(zoomedIn(395), 400);
  EXPECT_EQ(zoomedIn(400), 400);
  EXPECT_EQ(zoomedIn(100), 110);
  EXPECT_EQ(zoomedOut(15), 10);
  EXPECT_EQ(zoomedOut(10), 10);
  EXPECT_EQ(zoomedOut(100), 90);
}

PreviewInputs letterAt(int zoom, QSize clientPixels) {
  PreviewInputs in;
  in.pageTwips = QSize(12240, 15840);  // 8.5 x 11 inches
  in.clientPixels = clientPixels;
  in.clientTwips = QSize(clientPixels.width() * 15, clientPixels.height() * 15);
  in.dpiX = in.dpiY = 96;
  in.zoom = zoom;
  return in;
}

TEST(PreviewGeometryTest, ASmallPageIsCentredWithoutScrolling) {
  const PreviewPlacement placement = placePreview(letterAt(50, QSize(800, 600)));
  // 816 x 1056 pixels at 100 %, half of it at 50 %.
  EXPECT_EQ(placement.window, QRect((800 - 408) / 2, (600 - 528) / 2, 408, 528));
  EXPECT_EQ(placement.horizontal.maximum, 0);
  EXPECT_EQ(placement.vertical.maximum, 0);
}

TEST(PreviewGeometryTest, ALargePageScrollsWithLinesOfATenthAndPagesOfTheClient) {
  PreviewInputs in = letterAt(200, QSize(400, 300));
  in.scrollTwips = QPoint(1500, 999999);
  const PreviewPlacement placement = placePreview(in);
  EXPECT_EQ(placement.horizontal.maximum, 12240 * 2 - 6000);
  EXPECT_EQ(placement.vertical.maximum, 15840 * 2 - 4500);
  EXPECT_EQ(placement.vertical.position, placement.vertical.maximum) << "clamped";
  EXPECT_EQ(placement.horizontal.lineStep, 1224);
  EXPECT_EQ(placement.vertical.lineStep, 1584);
  EXPECT_EQ(placement.horizontal.pageStep, 6000);
  EXPECT_EQ(placement.vertical.pageStep, 4500);
  // Not centred: the window starts at 0 less the scroll position in pixels.
  EXPECT_EQ(placement.window.left(), -100);
  EXPECT_EQ(placement.window.size(), QSize(1632, 2112));
}

TEST(PreviewGeometryTest, APageStepIsAtLeastOneLine) {
  const PreviewPlacement placement = placePreview(letterAt(400, QSize(40, 30)));
  EXPECT_EQ(placement.vertical.pageStep, 1584);
  EXPECT_EQ(placement.horizontal.pageStep, 1224);
}

TEST(PreviewGeometryTest, ScrollActionsStayInRange) {
  ScrollAxis axis{10000, 3000, 1000, 500};
  EXPECT_EQ(scrolledPosition(axis, ScrollAction::LineBack), 0);
  EXPECT_EQ(scrolledPosition(axis, ScrollAction::LineForward), 1500);
  EXPECT_EQ(scrolledPosition(axis, ScrollAction::PageForward), 3500);
  EXPECT_EQ(scrolledPosition(axis, ScrollAction::PageBack), 0);
  EXPECT_EQ(scrolledPosition(axis, ScrollAction::ToPosition, 12000), 10000);
  EXPECT_EQ(scrolledPosition(axis, ScrollAction::ToPosition, -5), 0);
  EXPECT_EQ(scrolledPosition(axis, ScrollAction::ToStart), 0);
  EXPECT_EQ(scrolledPosition(axis, ScrollAction::ToEnd), 10000);
}

}  // namespace
}  // namespace orlix::diagramprint
