// Printing through a real print queue: a private CUPS scheduler whose queue
// writes every job into a PDF file, found by Qt as the default printer.
#include <gtest/gtest.h>

#include <QDate>
#include <QPrinterInfo>
#include <memory>

#include "diagramprint/control_error.h"
#include "diagramprint/map_print_setup.h"
#include "diagramprint/pagrix_ctrl.h"
#include "tests/diagramprint/support/cups_server.h"
#include "tests/diagramprint/support/fake_diagram.h"
#include "tests/diagramprint/support/pdf_text.h"

namespace orlix::diagramprint {
namespace {

using test::CupsServer;
using test::FakeDiagram;

class CupsPrintTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    const std::string reason = CupsServer::unavailableReason();
    if (!reason.empty()) GTEST_FAIL() << reason;
    server = new CupsServer();
    // Before the first question to the print system in this process.
    qputenv("CUPS_SERVER", QByteArray::fromStdString(server->socketPath()));
  }
  static void TearDownTestSuite() {
    delete server;
    server = nullptr;
  }
  static CupsServer* server;
};

CupsServer* CupsPrintTest::server = nullptr;

TEST_F(CupsPrintTest, TheMapGoesThroughTheDefaultQueue) {
  ASSERT_NE(server, nullptr);
  ASSERT_EQ(QPrinterInfo::defaultPrinterName(), QString::fromLatin1(CupsServer::kQueue));
  FakeDiagram diagram = FakeDiagram::grid(21, 7);
  PagrixCtrl ctrl;
  setUpMapPrint(ctrl, &diagram, QStringLiteral("Through the queue"), QDate(2026, 12, 8), false);
  ctrl.PrintDoc();
  const int pages = ctrl.PageCount();
  ASSERT_GE(pages, 2);
  ASSERT_TRUE(server->waitUntilIdle(60)) << server->run("lpstat -W all -o");
  const QString output = QString::fromStdString(server->outputFile());
  ASSERT_EQ(test::pdfPageCount(output), pages);
  for (int page = 1; page <= pages; ++page) {
    const QString text = test::pdfPageText(output, page);
    EXPECT_TRUE(text.contains(QStringLiteral("08-Dec-2026"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Through the queue")));
    EXPECT_TRUE(text.contains(QStringLiteral("- Page %1 -").arg(page)));
  }
}

TEST_F(CupsPrintTest, AQueueNamedByThePageSetupIsUsedAndAMissingOneRefused) {
  ASSERT_NE(server, nullptr);
  FakeDiagram diagram = FakeDiagram::grid(3, 3);
  PagrixCtrl ctrl;
  ctrl.SethWndFlow(&diagram);
  ctrl.SetPrinterName(QStringLiteral("NoSuchQueue"));
  EXPECT_THROW(ctrl.PrintDoc(), ControlError);
  ctrl.SetPrinterName(QString::fromLatin1(CupsServer::kQueue));
  EXPECT_NO_THROW(ctrl.PrintDoc());
  EXPECT_TRUE(server->waitUntilIdle(60));
}

}  // namespace
}  // namespace orlix::diagramprint

// The CUPS client library keeps a printer's cached PPD data for the life of
// the process; that is the library's, not a leak of ours.
extern "C" const char* __lsan_default_suppressions() { return "leak:libcups.so\n"; }
