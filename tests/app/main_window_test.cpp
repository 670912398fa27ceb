// The main window: its commands, tool bar, short-cut bar and status bar, the
// tip window and its setting, the child windows and the orderly end.
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QStatusBar>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>
#include <QKeyEvent>
#include <QRegularExpression>
#include <QTimer>

#include "app/child_windows.h"
#include "platform/ado/recordset.h"
#include "app/dlg_tree_options.h"
#include "app/frm_convert.h"
#include "app/frm_splash.h"
#include "app/frm_tip.h"
#include "app/help_window.h"
#include "app/orl_flex_grid.h"
#include "app/result_windows.h"
#include "app/shortcut_bar.h"
#include "app/twips.h"
#include "app/user_settings.h"
#include "tests/app/app_test_support.h"
#include "tests/support/test_files.h"
#include "tests/app/print_test_support.h"

namespace orlix::app::test {
namespace {

using MainWindowTest = AppTest;

QAction* action(MdiMain& main, const char* name) { return main.actions().action(QString::fromLatin1(name)); }

TEST_F(MainWindowTest, MenusHoldEveryCommandWithItsCaption) {
  MdiMain& main = mainWindow();
  EXPECT_EQ(main.windowTitle(), QStringLiteral("Wendmoor Decision Trees"));
  EXPECT_EQ(main.objectName(), QStringLiteral("mdiMain"));
  const QList<std::pair<const char*, const char*>> captions{
      {"mnuFileNew", "&New"}, {"mnuFileSaveAs", "Save &As..."}, {"mnuFileSaveAll", "Save A&ll"},
      {"mnuFileProperties", "Propert&ies"}, {"mnuFilePrintSetup", "Print Set&up..."},
      {"mnuFilePrintPreview", "Print Pre&view"}, {"mnuFileSend", "Sen&d..."}, {"mnuFileExit", "E&xit"},
      {"mnuEditPasteSpecial", "Paste &Special..."}, {"mnuEditDSelectAll", "Select &All"},
      {"mnuViewToolbar", "&Short Cut Bar"}, {"mnuViewStatusBar", "Status &Bar"},
      {"mnuViewTerminal", "Terminal Node Summaries"}, {"mnuViewOptions", "&Options..."},
      {"mnuToolsRunTree", "&Run Tree"}, {"mnuWindowTileHorizontal", "Tile &Horizontal"},
      {"mnuHelpSearch", "&Search For Help On..."}, {"mnuHelpAbout", "&About MyApp..."},
      {"mnuHelpTips", "Show Startup Tips"}};
  for (const auto& [name, caption] : captions) EXPECT_EQ(action(main, name)->text(), QString::fromLatin1(caption)) << name;

  // Every registered command sits in a menu; the ones without a function are visible but disabled.
  QList<QAction*> inMenus;
  for (QMenu* menu : main.menuBar()->findChildren<QMenu*>()) inMenus += menu->actions();
  for (QAction* a : main.actions().all()) EXPECT_TRUE(inMenus.contains(a)) << a->objectName().toStdString();
  for (const char* name : {"mnuFileClose", "mnuFileSend", "mnuEditUndo", "mnuEditCut", "mnuEditPaste",
                           "mnuEditPasteSpecial", "mnuEditDSelectAll", "mnuEditInvertSelection"}) {
    EXPECT_FALSE(action(main, name)->isEnabled()) << name;
    EXPECT_TRUE(action(main, name)->isVisible()) << name;
  }
  EXPECT_EQ(action(main, "mnuFileNew")->shortcut(), QKeySequence(QKeySequence::New));
  EXPECT_EQ(action(main, "mnuEditCopy")->shortcut(), QKeySequence(QKeySequence::Copy));
  EXPECT_EQ(action(main, "mnuFileExit")->shortcut(), QKeySequence(QKeySequence::Quit));
  QStringList menuTitles;
  for (QAction* top : main.menuBar()->actions()) menuTitles << top->text();
  EXPECT_EQ(menuTitles, (QStringList{"&File", "&Edit", "&View", "&Tools", "&Window", "&Help"}));
}

TEST_F(MainWindowTest, TheToolBarHoldsItsKeysAndTips) {
  MdiMain& main = mainWindow();
  auto* toolbar = main.findChild<QToolBar*>(QStringLiteral("Toolbar1"));
  ASSERT_NE(toolbar, nullptr);
  QStringList keys;
  for (QAction* a : toolbar->actions())
    if (!a->isSeparator()) keys << a->property("key").toString();
  EXPECT_EQ(keys, (QStringList{"Open", "Save", "Print", "Copy", "RunTree", "Help"}));
  auto* run = toolbar->findChild<QAction*>(QStringLiteral("RunTree"));
  EXPECT_EQ(run->toolTip(), QStringLiteral("Executes the Tree Algorithm based on input options"));
  EXPECT_FALSE(toolbar->findChild<QAction*>(QStringLiteral("Copy"))->isEnabled());
}

TEST_F(MainWindowTest, TheShortCutBarLaysItsButtonsOutTopToBottomAndScrolls) {
  MdiMain& main = mainWindow();
  ShortCutBar* bar = main.shortCutBar();
  EXPECT_EQ(bar->objectName(), QStringLiteral("Picture1"));
  const QStringList tips{"Descriptive Data", "Raw Data", "Tree Rules", "Decision Tree", "Tree Code", "List Tree Nodes", "Tree Options"};
  const QStringList captions{"Descirptive Data", "Raw Data", "Terminal Nodes", "Decision Tree", "Scoring Code", "Tree Nodes", "Tree Options"};
  for (int i = 1; i <= 7; ++i) {
    EXPECT_EQ(bar->button(i)->toolTip(), tips[i - 1]);
    EXPECT_EQ(bar->caption(i)->text(), captions[i - 1]);
    EXPECT_TRUE(bar->button(i)->isVisibleTo(bar));
  }
  const auto px = [bar](int twips) { return twipsToPixels(twips, bar); };
  EXPECT_EQ(bar->width(), px(1095));
  // Each button is 100 twips below the last one's caption (plus 20), its caption 500 below its top.
  EXPECT_EQ(bar->button(1)->x(), px(240));
  EXPECT_EQ(bar->caption(1)->y(), bar->button(1)->y() + px(500));
  EXPECT_EQ(bar->button(2)->y() - bar->button(1)->y(), px(100) + px(480) + px(495) + px(20) );
  EXPECT_EQ(bar->caption(1)->size(), QSize(px(975), px(495)));

  main.resize(main.width(), 360);  // too short for seven buttons
  QApplication::processEvents();
  auto* down = bar->findChild<QPushButton*>(QStringLiteral("cmdDown"));
  ASSERT_TRUE(down->isVisible());
  EXPECT_EQ(bar->scrollOffset(), 0);
  down->click();
  EXPECT_GT(bar->scrollOffset(), 0);
  bar->findChild<QPushButton*>(QStringLiteral("cmdUp"))->click();
  EXPECT_EQ(bar->scrollOffset(), 0);

  action(main, "mnuViewToolbar")->trigger();
  EXPECT_FALSE(bar->isVisible());
  EXPECT_FALSE(action(main, "mnuViewToolbar")->isChecked());
  action(main, "mnuViewStatusBar")->trigger();
  EXPECT_FALSE(main.statusBar()->isVisible());
}

TEST_F(MainWindowTest, ToolBarKeysAndWindowCommandsDoWhatTheirRowsSay) {
  MdiMain& main = mainWindow();
  auto* toolbar = main.findChild<QToolBar*>(QStringLiteral("Toolbar1"));
  toolbar->findChild<QAction*>(QStringLiteral("Help"))->trigger();
  ASSERT_NE(main.helpWindow(), nullptr);
  EXPECT_TRUE(main.helpWindow()->isVisible());
  {
    ModalWatcher watcher;
    toolbar->findChild<QAction*>(QStringLiteral("RunTree"))->trigger();
    ASSERT_EQ(watcher.messages().size(), 1u);
    EXPECT_EQ(watcher.messages()[0].title, QStringLiteral("Parameter Validation"));  // the run, with no data
  }

  main.showShortCut(3);
  main.showShortCut(5);
  main.showShortCut(6);
  const QRect area = main.mdiArea()->viewport()->rect();
  action(main, "mnuWindowTileVertical")->trigger();  // side by side
  QList<QMdiSubWindow*> frames = main.mdiArea()->subWindowList();
  ASSERT_EQ(frames.size(), 3);
  for (QMdiSubWindow* frame : frames) {
    EXPECT_EQ(frame->height(), area.height());
    EXPECT_EQ(frame->width(), area.width() / 3);
  }
  action(main, "mnuWindowTileHorizontal")->trigger();  // one above another
  for (QMdiSubWindow* frame : frames) {
    EXPECT_EQ(frame->width(), area.width());
    EXPECT_EQ(frame->height(), area.height() / 3);
  }
  action(main, "mnuWindowCascade")->trigger();
  EXPECT_NE(frames[0]->pos(), frames[1]->pos());

  // File > Print prints the active window through its own entry point.
  ModalWatcher watcher;
  main.windows().show(main.windows().find(QStringLiteral("frmTreeList")));
  action(main, "mnuFilePrint")->trigger();
  ASSERT_EQ(watcher.messages().size(), 1u);
  EXPECT_EQ(watcher.messages()[0].text, QStringLiteral("\"Tree Nodes\" has nothing to print."));
  action(main, "mnuViewRefresh")->trigger();
}

TEST_F(MainWindowTest, TheSplashShowsTheVersionAndClosesAtAKey) {
  FrmSplash splash;
  EXPECT_EQ(splash.findChild<QLabel*>(QStringLiteral("lblProductName"))->text(), QStringLiteral("Wendmoor Decision Trees"));
  EXPECT_EQ(splash.findChild<QLabel*>(QStringLiteral("lblCompany"))->text(), QStringLiteral("Quorvane Inc. "));
  EXPECT_TRUE(splash.findChild<QLabel*>(QStringLiteral("lblVersion"))->text().contains(QRegularExpression(QStringLiteral("^Version \\d+\\.\\d+\\.\\d+$"))));
  QTimer::singleShot(0, &splash, [&splash] {
    QKeyEvent key(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&splash, &key);
  });
  EXPECT_EQ(splash.exec(), QDialog::Accepted);
}

TEST_F(MainWindowTest, TheStatusBarShowsStatusAndTheDate) {
  MdiMain& main = mainWindow();
  EXPECT_EQ(main.statusBar()->objectName(), QStringLiteral("StatusBar1"));
  EXPECT_EQ(main.findChild<QLabel*>(QStringLiteral("StatusBar1Panel1"))->text(), QStringLiteral("Status"));
  EXPECT_FALSE(main.findChild<QLabel*>(QStringLiteral("StatusBar1Panel2"))->text().isEmpty());
}

TEST_F(MainWindowTest, TipsTurnedOffShowNoTipAndTheMenuItemTurnsThemOn) {
  setShowTipsAtStartup(0);
  MdiMain& main = mainWindow();
  QApplication::processEvents();
  EXPECT_EQ(main.tipWindow(), nullptr);
  EXPECT_FALSE(action(main, "mnuHelpTips")->isChecked());
  action(main, "mnuHelpTips")->trigger();
  EXPECT_TRUE(action(main, "mnuHelpTips")->isChecked());
  EXPECT_EQ(showTipsAtStartup(), 1);
  action(main, "mnuHelpTips")->trigger();
  EXPECT_EQ(showTipsAtStartup(), 0);
}

TEST_F(MainWindowTest, TipsTurnedOnShowARandomLineOfTheTipsFile) {
  QFile tips(QDir(programFolder()).filePath(QStringLiteral("TIPOFDAY.TXT")));
  ASSERT_TRUE(tips.open(QIODevice::WriteOnly));
  tips.write("first tip\nsecond tip\r\nthird tip\n");
  tips.close();
  setShowTipsAtStartup(1);
  MdiMain& main = mainWindow();
  QApplication::processEvents();
  FrmTip* tip = main.tipWindow();
  ASSERT_NE(tip, nullptr);
  EXPECT_TRUE(tip->isVisible());
  EXPECT_TRUE(action(main, "mnuHelpTips")->isChecked());
  EXPECT_EQ(tip->tips(), (QStringList{"first tip", "second tip", "third tip"}));
  auto* next = tip->findChild<QPushButton*>(QStringLiteral("cmdNextTip"));
  auto* text = tip->findChild<QLabel*>(QStringLiteral("lblTipText"));
  for (int i = 0; i < 200; ++i) {
    EXPECT_GE(tip->currentTip(), 1);
    EXPECT_LE(tip->currentTip(), 3);
    EXPECT_EQ(text->text(), tip->tips().at(tip->currentTip() - 1));
    next->click();
  }
  // Clearing the box stores 0 at once.
  tip->findChild<QAbstractButton*>(QStringLiteral("chkLoadTipsAtStartup"))->click();
  EXPECT_EQ(showTipsAtStartup(), 0);
}

TEST_F(MainWindowTest, TipIndicesCoverOneToTheCountAndAMissingFileIsExplained) {
  for (double r : {0.0, 0.333, 0.334, 0.5, 0.666, 0.667, 0.999999}) {
    EXPECT_GE(tipIndex(3, r), 1);
    EXPECT_LE(tipIndex(3, r), 3);
  }
  EXPECT_EQ(tipIndex(3, 0.0), 1);
  EXPECT_EQ(tipIndex(3, 0.999999), 3);
  EXPECT_TRUE(readTips(QStringLiteral("no-such-tips.txt")).isEmpty());
  EXPECT_EQ(tipsFileNotFoundText(),
            QStringLiteral("That the TIPOFDAY.TXT file was not found? \r\n\r\nCreate a text file named TIPOFDAY.TXT "
                           "using NotePad with 1 tip per line. Then place it in the same directory as the application. "));
  setShowTipsAtStartup(1);
  FrmTip tip(QStringLiteral("no-such-tips.txt"), nullptr, nullptr);
  EXPECT_TRUE(tip.findChild<QLabel*>(QStringLiteral("lblTipText"))->text().startsWith(QStringLiteral("That the TIPOFDAY.TXT")));
}

TEST_F(MainWindowTest, ResultWindowsCarryTheirNamesAndTexts) {
  MdiMain& main = mainWindow();
  main.state().gRulesText = "SEGMENT 0\nAGE <= 35.000000";
  main.state().gCodeText = "IF AGE <= 35.000000 \nTHEN SEGMENT = 0;";
  main.showShortCut(3);
  main.showShortCut(5);
  main.showShortCut(6);
  main.showShortCut(1);
  for (const char* name : {"frmRules", "frmCode", "frmTreeList", "frmDescrip"})
    EXPECT_NE(main.windows().find(QString::fromLatin1(name)), nullptr) << name;
  auto* code = qobject_cast<TextWindow*>(main.windows().find(QStringLiteral("frmCode")));
  ASSERT_NE(code, nullptr);
  EXPECT_EQ(code->text(), QStringLiteral("IF AGE <= 35.000000 \nTHEN SEGMENT = 0;"));
  EXPECT_TRUE(code->textBox()->isReadOnly());
  EXPECT_EQ(QFontInfo(code->textBox()->font()).family(), QStringLiteral("Liberation Sans"));
  EXPECT_EQ(code->textBox()->font().pointSize(), 10);

  // Edit > Copy gives the active text window's whole text.
  main.windows().show(code);
  action(main, "mnuEditCopy")->trigger();
  EXPECT_EQ(QGuiApplication::clipboard()->text(), code->text());
  // A window already loaded keeps its text when the program's text changes.
  main.state().gCodeText = "changed";
  main.showShortCut(5);
  EXPECT_EQ(code->text(), QStringLiteral("IF AGE <= 35.000000 \nTHEN SEGMENT = 0;"));

  // Windows fill their frames as they are resized.
  QWidget* frame = code->parentWidget();
  frame->resize(600, 400);
  QApplication::processEvents();
  EXPECT_EQ(code->textBox()->size(), code->size());
}

TEST_F(MainWindowTest, FileNewUnloadsTheResultWindowsAndShowsTheRawData) {
  MdiMain& main = mainWindow();
  main.state().gRulesText = "old report";
  main.showShortCut(3);
  main.showShortCut(5);
  main.state().gDescriptives = memoryRecordset({"VarName"}, {{"a"}});
  main.showShortCut(1);
  DlgTreeOptions* optionsBefore = &main.treeOptions();
  ASSERT_EQ(main.windows().loaded().size(), 3);

  fileNew([](FrmConvert* dialog) {
    dialog->setFileName(samplePath(QStringLiteral("penguins.csv")));
    dialog->findChild<QPushButton*>(QStringLiteral("cmdConvert"))->click();
  });
  ASSERT_EQ(main.windows().loaded().size(), 1);
  EXPECT_NE(main.windows().find(QStringLiteral("frmRawD")), nullptr);
  EXPECT_EQ(main.windows().active(), main.windows().find(QStringLiteral("frmRawD")));
  EXPECT_TRUE(main.state().gRulesText.empty());
  EXPECT_EQ(main.state().gDescriptives, nullptr);
  EXPECT_EQ(main.state().gSourceTable, "[penguins.csv]");
  // The tree options were unloaded with the rest and loaded again to refill their lists.
  ASSERT_TRUE(main.treeOptionsLoaded());
  EXPECT_EQ(main.treeOptions().listLoads(), 1);
  (void)optionsBefore;

  // Exit in the dialog keeps the analysis as it is.
  main.showShortCut(3);
  fileNew([](FrmConvert* dialog) { dialog->findChild<QPushButton*>(QStringLiteral("cmdClose"))->click(); });
  EXPECT_EQ(main.windows().loaded().size(), 2);
  EXPECT_EQ(main.state().gSourceTable, "[penguins.csv]");
}

TEST_F(MainWindowTest, ViewRawDataReadsTheDataAgainAndRestoresTheOtherWindows) {
  MdiMain& main = mainWindow();
  main.state().gSourceTable = "[penguins.csv]";
  const std::string samples = orlix::test::repositoryFile("samples");
  main.state().gConnectString = "Driver={Microsoft Text Driver (*.txt; *.csv)};DBQ=" + samples + ";DefaultDir=" +
                                samples + ";Uid=Admin;Pwd=;";
  main.showShortCut(5);
  QMdiSubWindow* codeFrame = main.mdiArea()->activeSubWindow();
  codeFrame->showMaximized();
  action(main, "mnuViewRaw")->trigger();
  auto* raw = qobject_cast<FrmRawD*>(main.windows().find(QStringLiteral("frmRawD")));
  ASSERT_NE(raw, nullptr);
  EXPECT_FALSE(codeFrame->isMaximized());
  const auto first = main.state().gRawData;
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(raw->grid()->Rows(), 345);
  EXPECT_EQ(raw->grid()->TextMatrix(0, 0), QStringLiteral("species"));
  const int loads = main.treeOptions().listLoads();
  action(main, "mnuViewRaw")->trigger();
  EXPECT_NE(main.state().gRawData, first);  // read again
  EXPECT_EQ(main.treeOptions().listLoads(), loads + 1);

  // Edit > Copy in the raw data window copies the grid's selection.
  raw->grid()->select({1, 0, 2, 0});
  main.windows().show(raw);
  action(main, "mnuEditCopy")->trigger();
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("species\r\nAdelie\r\nAdelie"));
}

TEST_F(MainWindowTest, ADataSourceThatCannotBeReadIsReportedNamingTheFile) {
  MdiMain& main = mainWindow();
  main.state().gSourceTable = "[absent.csv]";
  const std::string samples = orlix::test::repositoryFile("samples");
  main.state().gConnectString = "Driver={Microsoft Text Driver (*.txt; *.csv)};DBQ=" + samples + ";DefaultDir=" +
                                samples + ";Uid=Admin;Pwd=;";
  ModalWatcher watcher;
  action(main, "mnuViewRaw")->trigger();
  ASSERT_EQ(watcher.messages().size(), 1u) << watcher.allText().toStdString();
  EXPECT_TRUE(watcher.messages()[0].text.contains(QString::fromStdString(samples + "/absent.csv")))
      << watcher.allText().toStdString();
  EXPECT_EQ(main.state().gRawData, nullptr);
  EXPECT_NE(main.windows().find(QStringLiteral("frmRawD")), nullptr);
}

TEST_F(MainWindowTest, CommandsStillToComeSayWhatIsNotAvailable) {
  MdiMain& main = mainWindow();
  ModalWatcher watcher;
  for (const char* name : {"mnuToolsRunTree", "mnuViewTree"}) action(main, name)->trigger();
  main.openArgument(QDir(programFolder()).filePath(QStringLiteral("TreeParms.cfg")));  // missing
  QFile settings(QDir(programFolder()).filePath(QStringLiteral("TreeParms.cfg")));
  ASSERT_TRUE(settings.open(QIODevice::WriteOnly));
  settings.close();
  main.openArgument(settings.fileName());
  ASSERT_EQ(watcher.messages().size(), 4u) << watcher.allText().toStdString();
  EXPECT_EQ(watcher.messages()[0].text, QStringLiteral("No data was identified for modeling."));
  EXPECT_EQ(watcher.messages()[1].title, QStringLiteral("Tree Display"));  // no tree list yet
  EXPECT_EQ(watcher.messages()[1].text, QStringLiteral("Tree Display Data is not available at this time"));
  EXPECT_EQ(main.windows().find(QStringLiteral("frmTreeDisplay")), nullptr);
  EXPECT_TRUE(watcher.messages()[2].text.contains(QStringLiteral("the file does not exist")));
  EXPECT_TRUE(watcher.messages()[3].text.contains(settings.fileName()));
}

TEST_F(MainWindowTest, TheDecisionMapOpensAsAChildWindowOnTheTreeList) {
  MdiMain& main = mainWindow();
  main.state().gTreeList = threeNodeTreeList();
  ModalWatcher watcher;
  main.showShortCut(4);
  EXPECT_TRUE(watcher.messages().empty()) << watcher.allText().toStdString();
  QWidget* map = main.windows().find(QStringLiteral("frmTreeDisplay"));
  ASSERT_NE(map, nullptr);
  EXPECT_EQ(main.windows().active(), map);
  action(main, "mnuViewTree")->trigger();  // shown again, not built twice
  EXPECT_EQ(main.windows().loaded().size(), 1);
}

TEST_F(MainWindowTest, ADroppedDataFileOpensTheImportDialogWithItsFormat) {
  MdiMain& main = mainWindow();
  QString seenFile;
  int seenFormat = -1;
  ModalWatcher watcher([&](QDialog* dialog) {
    auto* convert = qobject_cast<FrmConvert*>(dialog);
    ASSERT_NE(convert, nullptr);
    seenFile = convert->txtFN()->text();
    seenFormat = convert->cboFormat()->currentIndex();
    convert->reject();
  });
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(samplePath(QStringLiteral("dbase/dbase_03.dbf")))});
  QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&main, &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&main, &drop);
  for (int i = 0; i < 100 && seenFormat < 0; ++i) QApplication::processEvents(QEventLoop::AllEvents, 20);
  EXPECT_EQ(seenFile, samplePath(QStringLiteral("dbase/dbase_03.dbf")));
  EXPECT_EQ(seenFormat, 1);  // dBase III
}

