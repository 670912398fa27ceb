// The control's properties: defaults, rules and error 380, run-time-only
// members, and the stored properties by name with their version.
#include <gtest/gtest.h>

#include "diagramprint/control_error.h"
#include "diagramprint/pagrix_ctrl.h"
#include "diagramprint/pagrix_ids.h"
#include "diagramprint/printer_access.h"
#include "tests/diagramprint/support/fake_diagram.h"

namespace orlix::diagramprint {
namespace {

using test::FakeDiagram;
using treelayout::MemoryPropertyBag;

template <typename F>
std::uint32_t errorOf(F&& action) {
  try {
    action();
  } catch (const ControlError& e) {
    return e.code();
  }
  return 0;
}

TEST(PagrixPropertiesTest, DefaultsAfterReset) {
  PagrixCtrl ctrl;
  ctrl.SetZoom(250);
  ctrl.SetFooter(QStringLiteral("x"));
  ctrl.ResetProperties();
  EXPECT_EQ(ctrl.MarginLeft(), 1440);
  EXPECT_EQ(ctrl.MarginRight(), 1440);
  EXPECT_EQ(ctrl.MarginTop(), 1440);
  EXPECT_EQ(ctrl.MarginBottom(), 1440);
  EXPECT_EQ(ctrl.MarginHeader(), 0);
  EXPECT_EQ(ctrl.MarginFooter(), 0);
  EXPECT_EQ(ctrl.Header(), QString());
  EXPECT_EQ(ctrl.Footer(), QStringLiteral("|<PAGE>|"));
  EXPECT_EQ(ctrl.DocName(), QString());
  EXPECT_FALSE(ctrl.Preview());
  EXPECT_FALSE(ctrl.PrinterSettings());
  EXPECT_EQ(ctrl.PageBorder(), 0);
  EXPECT_FALSE(ctrl.FitToPage());
  EXPECT_EQ(ctrl.Zoom(), 0);
  EXPECT_EQ(ctrl.PreviewPage(), 1);
  EXPECT_TRUE(ctrl.MousePage());
  EXPECT_TRUE(ctrl.MouseZoom());
  EXPECT_EQ(ctrl.Orientation(), OrientPortrait);
  EXPECT_EQ(ctrl.BorderStyle(), 1);
  EXPECT_EQ(ctrl.Font().family(), QStringLiteral("Arial"));
  EXPECT_EQ(ctrl.PageCount(), 0) << "no diagram, nothing to count";
}

TEST(PagrixPropertiesTest, InvalidValuesRaise380AndKeepTheValue) {
  PagrixCtrl ctrl;
  ctrl.SetZoom(120);
  EXPECT_EQ(errorOf([&] { ctrl.SetZoom(5); }), kInvalidPropertyValue);
  EXPECT_EQ(errorOf([&] { ctrl.SetZoom(401); }), kInvalidPropertyValue);
  EXPECT_EQ(ctrl.Zoom(), 120);
  EXPECT_EQ(errorOf([&] { ctrl.SetZoom(0); }), 0u);
  EXPECT_EQ(ctrl.Zoom(), 0);
  EXPECT_EQ(errorOf([&] { ctrl.SetZoom(10); }), 0u);
  EXPECT_EQ(errorOf([&] { ctrl.SetZoom(400); }), 0u);

  EXPECT_EQ(errorOf([&] { ctrl.SetPageBorder(9); }), kInvalidPropertyValue);
  EXPECT_EQ(errorOf([&] { ctrl.SetPageBorder(-1); }), kInvalidPropertyValue);
  EXPECT_EQ(errorOf([&] { ctrl.SetPageBorder(8); }), 0u);
  EXPECT_EQ(ctrl.PageBorder(), 8);
  EXPECT_EQ(errorOf([&] { ctrl.SetOrientation(3); }), kInvalidPropertyValue);
  EXPECT_EQ(ctrl.Orientation(), OrientPortrait);
  EXPECT_EQ(errorOf([&] { ctrl.SetBorderStyle(2); }), kInvalidPropertyValue);
  EXPECT_EQ(errorOf([&] { ctrl.SetPrintScale(5); }), kInvalidPropertyValue);
}

TEST(PagrixPropertiesTest, MarginsAreWholeTwipsWithinThePageOnceMeasured) {
  PagrixCtrl ctrl;
  EXPECT_EQ(errorOf([&] { ctrl.SetMarginLeft(-1); }), kInvalidPropertyValue);
  EXPECT_EQ(ctrl.MarginLeft(), 1440);
  ctrl.SetMarginLeft(720.9f);
  EXPECT_EQ(ctrl.MarginLeft(), 720) << "truncated";
  // Before the page is known, any size is taken.
  ctrl.SetMarginLeft(100000);
  ctrl.SetMarginLeft(1440);
  ctrl.Measure(*letterPaper(OrientPortrait));
  ASSERT_EQ(ctrl.pageSizeTwips(), QSize(12240, 15840));
  EXPECT_EQ(errorOf([&] { ctrl.SetMarginLeft(12241); }), kInvalidPropertyValue);
  EXPECT_EQ(errorOf([&] { ctrl.SetMarginRight(12241); }), kInvalidPropertyValue);
  EXPECT_EQ(errorOf([&] { ctrl.SetMarginTop(15841); }), kInvalidPropertyValue);
  EXPECT_EQ(errorOf([&] { ctrl.SetMarginBottom(15841); }), kInvalidPropertyValue);
  EXPECT_EQ(errorOf([&] { ctrl.SetMarginHeader(15841); }), kInvalidPropertyValue);
  EXPECT_EQ(errorOf([&] { ctrl.SetMarginFooter(-0.5f); }), kInvalidPropertyValue);
  EXPECT_EQ(errorOf([&] { ctrl.SetMarginTop(std::numeric_limits<float>::infinity()); }),
            kInvalidPropertyValue);
  EXPECT_EQ(errorOf([&] { ctrl.SetMarginLeft(12240); }), 0u);
  EXPECT_EQ(errorOf([&] { ctrl.SetMarginTop(15840); }), 0u);
}

TEST(PagrixPropertiesTest, PreviewPageIsOneToThePageCount) {
  PagrixCtrl ctrl;
  FakeDiagram diagram = FakeDiagram::grid(12, 6);
  ctrl.SetPreviewPage(5);  // ignored without a diagram
  EXPECT_EQ(ctrl.PreviewPage(), 1);
  ctrl.SethWndFlow(&diagram);
  const int pages = ctrl.PageCount();
  ASSERT_GT(pages, 1);
  EXPECT_EQ(errorOf([&] { ctrl.SetPreviewPage(0); }), kInvalidPropertyValue);
  EXPECT_EQ(errorOf([&] { ctrl.SetPreviewPage(pages + 1); }), kInvalidPropertyValue);
  EXPECT_EQ(ctrl.PreviewPage(), 1);
  ctrl.SetPreviewPage(pages);
  EXPECT_EQ(ctrl.PreviewPage(), pages);
}

TEST(PagrixPropertiesTest, RunTimeOnlyMembersAreRefusedAtDesignTime) {
  PagrixCtrl ctrl;
  ctrl.SetUserMode(false);
  EXPECT_EQ(errorOf([&] { ctrl.PageCount(); }), kGetNotSupported);
  EXPECT_EQ(errorOf([&] { ctrl.HorzPageCount(); }), kGetNotSupported);
  EXPECT_EQ(errorOf([&] { ctrl.VertPageCount(); }), kGetNotSupported);
  EXPECT_EQ(errorOf([&] { ctrl.PreviewPage(); }), kGetNotSupported);
  EXPECT_EQ(errorOf([&] { ctrl.hWndFlow(); }), kGetNotSupported);
  EXPECT_EQ(errorOf([&] { ctrl.SetPreviewPage(1); }), kSetNotSupported);
  // Writing the diagram's window is allowed and marks the control modified.
  ctrl.SetModifiedFlag(false);
  ctrl.SethWndFlow(nullptr);
  EXPECT_TRUE(ctrl.IsModified());
  EXPECT_EQ(errorOf([&] { ctrl.SetZoom(50); }), 0u);
}

TEST(PagrixPropertiesTest, StoredPropertiesRoundTripByName) {
  PagrixCtrl ctrl;
  ctrl.SetHeader(QStringLiteral("Left|Centre|Right"));
  ctrl.SetFooter(QStringLiteral("Seite <PAGE> – äöü"));
  ctrl.SetDocName(QStringLiteral("Map"));
  ctrl.SetPageBorder(7);
  ctrl.SetPreview(true);
  ctrl.SetPrinterSettings(true);
  ctrl.SetMousePage(false);
  ctrl.SetMouseZoom(false);
  ctrl.SetMarginLeft(100);
  ctrl.SetMarginTop(200);
  ctrl.SetMarginRight(300);
  ctrl.SetMarginBottom(400);
  ctrl.SetMarginHeader(500);
  ctrl.SetMarginFooter(600);
  ctrl.SetZoom(75);
  ctrl.SetOrientation(OrientLandscape);
  ctrl.SetFitToPage(true);
  ctrl.SetBorderStyle(0);
  ctrl.SetForeColor(QColor(0, 0, 255));
  MemoryPropertyBag bag;
  ctrl.Save(bag);
  EXPECT_EQ(std::get<std::int32_t>(*bag.read("_Version")), kPersistVersion);
  EXPECT_EQ(std::get<std::int32_t>(*bag.read("ForeColor")), 0xFF0000) << "stored as 0x00BBGGRR";
  for (const char* name : {"BorderStyle", "PageBorder", "Preview", "PrinterSettings", "MousePage",
                           "MarginLeft", "MarginTop", "MarginRight", "MarginBottom", "MarginHeader",
                           "MarginFooter", "Header", "Footer", "DocName", "MouseZoom", "Zoom",
                           "Orientation", "FitToPage"})
    EXPECT_TRUE(bag.read(name).has_value()) << name;

  PagrixCtrl loaded;
  loaded.Load(bag);
  EXPECT_EQ(loaded.Header(), ctrl.Header());
  EXPECT_EQ(loaded.Footer(), ctrl.Footer());
  EXPECT_EQ(loaded.DocName(), ctrl.DocName());
  EXPECT_EQ(loaded.PageBorder(), 7);
  EXPECT_TRUE(loaded.Preview());
  EXPECT_TRUE(loaded.PrinterSettings());
  EXPECT_FALSE(loaded.MousePage());
  EXPECT_FALSE(loaded.MouseZoom());
  EXPECT_EQ(loaded.MarginLeft(), 100);
  EXPECT_EQ(loaded.MarginTop(), 200);
  EXPECT_EQ(loaded.MarginRight(), 300);
  EXPECT_EQ(loaded.MarginBottom(), 400);
  EXPECT_EQ(loaded.MarginHeader(), 500);
  EXPECT_EQ(loaded.MarginFooter(), 600);
  EXPECT_EQ(loaded.Zoom(), 75);
  EXPECT_EQ(loaded.Orientation(), OrientLandscape);
  EXPECT_TRUE(loaded.FitToPage());
  EXPECT_EQ(loaded.BorderStyle(), 0);
  EXPECT_EQ(loaded.ForeColor(), QColor(0, 0, 255));
  EXPECT_EQ(loaded.Font().family(), QStringLiteral("Arial"));
}

TEST(PagrixPropertiesTest, DataOlderThanVersionThreeIsPortraitWithoutFit) {
  PagrixCtrl ctrl;
  ctrl.SetOrientation(OrientLandscape);
  ctrl.SetFitToPage(true);
  MemoryPropertyBag bag;
  ctrl.Save(bag);
  bag.write("_Version", std::int32_t{0x00020000});
  PagrixCtrl loaded;
  loaded.SetOrientation(OrientLandscape);
  loaded.SetFitToPage(true);
  loaded.Load(bag);
  EXPECT_EQ(loaded.Orientation(), OrientPortrait);
  EXPECT_FALSE(loaded.FitToPage());
  // The entries older data has are still taken.
  EXPECT_EQ(loaded.Footer(), QStringLiteral("|<PAGE>|"));
}

TEST(PagrixPropertiesTest, ABadStoredEntryIsNamedAndNothingIsTaken) {
  PagrixCtrl ctrl;
  MemoryPropertyBag bag;
  bag.write("Header", std::string("taken?"));
  bag.write("Zoom", std::int32_t{5});
  try {
    ctrl.Load(bag);
    FAIL() << "a zoom of 5 was loaded";
  } catch (const ControlError& e) {
    EXPECT_EQ(e.code(), kInvalidPropertyValue);
    EXPECT_NE(e.description().find("\"Zoom\""), std::string::npos) << e.description();
  }
  EXPECT_EQ(ctrl.Header(), QString());

  MemoryPropertyBag notANumber;
  notANumber.write("MarginLeft", std::string("wide"));
  EXPECT_EQ(errorOf([&] { ctrl.Load(notANumber); }), kInvalidPropertyValue);
  MemoryPropertyBag negative;
  negative.write("MarginTop", -5.0f);
  EXPECT_EQ(errorOf([&] { ctrl.Load(negative); }), kInvalidPropertyValue);
  EXPECT_EQ(ctrl.MarginTop(), 1440);
}

}  // namespace
}  // namespace orlix::diagramprint
