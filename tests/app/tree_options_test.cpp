// The Tree Options dialog: its controls and texts, the spinner, the output
// rows, the folder browser, OK and Cancel, and its life cycle.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QKeyEvent>

#include "app/browser_control.h"
#include "app/dlg_tree_options.h"
#include "app/frm_convert.h"
#include "app/orl_list_box.h"
#include "tests/app/app_test_support.h"

namespace orlix::app::test {
namespace {

using TreeOptionsTest = AppTest;

// Typing as the user does: one key press per character.
void type(QWidget* box, const QString& text) {
  for (const QChar c : text) {
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
    QApplication::sendEvent(box, &press);
  }
}

void press(QWidget* box, Qt::Key key) {
  QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
  QApplication::sendEvent(box, &event);
}

QString labelText(DlgTreeOptions& d, int number) {
  auto* label = d.findChild<QLabel*>(QStringLiteral("Label%1").arg(number));
  return label ? label->text() : QStringLiteral("<missing>");
}

TEST_F(TreeOptionsTest, EveryControlCarriesItsCaptionTipAndInitialText) {
  DlgTreeOptions& d = mainWindow().treeOptions();
  EXPECT_EQ(d.objectName(), QStringLiteral("dlgTreeOptions"));
  EXPECT_EQ(d.windowTitle(), QStringLiteral("Tree Options"));
  EXPECT_EQ(d.SSTab1()->tabText(0), QStringLiteral("Tree Construction Options"));
  EXPECT_EQ(d.SSTab1()->tabText(1), QStringLiteral("Project Properties"));
  EXPECT_EQ(labelText(d, 1), QStringLiteral("Variable Selection"));
  EXPECT_EQ(labelText(d, 2), QStringLiteral("Target Variable"));
  EXPECT_EQ(labelText(d, 3), QStringLiteral("Max. Records Per Branch"));
  EXPECT_EQ(labelText(d, 4), QStringLiteral("Use the variable selection list to check all variables you want to use in "
                                            "the tree model.  Any variables not checked will be excluded from "
                                            "consideration in the model."));
  EXPECT_EQ(labelText(d, 5), QStringLiteral("Use the drop down menu to select a field you wish to use as a target "
                                            "variable (the variable you wish to predict)"));
  EXPECT_EQ(labelText(d, 6), QStringLiteral("Identify the project directory"));
  EXPECT_EQ(d.findChild<QGroupBox*>(QStringLiteral("Frame1"))->title(), QStringLiteral("File Name Options"));
  EXPECT_EQ(d.cmbTarget()->toolTip(), QStringLiteral("Field you wish to predict using the model"));
  EXPECT_EQ(d.Text1()->toolTip(), QStringLiteral("Max. Records Per Branch"));
  EXPECT_EQ(d.Text1()->text(), QStringLiteral("25"));
  EXPECT_EQ(d.Text2()->text(), QString());
  EXPECT_EQ(d.cmdBrowse()->text(), QStringLiteral("Browse"));
  EXPECT_EQ(d.OKButton()->text(), QStringLiteral("OK"));
  EXPECT_EQ(d.CancelButton()->text(), QStringLiteral("Cancel"));
  const struct {
    OutputRow row;
    const char *check, *caption, *tip, *text, *initial;
  } rows[] = {
      {OutputRow::kTreeDisplay, "chkTreeDisplay", "Graphical Tree", "Graphical Tree Display", "txtTreeDisplay",
       "graphTree.jpg"},
      {OutputRow::kTreeList, "chkTreeList", "Node Rules", "Raw Rules for each node", "txtTreeList", "rules.csv"},
      {OutputRow::kCode, "chkCode", "Scoring Code", "Scoring Code", "txtCode", "scoring.txt"},
      {OutputRow::kRules, "chkRules", "Terminal Summary", "Summray of each terminal node", "txtRules", "summary.txt"},
      {OutputRow::kDescrip, "chkDescrip", "Descriptives", "Calculated Descriptive Statistics", "txtDescrip",
       "descriptives.csv"},
      {OutputRow::kRawD, "chkRawD", "Raw Data", "Raw Input Data", "txtRawD", "rawdata.csv"},
  };
  for (const auto& r : rows) {
    EXPECT_EQ(d.outputCheck(r.row)->objectName(), QLatin1String(r.check));
    EXPECT_EQ(d.outputCheck(r.row)->text(), QLatin1String(r.caption));
    EXPECT_EQ(d.outputCheck(r.row)->toolTip(), QLatin1String(r.tip));
    EXPECT_EQ(d.outputText(r.row)->objectName(), QLatin1String(r.text));
    EXPECT_EQ(d.outputText(r.row)->text(), QLatin1String(r.initial));
    EXPECT_FALSE(d.outputText(r.row)->isEnabled()) << r.text;
  }
}

// R counts the grid's heading row; the range is 0..0.9R and the value 0.1R,
// both rounded half to even.
TEST_F(TreeOptionsTest, TheSpinnerFollowsTheRawDataGridsRowsRoundingHalfToEven) {
  DlgTreeOptions& d = mainWindow().treeOptions();
  int rows = 1;
  d.setRawGridRows([&rows] { return rows; });
  const struct {
    int r, value, maximum;
  } cases[] = {{1, 0, 1}, {25, 2, 22}, {35, 4, 32}, {345, 34, 310}};
  for (const auto& c : cases) {
    rows = c.r;
    EXPECT_TRUE(d.Load_Lists());
    EXPECT_EQ(d.UpDown1()->value(), c.value) << "R = " << c.r;
    EXPECT_EQ(d.UpDown1()->minimum(), 0);
    EXPECT_EQ(d.UpDown1()->maximum(), c.maximum) << "R = " << c.r;
    EXPECT_EQ(d.Text1()->text(), QString::number(c.value));
  }
  // Bound both ways: the arrows write the text, typing moves the spinner.
  d.UpDown1()->stepBy(3);
  EXPECT_EQ(d.Text1()->text(), QStringLiteral("37"));
  d.Text1()->clear();
  type(d.Text1(), QStringLiteral("120"));
  EXPECT_EQ(d.UpDown1()->value(), 120);
  EXPECT_EQ(d.Text1()->text(), QStringLiteral("120"));
}

TEST_F(TreeOptionsTest, WithoutTheRawDataWindowRCountsTheRecordsAndTheHeading) {
  MdiMain& main = mainWindow();
  main.state().gRawData = memoryRecordset({"a#", "b"}, std::vector<QStringList>(24, QStringList{"1", "x"}));
  DlgTreeOptions& d = main.treeOptions();
  d.Load_Lists();
  EXPECT_EQ(d.UpDown1()->value(), 2);  // R = 25
  EXPECT_EQ(d.UpDown1()->maximum(), 22);
  EXPECT_EQ(d.lstVarSelection()->ListCount(), 2);
  EXPECT_EQ(d.cmbTarget()->currentText(), QStringLiteral("a"));
}

TEST_F(TreeOptionsTest, AnOutputRowsCheckBoxEnablesItsTextAndTheExtensionIsKeptWhileTyping) {
  DlgTreeOptions& d = mainWindow().treeOptions();
  d.outputCheck(OutputRow::kCode)->click();
  EXPECT_TRUE(d.outputText(OutputRow::kCode)->isEnabled());
  d.outputCheck(OutputRow::kCode)->click();
  EXPECT_FALSE(d.outputText(OutputRow::kCode)->isEnabled());
  d.outputCheck(OutputRow::kCode)->click();

  QLineEdit* code = d.outputText(OutputRow::kCode);
  code->selectAll();
  press(code, Qt::Key_Backspace);  // emptied: the extension comes back at once
  type(code, QStringLiteral("a"));
  EXPECT_EQ(code->text(), QStringLiteral("a.txt"));
  type(code, QStringLiteral("bc"));
  EXPECT_EQ(code->text(), QStringLiteral("abc.txt"));  // typing goes on before the extension

  d.outputCheck(OutputRow::kRules)->click();
  QLineEdit* rules = d.outputText(OutputRow::kRules);
  rules->setText(QStringLiteral("NOTES.TXT"));
  EXPECT_EQ(rules->text(), QStringLiteral("NOTES.TXT"));  // any case will do

  d.outputText(OutputRow::kTreeDisplay)->setText(QStringLiteral("a.jpg.bak"));
  EXPECT_EQ(d.outputText(OutputRow::kTreeDisplay)->text(), QStringLiteral("a.jpg.bak"));
  d.outputText(OutputRow::kTreeList)->setText(QStringLiteral("nodes"));
  EXPECT_EQ(d.outputText(OutputRow::kTreeList)->text(), QStringLiteral("nodes.csv"));
  EXPECT_EQ(DlgTreeOptions::withExtension(QStringLiteral("x.Jpg"), QStringLiteral(".jpg")), QStringLiteral("x.Jpg"));
}

TEST_F(TreeOptionsTest, BrowseAsksForAFolderUnderItsCaptionAndPutsItInTheFolderBox) {
  DlgTreeOptions& d = mainWindow().treeOptions();
  BrowserControl* browser = d.BrowserControl1();
  EXPECT_EQ(browser->DialogCaption(), QStringLiteral("Browse Folders"));
  EXPECT_EQ(browser->UserPrompt(), QStringLiteral("Select a Folder"));
  QString caption, prompt;
  QString answer = QStringLiteral("/srv/projects/p1");
  browser->setChooser([&](const QString& c, const QString& p, const QString&) {
    caption = c;
    prompt = p;
    return answer;
  });
  d.cmdBrowse()->click();
  EXPECT_EQ(caption, QStringLiteral("Select Folder"));
  EXPECT_EQ(prompt, QStringLiteral("Select a Folder"));
  EXPECT_EQ(d.Text2()->text(), answer);
  answer.clear();  // cancelled: the box keeps its folder
  d.cmdBrowse()->click();
  EXPECT_EQ(d.Text2()->text(), QStringLiteral("/srv/projects/p1"));
}

TEST_F(TreeOptionsTest, OkChecksTheFolderCreatesItOnTheUsersWordAndSetsTheProjectFolder) {
  MdiMain& main = mainWindow();
  DlgTreeOptions& d = main.treeOptions();
  d.prepareForProperties();
  main.state().gProjectDir = "before";
  {
    ModalWatcher watcher;
    EXPECT_FALSE(d.acceptOptions());
    ASSERT_EQ(watcher.messages().size(), 1u);
    EXPECT_EQ(watcher.messages()[0].title, QStringLiteral("Project Directory"));
    EXPECT_EQ(watcher.messages()[0].text, QStringLiteral("No folder selected."));
    EXPECT_EQ(main.state().gProjectDir, "before");
  }
  QTemporaryDir parent;
  const QString folder = parent.filePath(QStringLiteral("new project"));
  d.Text2()->setText(QStringLiteral("  ") + folder + QStringLiteral(" "));
  {
    ModalWatcher watcher;  // answers OK
    EXPECT_TRUE(d.acceptOptions());
    ASSERT_EQ(watcher.messages().size(), 1u);
    EXPECT_EQ(watcher.messages()[0].title, QStringLiteral("Project Directory"));
    EXPECT_EQ(watcher.messages()[0].text, QStringLiteral("Folder : ") + folder + QStringLiteral("\rCreate it?"));
  }
  EXPECT_TRUE(QDir(folder).exists());
  EXPECT_EQ(main.state().gProjectDir, folder.toStdString());
  // One level only: a folder whose parent is missing is not made.
  d.Text2()->setText(parent.filePath(QStringLiteral("a/b")));
  {
    ModalWatcher watcher;
    EXPECT_FALSE(d.acceptOptions());
    ASSERT_EQ(watcher.messages().size(), 2u);
    EXPECT_TRUE(watcher.messages()[1].text.contains(QStringLiteral("could not be created")));
  }
  EXPECT_FALSE(QDir(parent.filePath(QStringLiteral("a"))).exists());
  // View > Options has no project tab: OK takes what the box holds without asking.
  d.prepareForViewOptions();
  d.Text2()->setText(parent.path());
  ModalWatcher quiet;
  EXPECT_TRUE(d.acceptOptions());
  EXPECT_TRUE(quiet.messages().empty());
  EXPECT_EQ(main.state().gProjectDir, parent.path().toStdString());
}

TEST_F(TreeOptionsTest, OutputNamesWithAPathOrDotDotAreRefusedAtOkNamingTheField) {
  MdiMain& main = mainWindow();
  DlgTreeOptions& d = main.treeOptions();
  d.prepareForProperties();
  QTemporaryDir folder;
  d.Text2()->setText(folder.path());
  main.state().gProjectDir = "before";
  const struct {
    OutputRow row;
    const char *name, *field;
  } refused[] = {{OutputRow::kCode, "../a.txt", "Scoring Code"}, {OutputRow::kRules, "a/b.txt", "Terminal Summary"},
                 {OutputRow::kDescrip, "..csv", "Descriptives"}};
  for (const auto& r : refused) {
    d.outputText(r.row)->setText(QLatin1String(r.name));
    ModalWatcher watcher;
    EXPECT_FALSE(d.acceptOptions()) << r.name;
    ASSERT_EQ(watcher.messages().size(), 1u);
    EXPECT_TRUE(watcher.messages()[0].text.contains(QLatin1String(r.field))) << watcher.allText().toStdString();
    EXPECT_TRUE(watcher.messages()[0].text.contains(QLatin1String(r.name)));
    EXPECT_EQ(main.state().gProjectDir, "before");
    d.outputText(r.row)->setText(QStringLiteral("fine") + DlgTreeOptions::outputExtension(r.row));
  }
  EXPECT_TRUE(d.acceptOptions());
}

TEST_F(TreeOptionsTest, CancelKeepsWhatWasTypedAndFileNewReloadsTheInitialTexts) {
  MdiMain& main = mainWindow();
  DlgTreeOptions* d = &main.treeOptions();
  d->prepareForProperties();
  d->show();
  d->Text2()->setText(QStringLiteral("typed"));
  d->outputText(OutputRow::kCode)->setText(QStringLiteral("mine.txt"));
  d->CancelButton()->click();
  EXPECT_FALSE(d->isVisible());
  EXPECT_EQ(d->Text2()->text(), QStringLiteral("typed"));
  EXPECT_EQ(d->outputText(OutputRow::kCode)->text(), QStringLiteral("mine.txt"));
  EXPECT_TRUE(main.state().gProjectDir.empty());

  main.state().gProjectDir = "/kept";
  fileNew([](FrmConvert* dialog) {
    dialog->setFileName(samplePath(QStringLiteral("penguins.csv")));
    dialog->findChild<QPushButton*>(QStringLiteral("cmdConvert"))->click();
  });
  d = &main.treeOptions();
  EXPECT_EQ(d->Text2()->text(), QString());
  EXPECT_EQ(d->outputText(OutputRow::kCode)->text(), QStringLiteral("scoring.txt"));
  EXPECT_EQ(main.state().gProjectDir, "/kept");
  EXPECT_EQ(d->lstVarSelection()->ListCount(), 8);
  EXPECT_EQ(d->UpDown1()->value(), 34);  // 344 records and the heading: 34.5 to the even 34
}

TEST_F(TreeOptionsTest, ViewOptionsAndSaveAsShowTheirTabsAndRows) {
  DlgTreeOptions& d = mainWindow().treeOptions();
  d.prepareForViewOptions();
  EXPECT_FALSE(d.SSTab1()->isTabEnabled(1));
  EXPECT_EQ(d.SSTab1()->currentIndex(), 0);
  for (int i = 0; i < kOutputRowCount; ++i) EXPECT_TRUE(d.outputCheck(static_cast<OutputRow>(i))->isHidden());
  d.prepareForSaveAs(QStringLiteral("frmCode"));
  EXPECT_FALSE(d.SSTab1()->isTabEnabled(0));
  EXPECT_EQ(d.SSTab1()->currentIndex(), 1);
  for (int i = 0; i < kOutputRowCount; ++i) {
    const auto row = static_cast<OutputRow>(i);
    EXPECT_EQ(d.outputCheck(row)->isHidden(), row != OutputRow::kCode) << i;
    EXPECT_FALSE(d.outputText(row)->isEnabled());
  }
  d.checkAllOutputs();
  for (int i = 0; i < kOutputRowCount; ++i) {
    EXPECT_FALSE(d.outputCheck(static_cast<OutputRow>(i))->isHidden());
    EXPECT_TRUE(d.outputText(static_cast<OutputRow>(i))->isEnabled());
  }
}

}  // namespace
}  // namespace orlix::app::test
