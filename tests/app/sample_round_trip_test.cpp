// What an analyst does with each bundled file: File > New, Tools > Run Tree
// with every field in play, File > Save, then File > Open of that project in
// a new program, which must show the same results. A file whose data cannot
// grow a tree must say so in one "Error from" message.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QPushButton>
#include <sstream>

#include "app/app_state.h"
#include "app/child_windows.h"
#include "app/dlg_tree_options.h"
#include "app/frm_convert.h"
#include "app/mdi_main.h"
#include "app/orl_list_box.h"
#include "app/result_windows.h"
#include "app/tree_run.h"
#include "platform/ado/recordset.h"
#include "project/project_files.h"
#include "tests/app/app_test_support.h"

namespace orlix::app::test {
namespace {

std::string tabText(const std::shared_ptr<ado::Recordset>& rs) {
  if (!rs) return "<none>";
  std::ostringstream out;
  project::writeTabSeparated(*rs, out);
  return out.str();
}

QString windowText(MdiMain& main, const char* name) {
  auto* window = qobject_cast<TextWindow*>(main.windows().find(QLatin1String(name)));
  return window ? window->text() : QStringLiteral("<not loaded>");
}

// A bundled file, and the start of the message a run on it must give when
// its last field cannot be the target of a tree (null: it can).
struct Sample {
  const char* file;
  const char* refusal;
};

class SampleRoundTripTest : public AppTest, public ::testing::WithParamInterface<Sample> {
 protected:
  void importSample(const QString& path) {
    fileNew([&](FrmConvert* dialog) {
      dialog->setFileName(path);
      if (dialog->cboTable()->isEnabled()) dialog->cboTable()->setCurrentIndex(0);
      dialog->findChild<QPushButton*>(QStringLiteral("cmdConvert"))->click();
    });
  }
  // Every field checked; the target the last one.
  void chooseEverything() {
    DlgTreeOptions& options = mainWindow().treeOptions();
    options.lstVarSelection()->selectAll();
    options.cmbTarget()->setCurrentIndex(options.cmbTarget()->count() - 1);
  }
};

TEST_P(SampleRoundTripTest, RunSaveAndOpenInANewProgram) {
  const Sample sample = GetParam();
  importSample(samplePath(QString::fromLatin1(sample.file)));
  ASSERT_NE(mainWindow().state().gRawData, nullptr) << sample.file;
  chooseEverything();
  ModalWatcher runMessages;
  const bool ran = mainWindow().findChild<TreeRun*>(QStringLiteral("treeRun"))->RunNumericTree();
  if (sample.refusal) {
    EXPECT_FALSE(ran);
    ASSERT_EQ(runMessages.messages().size(), 1u) << runMessages.allText().toStdString();
    EXPECT_TRUE(runMessages.messages()[0].text.startsWith(QString::fromLatin1(sample.refusal)))
        << runMessages.allText().toStdString();
    return;
  }
  ASSERT_TRUE(ran) << runMessages.allText().toStdString();
  EXPECT_TRUE(runMessages.messages().empty()) << runMessages.allText().toStdString();

  const QString folder = QDir::current().absoluteFilePath(QStringLiteral("project"));
  QDir().mkpath(folder);
  AppState& state = mainWindow().state();
  state.gProjectDir = folder.toStdString();
  {
    ModalWatcher saved;
    mainWindow().actions().action(QStringLiteral("mnuFileSave"))->trigger();
    ASSERT_EQ(saved.messages().size(), 1u) << saved.allText().toStdString();
    EXPECT_EQ(saved.messages()[0].text, QStringLiteral("Save is complete"));
  }
  const std::string treeList = tabText(state.gTreeList), descriptives = tabText(state.gDescriptives);
  const QString rules = windowText(mainWindow(), "frmRules"), code = windowText(mainWindow(), "frmCode");
  const QStringList checked = mainWindow().treeOptions().checkedVariables();
  const QString target = mainWindow().treeOptions().cmbTarget()->currentText();
  const bool character = state.gCharacterTarget;

  main_.reset();  // a new program opens the project
  {
    ModalWatcher opened;
    mainWindow().openArgument(folder + QStringLiteral("/TreeParms.cfg"));
    ASSERT_TRUE(opened.messages().empty()) << opened.allText().toStdString();
  }
  const AppState& again = mainWindow().state();
  EXPECT_EQ(tabText(again.gTreeList), treeList);
  EXPECT_EQ(tabText(again.gDescriptives), descriptives);
  EXPECT_EQ(windowText(mainWindow(), "frmRules"), rules);
  EXPECT_EQ(windowText(mainWindow(), "frmCode"), code);
  EXPECT_EQ(mainWindow().treeOptions().checkedVariables(), checked);
  EXPECT_EQ(mainWindow().treeOptions().cmbTarget()->currentText(), target);
  EXPECT_EQ(again.gCharacterTarget, character);
  EXPECT_NE(mainWindow().windows().find(QStringLiteral("frmTreeDisplay")), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Samples, SampleRoundTripTest,
    ::testing::Values(
        Sample{"access/testV1997.mdb", "Error from Orlix.RegressionMap.1\n\rSpecified target variable must be numeric: I"},
        Sample{"dbase/dbase_03.dbf", "Error from Orlix.RegressionMap.1\n\rNo splitting beyond the root node"},
        Sample{"excel/deaths.xls",
               "Error from Orlix.RegressionMap.1\n\rSpecified target variable must be numeric: Date of death"},
        Sample{"excel/types.xls", nullptr}, Sample{"html/banklist.html", nullptr},
        Sample{"formats/toothgrowth/toothgr.csv", nullptr}, Sample{"formats/toothgrowth/toothgr.dbf", nullptr},
        Sample{"formats/toothgrowth/toothgr.htm", nullptr}, Sample{"formats/toothgrowth/toothgr.txt", nullptr},
        Sample{"formats/toothgrowth/toothgr.xls", nullptr}, Sample{"formats/warpbreaks/warpbrk.csv", nullptr},
        Sample{"penguins.csv", nullptr}),
    [](const ::testing::TestParamInfo<Sample>& info) {
      std::string name = info.param.file;
      for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
      return name;
    });

}  // namespace
}  // namespace orlix::app::test
