// Printing from the windows through a real print queue: a private CUPS
// scheduler whose queue writes every job into a PDF file, the default
// printer of this process. A complete printout arrives whole; a cancelled
// one never reaches the queue.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPrinterInfo>

#include "app/child_windows.h"
#include "app/orl_flex_grid.h"
#include "app/result_windows.h"
#include "tests/app/app_test_support.h"
#include "tests/app/print_test_support.h"
#include "tests/diagramprint/support/cups_server.h"
#include "tests/diagramprint/support/pdf_text.h"

namespace orlix::app::test {
namespace {

using orlix::test::CupsServer;

class QueuePrintingTest : public AppTest {
 protected:
  static void SetUpTestSuite() {
    const std::string reason = CupsServer::unavailableReason();
    if (!reason.empty()) GTEST_FAIL() << reason;
    server = new CupsServer();
    // Read when the application is made, before the print system is first asked.
    qputenv("ORLIX_TEST_CUPS_SERVER", QByteArray::fromStdString(server->socketPath()));
  }
  static void TearDownTestSuite() {
    delete server;
    server = nullptr;
  }
  QString queueOutput() const { return QString::fromStdString(server->outputFile()); }

  static CupsServer* server;
};

CupsServer* QueuePrintingTest::server = nullptr;

TEST_F(QueuePrintingTest, AGridGoesThroughTheDefaultQueueWhole) {
  ASSERT_NE(server, nullptr);
  MdiMain& main = mainWindow();
  ASSERT_EQ(QPrinterInfo::defaultPrinterName(), QString::fromLatin1(CupsServer::kQueue));
  main.state().gDescriptives =
      memoryRecordset({"VarName", "Mean#"}, {{"AGE", "35.5"}, {"INCOME", "1200"}, {"SEX", "0.5"}});
  main.viewDescrip();
  ModalWatcher watcher;
  main.filePrint();  // no printer chosen: the default queue
  EXPECT_TRUE(watcher.messages().empty()) << watcher.allText().toStdString();
  ASSERT_TRUE(server->waitUntilIdle(60)) << server->run("lpstat -W all -o");
  ASSERT_EQ(orlix::test::pdfPageCount(queueOutput()), 1);
  const QString text = pdfText(queueOutput());
  for (const char* cell : {"VarName", "Mean", "AGE", "35.5", "INCOME", "1200", "SEX", "0.5"})
    EXPECT_TRUE(text.contains(QLatin1String(cell))) << cell << " missing from\n" << text.toStdString();
  EXPECT_NE(server->run("lpstat -W completed -o"), "");
}

TEST_F(QueuePrintingTest, ACancelledGridPrintoutNeverReachesTheQueue) {
  ASSERT_NE(server, nullptr);
  MdiMain& main = mainWindow();
  useLongRawData(main, QDir::currentPath(), 50000);
  main.viewRaw();
  auto* raw = qobject_cast<FrmRawD*>(main.windows().active());
  ASSERT_NE(raw, nullptr);
  bool progressShown = false;
  ModalWatcher watcher([&progressShown](QDialog* dialog) {
    progressShown = progressShown || dialog->objectName() == QLatin1String("frmPrinting");
    dialog->reject();
  });
  main.state().gPrinter.printerName = QString::fromLatin1(CupsServer::kQueue);
  QFile::remove(queueOutput());
  const std::string jobsBefore = server->run("lpstat -W all -o");
  EXPECT_EQ(raw->grid()->PrintGrid(main.state().gPrinter, raw->windowTitle()), 0);
  EXPECT_TRUE(progressShown);
  // A job handed to the queue at all is listed as soon as it is handed over.
  EXPECT_EQ(server->run("lpstat -W all -o"), jobsBefore);
  EXPECT_FALSE(QFile::exists(queueOutput()));
  EXPECT_TRUE(watcher.messages().empty()) << watcher.allText().toStdString();
}

}  // namespace
}  // namespace orlix::app::test
