// Tools > Run Tree: the three checks, the component chosen by the target's
// type, the calls a component receives, the stages, the result windows, a
// failed run and a cancelled one.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>
#include <fstream>

#include "app/child_windows.h"
#include "app/dlg_tree_options.h"
#include "app/frm_progress.h"
#include "app/orl_flex_grid.h"
#include "app/orl_list_box.h"
#include "app/result_windows.h"
#include "app/tree_run.h"
#include "bench/common/table_generator.h"
#include "platform/ado/recordset.h"
#include "platform/com/error_info.h"
#include "server/category_map.h"
#include "server/identifiers.h"
#include "server/regression_map.h"
#include "tests/app/app_test_support.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_files.h"

namespace orlix::app::test {
namespace {

using Calls = std::vector<std::string>;

// A RegressionMap that records the calls it receives and fails at Run, so
// that the options a run hands over can be read without growing a tree.
class RecordingMap : public server::RegressionMap {
 public:
  explicit RecordingMap(std::shared_ptr<Calls> calls) : calls_(std::move(calls)) {}
  com::HRESULT ConnectOLEDB(const std::string& c, const std::string& t) override { return log("ConnectOLEDB " + c + " " + t); }
  com::HRESULT SetAsTarget(const std::string& name) override { return log("SetAsTarget " + name); }
  com::HRESULT SetAsExcluded(const std::string& name) override { return log("SetAsExcluded " + name); }
  com::HRESULT SetMinimumN(int32_t n) override { return log("SetMinimumN " + std::to_string(n)); }
  com::HRESULT Run() override {
    log("Run");
    return com::ReportError(com::E_FAIL, "recorded, not run", "Recorder", server::kIidIRegressionMap);
  }

