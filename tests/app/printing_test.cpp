// Printing from the program's windows: File > Print by the active window's
// name into a PDF file chosen as the session's printer (read back with
// poppler's tools), the progress window's Cancel, the failure messages,
// Print Preview and Print Setup.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTextEdit>

#include "app/child_windows.h"
#include "app/orl_flex_grid.h"
#include "app/result_windows.h"
#include "display/printing/dlg_print_preview.h"
#include "display/printing/frm_preview.h"
#include "display/printing/recordset_text.h"
#include "platform/ado/recordset.h"
#include "tests/app/app_test_support.h"
#include "tests/app/print_test_support.h"
#include "tests/diagramprint/support/pdf_text.h"

namespace orlix::app::test {
namespace {

using orlix::test::pdfPageCount;

class PrintingTest : public AppTest {
 protected:
  QString pdf(const char* name) const { return QDir::current().absoluteFilePath(QString::fromLatin1(name)); }
  void trigger(const char* name) { main_->actions().action(QString::fromLatin1(name))->trigger(); }
  void printInto(const QString& file) {
    QFile::remove(file);
    main_->state().gPrinter.pdfFile = file;
    trigger("mnuFilePrint");
  }
  // The descriptives window over three variables, active.
  GridWindow* showDescriptives() {
    descriptives_ = memoryRecordset({"VarName", "Mean#", "Label"},
                                    {{"AGE", "35.5", "years"}, {"INCOME", "1200", "dollars"}, {"SEX", "", "codes"}});
    mainWindow().state().gDescriptives = descriptives_;
    main_->viewDescrip();
    return qobject_cast<GridWindow*>(main_->windows().active());
  }