TEST_F(MainWindowTest, TheOrderlyEndReleasesTheDataAndRemovesTheTraceFile) {
  MdiMain& main = mainWindow();
  QFile trace(QDir(programFolder()).filePath(QStringLiteral("zzz.log")));
  ASSERT_TRUE(trace.open(QIODevice::WriteOnly));
  trace.close();
  main.state().gRawData = memoryRecordset({"a"}, {{"1"}});
  main.state().gDescriptives = memoryRecordset({"a"}, {{"1"}});
  main.showShortCut(1);
  action(main, "mnuFileExit")->trigger();
  EXPECT_FALSE(main.isVisible());
  EXPECT_FALSE(trace.exists());
  EXPECT_EQ(main.state().gRawData, nullptr);
  EXPECT_EQ(main.state().gDescriptives, nullptr);
  EXPECT_TRUE(main.windows().loaded().isEmpty());
}

TEST_F(MainWindowTest, EveryControlHasAnAccessibleName) {
  MdiMain& main = mainWindow();
  main.showShortCut(1);
  main.showShortCut(3);
  main.showHelp(false);
  QList<QWidget*> roots{&main};
  for (QWidget* top : QApplication::topLevelWidgets())
    if (top->isVisible() && top != &main) roots << top;
  int checked = 0;
  for (QWidget* root : roots) {
    for (QWidget* widget : root->findChildren<QWidget*>()) {
      if (widget->objectName().isEmpty() || widget->objectName().startsWith(QLatin1String("qt_"))) continue;
      if (!widget->isVisibleTo(root)) continue;
      QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
      ASSERT_NE(accessible, nullptr);
      EXPECT_FALSE(accessible->text(QAccessible::Name).isEmpty()) << widget->objectName().toStdString();
      ++checked;
    }
  }
  EXPECT_GT(checked, 30);
  for (QAction* a : main.actions().all()) EXPECT_FALSE(a->text().isEmpty());
}

}  // namespace
}  // namespace orlix::app::test