 private:
  com::HRESULT log(std::string call) {
    calls_->push_back(std::move(call));
    return com::S_OK;
  }
  std::shared_ptr<Calls> calls_;
};

std::string textSource(const std::string& folder) {
  return "Driver={Microsoft Text Driver (*.txt; *.csv)};DBQ=" + folder + ";DefaultDir=" + folder + ";Uid=Admin;Pwd=;";
}

class TreeRunTest : public AppTest {
 protected:
  // The raw data and the tree options as if `rawData` had been opened.
  void useRawData(std::shared_ptr<ado::Recordset> rawData, std::string connect = "Provider=Test;",
                  std::string table = "[t.csv]") {
    MdiMain& main = mainWindow();
    main.state().gConnectString = std::move(connect);
    main.state().gSourceTable = std::move(table);
    main.state().gRawData = std::move(rawData);
    main.treeOptions().Load_Lists();
  }
  // The penguins sample opened through the raw data window, every field checked.
  void usePenguins(const QString& target) {
    MdiMain& main = mainWindow();
    main.state().gSourceTable = "[penguins.csv]";
    main.state().gConnectString = textSource(orlix::test::repositoryFile("samples"));
    main.viewRaw();
    DlgTreeOptions& options = main.treeOptions();
    options.lstVarSelection()->selectAll();
    options.cmbTarget()->setCurrentText(target);
    options.Text1()->setText(QStringLiteral("25"));
  }
  // A run whose components record their calls; `character` records which class was asked for.
  std::unique_ptr<TreeRun> recordingRun(std::shared_ptr<Calls> calls, std::vector<bool>* character = nullptr) {
    MdiMain& main = mainWindow();
    return std::make_unique<TreeRun>(
        main.state(), main.windows(), &main, [&main]() -> DlgTreeOptions& { return main.treeOptions(); },
        [calls, character](bool isCharacter) -> std::unique_ptr<server::IMap> {
          if (character) character->push_back(isCharacter);
          return std::make_unique<RecordingMap>(calls);
        });
  }
  // The program's own run, behind Tools > Run Tree.
  TreeRun& programRun() {
    auto* run = mainWindow().findChild<TreeRun*>(QStringLiteral("treeRun"));
    EXPECT_NE(run, nullptr);
    return *run;
  }
  QStringList visibleWindowsInOrder() {
    QStringList names;
    for (QMdiSubWindow* frame : mainWindow().mdiArea()->subWindowList(QMdiArea::ActivationHistoryOrder))
      if (frame->isVisible()) names << frame->widget()->objectName();
    return names;
  }
};

QAction* action(MdiMain& main, const char* name) { return main.actions().action(QString::fromLatin1(name)); }

TEST_F(TreeRunTest, TheThreeChecksStopTheRunWithTheirMessagesBeforeAnythingElse) {
  MdiMain& main = mainWindow();
  auto calls = std::make_shared<Calls>();
  std::unique_ptr<TreeRun> run = recordingRun(calls);
  main.state().gRulesText = "earlier";
  ModalWatcher watcher;

  main.state().gConnectString = "   ";
  EXPECT_FALSE(run->RunNumericTree());

  useRawData(memoryRecordset({QStringLiteral("A"), QStringLiteral("Y#")}, {{"a", "1"}}));
  DlgTreeOptions& options = main.treeOptions();
  options.lstVarSelection()->selectAll();
  options.lstVarSelection()->inverseSelection();
  options.cmbTarget()->setCurrentIndex(1);  // a target is chosen all the same
  EXPECT_FALSE(run->RunNumericTree());

  options.lstVarSelection()->setSelected(0, true);
  options.cmbTarget()->clear();
  EXPECT_FALSE(run->RunNumericTree());

  ASSERT_EQ(watcher.messages().size(), 3u) << watcher.allText().toStdString();
  const char* texts[] = {"No data was identified for modeling.", "No variables were selected for modeling.",
                         "No target was selected for modeling."};
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(watcher.messages()[i].title, QStringLiteral("Parameter Validation"));
    EXPECT_EQ(watcher.messages()[i].text, QString::fromLatin1(texts[i]));
  }
  EXPECT_TRUE(calls->empty());
  EXPECT_EQ(main.state().gRulesText, "earlier");
  EXPECT_EQ(run->progressWindow(), nullptr);
}

TEST_F(TreeRunTest, EveryUncheckedFieldButTheTargetIsExcludedComparedWithItsCase) {
  MdiMain& main = mainWindow();
  useRawData(memoryRecordset({QStringLiteral("AGE#"), QStringLiteral("X#"), QStringLiteral("Z#")}, {{"1", "2", "3"}}),
             "Provider=Test;", "[t.csv]");
  DlgTreeOptions& options = main.treeOptions();
  // A source whose names differ only in case (a record set cannot hold both, a database table can).
  options.lstVarSelection()->AddItem(QStringLiteral("Age"));
  options.lstVarSelection()->setSelected(1, true);  // X only; the target AGE unchecked
  options.cmbTarget()->setCurrentText(QStringLiteral("AGE"));
  options.Text1()->setText(QStringLiteral(" 7 "));
  auto calls = std::make_shared<Calls>();
  std::unique_ptr<TreeRun> run = recordingRun(calls);
  ModalWatcher watcher;
  EXPECT_FALSE(run->RunNumericTree());
  const Calls expected{"ConnectOLEDB Provider=Test; [t.csv]", "SetAsTarget AGE", "SetAsExcluded Z",
                       "SetAsExcluded Age", "SetMinimumN 7", "Run"};
  EXPECT_EQ(*calls, expected);

  // A checked target is not excluded either.
  calls->clear();
  options.lstVarSelection()->setSelected(0, true);
  EXPECT_FALSE(run->RunNumericTree());
  EXPECT_EQ(*calls, expected);
  ASSERT_EQ(watcher.messages().size(), 2u);
  EXPECT_EQ(watcher.messages()[0].text,
            QStringLiteral("Error from Recorder\n\rrecorded, not run\n\rHRESULT: 80004005"));
  EXPECT_EQ(watcher.messages()[0].title, QApplication::applicationDisplayName());
}

TEST_F(TreeRunTest, TheTargetsTypeChoosesTheComponentAndSetsTheCharacterFlag) {
  MdiMain& main = mainWindow();
  struct Case {
    ado::DataType type;
    bool character;
  };
  for (const Case& c : {Case{ado::adChar, true}, Case{ado::adLongVarChar, true}, Case{ado::adLongVarWChar, true},
                        Case{ado::adVarWChar, true}, Case{ado::adInteger, false}, Case{ado::adDouble, false}}) {
    auto rawData = std::make_shared<ado::Recordset>();
    rawData->Fields().Append("X", ado::adDouble, 8);
    rawData->Fields().Append("T", c.type, 10);
    rawData->Open();
    useRawData(rawData);
    main.treeOptions().lstVarSelection()->selectAll();
    main.treeOptions().cmbTarget()->setCurrentText(QStringLiteral("T"));
    main.state().gCharacterTarget = !c.character;
    auto calls = std::make_shared<Calls>();
    std::vector<bool> asked;
    std::unique_ptr<TreeRun> run = recordingRun(calls, &asked);
    ModalWatcher watcher;
    EXPECT_FALSE(run->RunNumericTree());
    ASSERT_EQ(asked.size(), 1u) << c.type;
    EXPECT_EQ(asked[0], c.character) << c.type;
    EXPECT_EQ(main.state().gCharacterTarget, c.character) << c.type;  // set after the character path, whatever its end
  }
}

TEST_F(TreeRunTest, ATargetThatNamesNoFieldOfTheRawDataFailsBeforeAnyComponent) {
  MdiMain& main = mainWindow();
  useRawData(memoryRecordset({QStringLiteral("X#"), QStringLiteral("T")}, {{"1", "a"}}));
  main.treeOptions().lstVarSelection()->selectAll();
  main.treeOptions().cmbTarget()->setCurrentText(QStringLiteral("T"));
  main.state().gRawData = memoryRecordset({QStringLiteral("X#")}, {{"1"}});  // read again, narrower
  main.state().gCharacterTarget = true;
  auto calls = std::make_shared<Calls>();
  std::vector<bool> asked;
  std::unique_ptr<TreeRun> run = recordingRun(calls, &asked);
  ModalWatcher watcher;
  EXPECT_FALSE(run->RunNumericTree());
  ASSERT_EQ(watcher.messages().size(), 1u);
  EXPECT_EQ(watcher.messages()[0].text,
            QStringLiteral("Error from ADODB.Fields\n\rItem cannot be found in the collection corresponding to the "
                           "requested name or ordinal.\n\rHRESULT: 800A0CC1"));
  EXPECT_TRUE(asked.empty());
  EXPECT_TRUE(calls->empty());
  EXPECT_FALSE(main.state().gCharacterTarget);
}

TEST_F(TreeRunTest, ARealRunShowsItsStagesAndTheResultWindowsInOrder) {
  MdiMain& main = mainWindow();
  for (const bool character : {false, true}) {
    usePenguins(character ? QStringLiteral("species") : QStringLiteral("body_mass_g"));
    QList<int> values;
    QStringList captions;
    bool commandsDisabled = true;
    TreeRun& run = programRun();
    QMetaObject::Connection seen = QObject::connect(&run, &TreeRun::stageShown, [&](int value, const QString& caption) {
      values << value;
      captions << caption;
      commandsDisabled = commandsDisabled && !action(main, "mnuToolsRunTree")->isEnabled() &&
                         !action(main, "mnuFileNew")->isEnabled() && !action(main, "mnuFileOpen")->isEnabled() &&
                         run.progressWindow()->isVisible();
    });
    ModalWatcher watcher;
    ASSERT_TRUE(run.RunNumericTree()) << watcher.allText().toStdString();
    QObject::disconnect(seen);
    EXPECT_TRUE(watcher.messages().empty()) << watcher.allText().toStdString();
    const QList<int> expectedValues = character ? QList<int>{5, 7, 8, 89, 99} : QList<int>{0, 5, 7, 8, 89, 99};
    EXPECT_EQ(values, expectedValues);
    EXPECT_EQ(captions.last(), QStringLiteral("Displaying results."));
    EXPECT_TRUE(captions.contains(QStringLiteral("Executing Tree. This may take a while depending on your data.")));
    EXPECT_TRUE(commandsDisabled);
    EXPECT_TRUE(action(main, "mnuToolsRunTree")->isEnabled());
    EXPECT_EQ(run.progressWindow(), nullptr);

    AppState& state = main.state();
    EXPECT_EQ(state.gCharacterTarget, character);
    if (character) EXPECT_EQ(state.gTargetValueCount, 3);
    EXPECT_FALSE(state.gRulesText.empty());
    EXPECT_FALSE(state.gCodeText.empty());
    auto* treeList = qobject_cast<GridWindow*>(main.windows().find(QStringLiteral("frmTreeList")));
    auto* descriptives = qobject_cast<GridWindow*>(main.windows().find(QStringLiteral("frmDescrip")));
    ASSERT_TRUE(treeList && descriptives);
    EXPECT_EQ(treeList->grid()->DataSource(), state.gTreeList);
    EXPECT_EQ(descriptives->grid()->DataSource(), state.gDescriptives);
    EXPECT_FALSE(treeList->parentWidget()->isVisible());  // bound, not brought forward
    auto* rules = qobject_cast<TextWindow*>(main.windows().find(QStringLiteral("frmRules")));
    ASSERT_NE(rules, nullptr);
    EXPECT_EQ(rules->text(), QString::fromStdString(state.gRulesText));
    // Shown descriptives, raw data, descriptives, rules, code, map: the map last and active.
    const QStringList order = visibleWindowsInOrder();
    EXPECT_EQ(order.mid(order.size() - 5),
              (QStringList{"frmRawD", "frmDescrip", "frmRules", "frmCode", "frmTreeDisplay"}));
    EXPECT_EQ(main.windows().active(), main.windows().find(QStringLiteral("frmTreeDisplay")));
  }
}

TEST_F(TreeRunTest, AFailedRunKeepsTheEarlierTreeListAndDescriptivesAndClearsTheTexts) {
  MdiMain& main = mainWindow();
  usePenguins(QStringLiteral("body_mass_g"));
  ASSERT_TRUE(programRun().RunNumericTree());
  AppState& state = main.state();
  const auto treeList = state.gTreeList;
  const auto descriptives = state.gDescriptives;
  const QString shownRules = qobject_cast<TextWindow*>(main.windows().find(QStringLiteral("frmRules")))->text();

  // A minimum that is not a whole number fails after connecting, before Run.
  main.treeOptions().Text1()->setText(QStringLiteral("many"));
  ModalWatcher watcher;
  EXPECT_FALSE(programRun().RunNumericTree());
  ASSERT_EQ(watcher.messages().size(), 1u);
  EXPECT_EQ(watcher.messages()[0].text,
            QStringLiteral("Error from Orlix\n\rMax. Records Per Branch is not a whole number: \"many\"\n\r"
                           "HRESULT: 80020005"));
  EXPECT_EQ(state.gTreeList, treeList);
  EXPECT_EQ(state.gDescriptives, descriptives);
  auto* treeListWindow = qobject_cast<GridWindow*>(main.windows().find(QStringLiteral("frmTreeList")));
  EXPECT_EQ(treeListWindow->grid()->DataSource(), treeList);
  EXPECT_TRUE(state.gRulesText.empty());
  EXPECT_TRUE(state.gCodeText.empty());
  EXPECT_EQ(qobject_cast<TextWindow*>(main.windows().find(QStringLiteral("frmRules")))->text(), shownRules);
  EXPECT_EQ(programRun().progressWindow(), nullptr);

  // A component's failure names the component.
  main.treeOptions().Text1()->setText(QStringLiteral("25"));
  main.treeOptions().cmbTarget()->setCurrentText(QStringLiteral("species"));
  state.gSourceTable = "[absent.csv]";
  EXPECT_FALSE(programRun().RunNumericTree());
  ASSERT_EQ(watcher.messages().size(), 2u);
  EXPECT_TRUE(watcher.messages()[1].text.startsWith(QStringLiteral("Error from Orlix.CategoryMap.1\n\r")))
      << watcher.allText().toStdString();
  EXPECT_TRUE(watcher.messages()[1].text.endsWith(QStringLiteral("\n\rHRESULT: 80004005")));
  EXPECT_EQ(state.gTreeList, treeList);
  EXPECT_TRUE(state.gCharacterTarget);
}

TEST_F(TreeRunTest, AMillionRowRunKeepsTheWindowResponsiveAndCancelKeepsTheEarlierResults) {
  orlix::test::TempDir folder;
  {
    std::ofstream csv(folder.path() + "/million.csv");
    bench::writeCsv(bench::generateTable(1000000, bench::TargetKind::Numeric), csv);
  }
  MdiMain& main = mainWindow();
  // The options come from the table's fields; the run reads the whole file.
  QStringList fields;
  {
    std::ifstream csv(folder.path() + "/million.csv");
    std::string header;
    std::getline(csv, header);
    for (const QString& name : QString::fromStdString(header).split(QLatin1Char(',')))
      fields << (name == QLatin1String("Y") || name.startsWith(QLatin1Char('X')) ? name + QLatin1Char('#') : name);
  }
  useRawData(memoryRecordset(fields, {}), textSource(folder.path()), "[million.csv]");
  DlgTreeOptions& options = main.treeOptions();
  options.lstVarSelection()->selectAll();
  options.cmbTarget()->setCurrentText(QStringLiteral("Y"));
  options.Text1()->setText(QStringLiteral("1000"));
  AppState& state = main.state();
  state.gRulesText = "earlier rules";
  state.gCodeText = "earlier code";
  state.gTreeList = memoryRecordset({QStringLiteral("Node")}, {{"root"}});
  state.gDescriptives = memoryRecordset({QStringLiteral("VarName")}, {{"Y"}});
  state.gCharacterTarget = true;
  state.gTargetValueCount = 4;

  int ticks = 0, ticksWhileGrowing = 0;
  bool executing = false;
  QTimer ticker;
  QObject::connect(&ticker, &QTimer::timeout, [&] {
    ++ticks;
    if (executing) ++ticksWhileGrowing;
  });
  ticker.start(10);
  TreeRun& run = programRun();
  QObject::connect(&run, &TreeRun::stageShown, [&](int value, const QString&) {
    if (value != 8) return;
    executing = true;
    // Cancel once the window has kept ticking for a while in the engine's stage.
    QTimer::singleShot(300, run.progressWindow(), [&run] { run.progressWindow()->cmdCancel()->click(); });
  });
  ModalWatcher watcher;
  EXPECT_FALSE(run.RunNumericTree());
  ticker.stop();
  EXPECT_TRUE(executing);
  EXPECT_GE(ticksWhileGrowing, 3);
  EXPECT_GT(ticks, ticksWhileGrowing);
  EXPECT_TRUE(watcher.messages().empty()) << watcher.allText().toStdString();
  EXPECT_EQ(state.gRulesText, "earlier rules");
  EXPECT_EQ(state.gCodeText, "earlier code");
  EXPECT_EQ(state.gTreeList->Fields().Item(0L).Name(), "Node");
  EXPECT_EQ(state.gDescriptives->Fields().Item(0L).Name(), "VarName");
  EXPECT_TRUE(state.gCharacterTarget);
  EXPECT_EQ(state.gTargetValueCount, 4);
  EXPECT_EQ(main.windows().find(QStringLiteral("frmTreeDisplay")), nullptr);
  EXPECT_EQ(main.statusBar()->currentMessage(), QStringLiteral("Run cancelled"));
  EXPECT_EQ(run.progressWindow(), nullptr);
  EXPECT_TRUE(action(main, "mnuToolsRunTree")->isEnabled());
}

}  // namespace
}  // namespace orlix::app::test