  std::shared_ptr<ado::Recordset> descriptives_;
};

TEST_F(PrintingTest, AGridPrintsEveryCellWithItsHeadingInTheOrderShown) {
  GridWindow* window = showDescriptives();
  ASSERT_NE(window, nullptr);
  ModalWatcher watcher;
  printInto(pdf("grid.pdf"));
  EXPECT_TRUE(watcher.messages().empty()) << watcher.allText().toStdString();
  ASSERT_EQ(pdfPageCount(pdf("grid.pdf")), 1);
  const QString text = pdfText(pdf("grid.pdf"));
  for (const char* cell : {"VarName", "Mean", "Label", "AGE", "35.5", "years", "INCOME", "1200", "dollars", "SEX",
                           "codes"})
    EXPECT_TRUE(text.contains(QLatin1String(cell))) << cell << " missing from\n" << text.toStdString();
  EXPECT_LT(text.indexOf(QLatin1String("VarName")), text.indexOf(QLatin1String("AGE")));
  EXPECT_LT(text.indexOf(QLatin1String("AGE")), text.indexOf(QLatin1String("INCOME")));

  // Sorted on the means, largest first, the grid prints in that order.
  window->grid()->select({1, 1, 1, 1});
  window->grid()->sortDescending();
  printInto(pdf("sorted.pdf"));
  const QString sorted = pdfText(pdf("sorted.pdf"));
  EXPECT_LT(sorted.indexOf(QLatin1String("VarName")), sorted.indexOf(QLatin1String("INCOME")));
  EXPECT_LT(sorted.indexOf(QLatin1String("INCOME")), sorted.indexOf(QLatin1String("AGE")));
}

TEST_F(PrintingTest, TextWindowsPrintTheirTrimmedTextAndAnEmptyOneNothing) {
  MdiMain& main = mainWindow();
  main.state().gCodeText = "\n\nIF AGE <= 35.000000 \nTHEN SEGMENT = 0;\nELSE SEGMENT = 1;\n\n";
  main.showShortCut(5);
  ModalWatcher watcher;
  printInto(pdf("code.pdf"));
  EXPECT_TRUE(watcher.messages().empty()) << watcher.allText().toStdString();
  EXPECT_EQ(pdfPageCount(pdf("code.pdf")), 1);  // a text that fits: one page, no blank one after it
  const QString text = pdfText(pdf("code.pdf"));
  EXPECT_TRUE(text.contains(QLatin1String("IF AGE <= 35.000000"))) << text.toStdString();
  EXPECT_TRUE(text.contains(QLatin1String("ELSE SEGMENT = 1;")));

  main.state().gRulesText = " \n\t\n";
  main.showShortCut(3);
  printInto(pdf("rules.pdf"));
  EXPECT_FALSE(QFile::exists(pdf("rules.pdf")));
  ASSERT_EQ(watcher.messages().size(), 1u);
  EXPECT_EQ(watcher.messages()[0].text,
            QStringLiteral("\"Terminal Node Summaries\" is empty: there is nothing to print."));
}

TEST_F(PrintingTest, CancellingALongGridPrintoutLeavesNoFile) {
  MdiMain& main = mainWindow();
  useLongRawData(main, QDir::currentPath(), 50000);
  main.viewRaw();
  auto* raw = qobject_cast<FrmRawD*>(main.windows().active());
  ASSERT_NE(raw, nullptr);
  ASSERT_EQ(raw->grid()->Rows(), 50001);
  const QString file = pdf("long.pdf");
  main.state().gPrinter.pdfFile = file;
  // The Cancel button, and Escape, which closes the progress window.
  for (const bool button : {true, false}) {
    bool progressShown = false;
    ModalWatcher watcher([&progressShown, button](QDialog* dialog) {
      auto* cancel = dialog->findChild<QPushButton*>();
      progressShown = progressShown || (dialog->objectName() == QLatin1String("frmPrinting") && cancel);
      if (button && cancel)
        cancel->click();
      else
        dialog->reject();
    });
    EXPECT_EQ(raw->grid()->PrintGrid(main.state().gPrinter, raw->windowTitle()), 0);
    EXPECT_TRUE(progressShown);
    EXPECT_FALSE(QFile::exists(file));
    EXPECT_TRUE(watcher.messages().empty()) << watcher.allText().toStdString();  // the user's own choice
  }
}

TEST_F(PrintingTest, FailuresAreShownNamingTheDocument) {
  MdiMain& main = mainWindow();
  main.state().gCodeText = "IF AGE <= 35.000000 \nTHEN SEGMENT = 0;";
  main.showShortCut(5);
  ModalWatcher watcher;
  trigger("mnuFilePrint");  // no printer on this machine and none chosen
  const QString missingFolder = pdf("no-such-folder/code.pdf");
  printInto(missingFolder);
  main.showShortCut(6);  // the tree list, empty before a run
  printInto(pdf("nodes.pdf"));
  ASSERT_EQ(watcher.messages().size(), 3u) << watcher.allText().toStdString();
  EXPECT_EQ(watcher.messages()[0].text,
            QStringLiteral("\"Scoring Code\" could not be printed.\n\nYou have no default printer!"));
  EXPECT_TRUE(watcher.messages()[1].text.startsWith(QStringLiteral("\"Scoring Code\" could not be printed.")));
  EXPECT_TRUE(watcher.messages()[1].text.contains(missingFolder)) << watcher.messages()[1].text.toStdString();
  EXPECT_EQ(watcher.messages()[2].text, QStringLiteral("\"Tree Nodes\" has nothing to print."));
  EXPECT_FALSE(QFile::exists(pdf("nodes.pdf")));
}

TEST_F(PrintingTest, FilePrintGoesByTheActiveWindowsName) {
  MdiMain& main = mainWindow();
  {
    ModalWatcher nothing;
    printInto(pdf("none.pdf"));
    ASSERT_EQ(nothing.messages().size(), 1u);
    EXPECT_TRUE(nothing.messages()[0].text.startsWith(QStringLiteral("There is no window to print")));
  }

  // The decision map prints as its own Print command: the title, then the pages.
  main.state().gTreeList = threeNodeTreeList();
  main.showShortCut(4);
  ASSERT_EQ(main.windows().active()->objectName(), QStringLiteral("frmTreeDisplay"));
  ModalWatcher watcher([](QDialog* dialog) {
    auto* prompt = qobject_cast<QInputDialog*>(dialog);
    ASSERT_NE(prompt, nullptr) << dialog->objectName().toStdString();
    EXPECT_EQ(prompt->labelText(), QStringLiteral("Enter a Title for the printout"));
    prompt->setTextValue(QStringLiteral("Segments of the run"));
    prompt->accept();
  });
  printInto(pdf("map.pdf"));
  EXPECT_TRUE(watcher.messages().empty()) << watcher.allText().toStdString();
  ASSERT_EQ(pdfPageCount(pdf("map.pdf")), 1);
  const QString text = pdfText(pdf("map.pdf"));
  EXPECT_TRUE(text.contains(QLatin1String("Segments of the run")));
  EXPECT_TRUE(text.contains(QLatin1String("- Page 1 -")));
}

TEST_F(PrintingTest, PrintPreviewOfAGridShowsItsCellsAsTabSeparatedTextAndPrintsIt) {
  GridWindow* window = showDescriptives();
  ASSERT_NE(window, nullptr);
  ModalWatcher watcher;
  trigger("mnuFilePrintPreview");
  auto* preview = qobject_cast<display::frmPreview*>(main_->windows().active());
  ASSERT_NE(preview, nullptr) << watcher.allText().toStdString();
  EXPECT_EQ(preview->objectName(), QStringLiteral("frmPreview"));
  EXPECT_EQ(preview->windowTitle(), QStringLiteral("Preview of Descriptives"));
  const QString expected = display::recordsetText(*descriptives_);
  EXPECT_EQ(preview->RichTextBox1()->toPlainText(), expected);
  EXPECT_EQ(expected.section(QLatin1Char('\n'), 0, 1), QStringLiteral("VarName\tMean\tLabel\nAGE\t35.5\tyears"));

  // File > Print on the preview prints its text.
  printInto(pdf("preview.pdf"));
  EXPECT_EQ(pdfPageCount(pdf("preview.pdf")), 1);
  EXPECT_TRUE(pdfText(pdf("preview.pdf")).contains(QLatin1String("dollars")));

  // A sorted grid previews in the order it shows.
  window->grid()->select({1, 1, 1, 1});
  window->grid()->sortDescending();
  main_->windows().show(window);
  trigger("mnuFilePrintPreview");
  auto* second = qobject_cast<display::frmPreview*>(main_->windows().active());
  ASSERT_NE(second, nullptr);
  ASSERT_NE(second, preview);
  EXPECT_TRUE(second->RichTextBox1()->toPlainText().startsWith(
      QStringLiteral("VarName\tMean\tLabel\nINCOME\t1200\tdollars\nAGE\t35.5\tyears")));
  EXPECT_TRUE(watcher.messages().empty()) << watcher.allText().toStdString();
}

TEST_F(PrintingTest, PrintPreviewOfTheMapShowsItsPagesAndOtherWindowsSayWhatIsPreviewed) {
  MdiMain& main = mainWindow();
  main.state().gCodeText = "IF AGE <= 35.000000 \nTHEN SEGMENT = 0;";
  main.showShortCut(5);
  {
    ModalWatcher told;
    trigger("mnuFilePrintPreview");
    ASSERT_EQ(told.messages().size(), 1u);
    EXPECT_TRUE(told.messages()[0].text.startsWith(QStringLiteral("Print Preview shows the Raw Data")));
    EXPECT_EQ(main.windows().find(QStringLiteral("frmPreview")), nullptr);
  }

  main.state().gTreeList = threeNodeTreeList();
  main.showShortCut(4);
  QString pages;
  ModalWatcher watcher([&pages](QDialog* dialog) {
    if (auto* prompt = qobject_cast<QInputDialog*>(dialog)) {
      prompt->accept();
    } else if (auto* form = qobject_cast<display::dlgPrintPreview*>(dialog)) {
      if (auto* label = form->findChild<QLabel*>(QStringLiteral("lblPages"))) pages = label->text();
      form->reject();
    } else {
      dialog->reject();
    }
  });
  trigger("mnuFilePrintPreview");
  EXPECT_TRUE(watcher.messages().empty()) << watcher.allText().toStdString();
  EXPECT_EQ(pages, QStringLiteral("of 1 pages"));
}

TEST_F(PrintingTest, PrintSetupKeepsTheChosenPrinterForTheSession) {
  MdiMain& main = mainWindow();
  {
    ModalWatcher cancel;  // the dialog closed with Cancel: nothing changes
    trigger("mnuFilePrintSetup");
  }
  EXPECT_TRUE(main.state().gPrinter.pdfFile.isEmpty());
  EXPECT_TRUE(main.state().gPrinter.printerName.isEmpty());

  const QString file = pdf("chosen.pdf");
  ModalWatcher choose([&file](QDialog* dialog) {
    auto* print = qobject_cast<QPrintDialog*>(dialog);
    ASSERT_NE(print, nullptr);
    auto* fileName = print->findChild<QLineEdit*>(QStringLiteral("filename"));
    ASSERT_NE(fileName, nullptr);
    fileName->setText(file);
    print->accept();
  });
  trigger("mnuFilePrintSetup");
  EXPECT_EQ(main.state().gPrinter.pdfFile, file);

  // Later printouts go there.
  main.state().gCodeText = "IF AGE <= 35.000000 \nTHEN SEGMENT = 0;";
  main.showShortCut(5);
  trigger("mnuFilePrint");
  EXPECT_EQ(pdfPageCount(file), 1);
  EXPECT_TRUE(choose.messages().empty()) << choose.allText().toStdString();
}

}  // namespace
}  // namespace orlix::app::test
