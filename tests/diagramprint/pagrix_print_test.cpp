// Printing: whole documents into PDF files read back with poppler, the print
// dialog's page range, no printer, and print jobs that fail.
#include <gtest/gtest.h>

#include <QDate>
#include <QDir>
#include <QFile>
#include <QPrinter>

#include "diagramprint/control_error.h"
#include "diagramprint/map_print_setup.h"
#include "diagramprint/pagrix_ctrl.h"
#include "diagramprint/print_range_chooser.h"
#include "tests/diagramprint/support/fake_diagram.h"
#include "tests/diagramprint/support/pdf_text.h"

namespace orlix::diagramprint {
namespace {

using test::FakeDiagram;
using test::pdfPageCount;
using test::pdfPageText;

// A print dialog answered by the test.
class ScriptedChooser : public PrintRangeChooser {
 public:
  std::optional<PageRanges> choosePages(QPrinter& printer, int pageCount) override {
    offeredPages = pageCount;
    ++shown;
    if (cancel) return std::nullopt;
    if (!file.isEmpty()) {
      printer.setOutputFormat(QPrinter::PdfFormat);
      printer.setOutputFileName(file);
    }
    return ranges ? *ranges : PageRanges{{1, pageCount}};
  }
  std::optional<PageRanges> ranges;
  QString file;
  bool cancel = false;
  int offeredPages = 0;
  int shown = 0;
};

QString outputPath(const char* name) { return QDir::current().absoluteFilePath(QString::fromLatin1(name)); }

TEST(PagrixPrintTest, EveryPageOfAMapCarriesItsHeaderAndFooter) {
  // 21 boxes, 7 to a row: two pages across on Letter with one-inch margins.
  FakeDiagram diagram = FakeDiagram::grid(21, 7);
  PagrixCtrl ctrl;
  setUpMapPrint(ctrl, &diagram, QStringLiteral("Churn by region"), QDate(2026, 12, 8), false);
  const QString pdf = outputPath("map.pdf");
  ctrl.SetOutputFileName(pdf);
  ctrl.PrintDoc();
  const int pages = ctrl.PageCount();
  EXPECT_EQ(pages, 2);
  ASSERT_EQ(pdfPageCount(pdf), pages);
  for (int page = 1; page <= pages; ++page) {
    const QString text = pdfPageText(pdf, page);
    EXPECT_TRUE(text.contains(QStringLiteral("08-Dec-2026"))) << page << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Churn by region"))) << page;
    EXPECT_TRUE(text.contains(QStringLiteral("- Page %1 -").arg(page))) << page << text.toStdString();
  }
  // Reading order with nothing lost: every box on the page its corner falls on.
  for (int box = 0; box < 21; ++box) {
    const int page = diagram.pageOf(box, 12240 - 2880, 15840 - 2880);
    EXPECT_TRUE(pdfPageText(pdf, page).contains(QStringLiteral("Node %1").arg(box + 1))) << box;
  }
}

TEST(PagrixPrintTest, TheHostsHeaderChangesShowOnTheirPages) {
  FakeDiagram diagram = FakeDiagram::grid(30, 15);
  PagrixCtrl ctrl;
  ctrl.SethWndFlow(&diagram);
  ctrl.SetHeader(QStringLiteral("start"));
  int page = 0;
  QObject::connect(&ctrl, &PagrixCtrl::BeforeHeader, [&] {
    ++page;
    ctrl.SetHeader(page == 2 ? QStringLiteral("|Second sheet|") : QStringLiteral("Sheet <PAGE>"));
  });
  const QString pdf = outputPath("events.pdf");
  ctrl.SetOutputFileName(pdf);
  ctrl.PrintDoc();
  ASSERT_GE(pdfPageCount(pdf), 3);
  EXPECT_TRUE(pdfPageText(pdf, 1).contains(QStringLiteral("Sheet 1")));
  EXPECT_TRUE(pdfPageText(pdf, 2).contains(QStringLiteral("Second sheet")));
  EXPECT_TRUE(pdfPageText(pdf, 3).contains(QStringLiteral("Sheet 3")));
}

TEST(PagrixPrintTest, FitToPagePrintsOnePage) {
  FakeDiagram diagram = FakeDiagram::grid(40, 10);
  PagrixCtrl ctrl;
  ctrl.SethWndFlow(&diagram);
  ctrl.SetFitToPage(true);
  ctrl.SetOrientation(OrientLandscape);
  const QString pdf = outputPath("fit.pdf");
  ctrl.SetOutputFileName(pdf);
  ctrl.PrintDoc();
  ASSERT_EQ(pdfPageCount(pdf), 1);
  EXPECT_TRUE(pdfPageText(pdf, 1).contains(QStringLiteral("Node 40")));
  EXPECT_EQ(ctrl.pageSizeTwips(), QSize(15840, 12240)) << "landscape";
}

TEST(PagrixPrintTest, TheDialogsRangeTwoToThreeOfFivePrintsTwoPages) {
  // Five boxes a print width apart: five pages across.
  std::vector<QRect> boxes;
  for (int i = 0; i < 5; ++i) boxes.emplace_back(200 + i * 9360, 200, 1800, 900);
  FakeDiagram wide(boxes);
  PagrixCtrl ctrl;
  ctrl.SethWndFlow(&wide);
  ctrl.SetFooter(QStringLiteral("|<PAGE>|"));
  ScriptedChooser chooser;
  chooser.ranges = PrintRangeChooser::PageRanges{{2, 3}};
  ctrl.SetPrintRangeChooser(&chooser);
  ctrl.SetPrinterSettings(true);
  const QString pdf = outputPath("range.pdf");
  ctrl.SetOutputFileName(pdf);
  ctrl.PrintDoc();
  EXPECT_EQ(chooser.offeredPages, 5);
  ASSERT_EQ(pdfPageCount(pdf), 2);
  EXPECT_TRUE(pdfPageText(pdf, 1).contains(QStringLiteral("Node 2")));
  EXPECT_TRUE(pdfPageText(pdf, 2).contains(QStringLiteral("Node 3")));
}

TEST(PagrixPrintTest, WithoutAPrinterPrintingIsRefusedUnlessTheDialogChoosesAFile) {
  FakeDiagram diagram = FakeDiagram::grid(3, 3);
  PagrixCtrl ctrl;
  ctrl.SethWndFlow(&diagram);
  try {
    ctrl.PrintDoc();
    FAIL() << "printed without a printer";
  } catch (const ControlError& e) {
    EXPECT_EQ(e.code(), 0x800A03E8u);
    EXPECT_EQ(e.description(), "You have no default printer!");
  }
  // The dialog offers printing into a file.
  ScriptedChooser chooser;
  ctrl.SetPrintRangeChooser(&chooser);
  ctrl.SetPrinterSettings(true);
  chooser.cancel = true;
  ctrl.PrintDoc();
  EXPECT_EQ(chooser.shown, 1) << "cancelled: nothing printed, no error";
  chooser.cancel = false;
  EXPECT_THROW(ctrl.PrintDoc(), ControlError) << "a printer, not a file, and none there";
  chooser.file = outputPath("chosen.pdf");
  ctrl.PrintDoc();
  EXPECT_EQ(pdfPageCount(chooser.file), 1);
}

TEST(PagrixPrintTest, AJobThatCannotBeWrittenIsAbandonedAndReported) {
  FakeDiagram diagram = FakeDiagram::grid(3, 3);
  PagrixCtrl ctrl;
  ctrl.SethWndFlow(&diagram);
  ctrl.SetDocName(QStringLiteral("Quarterly map"));
  const QString pdf = outputPath("no-such-folder/map.pdf");
  ctrl.SetOutputFileName(pdf);
  try {
    ctrl.PrintDoc();
    FAIL() << "a job into a missing folder succeeded";
  } catch (const ControlError& e) {
    EXPECT_EQ(e.code(), kPrinterError);
    EXPECT_NE(e.description().find("Quarterly map"), std::string::npos) << e.description();
    EXPECT_NE(e.description().find("no-such-folder"), std::string::npos) << e.description();
  }
  EXPECT_FALSE(QFile::exists(pdf));
}

TEST(PagrixPrintTest, WithoutADiagramPrintDocDoesNothing) {
  PagrixCtrl ctrl;
  const QString pdf = outputPath("nothing.pdf");
  ctrl.SetOutputFileName(pdf);
  ctrl.PrintDoc();
  ctrl.NextPage();
  ctrl.PriorPage();
  EXPECT_FALSE(QFile::exists(pdf));
}

}  // namespace
}  // namespace orlix::diagramprint
