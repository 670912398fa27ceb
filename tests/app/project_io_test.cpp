// Project folders in the program: File > Save writing the folder, File >
// Open reading one back (one written by orlix-cli included), broken or
// unsafe projects refused with the program left as it was, and a saved
// project rerun by orlix-cli's settings option.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QTimer>
#include <QRegularExpression>
#include <QTextEdit>
#include <sstream>

#include "app/child_windows.h"
#include "app/dlg_tree_options.h"
#include "app/frm_progress.h"
#include "app/orl_flex_grid.h"
#include "app/orl_list_box.h"
#include "app/result_windows.h"
#include "cli/run_command.h"
#include "display/orl_flow_control.h"
#include "display/tree_display_window.h"
#include "platform/ado/recordset.h"
#include "project/project_files.h"
#include "tests/app/app_test_support.h"
#include "tests/support/test_files.h"

namespace orlix::app::test {
namespace {

const char* const kProjectFiles[] = {"TreeParms.cfg", "summary.txt", "scoring.txt",  "descrip.xml", "treelist.xml",
                                     "rules.csv",     "descriptives.csv", "flowdiag.afl", "graphTree.jpg"};

QByteArray fileBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void writeBytes(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
  file.write(bytes);
}

// Reports and scoring code carry the time they were made.
QByteArray withoutTimes(QByteArray text) {
  static const QRegularExpression time(QStringLiteral("\\w{3} \\w{3} [ \\d]\\d \\d\\d:\\d\\d:\\d\\d \\d{4}"));
  return QString::fromUtf8(text).replace(time, QStringLiteral("<time>")).toUtf8();
}

std::string tabText(const std::shared_ptr<ado::Recordset>& rs) {
  if (!rs) return "<none>";
  std::ostringstream out;
  project::writeTabSeparated(*rs, out);
  return out.str();
}

// What an open may change, to see that a refused one changed nothing.
struct Snapshot {
  std::string connect, table, projectDir, rules, code;
  const void *raw, *descriptives, *treeList;
  bool characterTarget;
  int classes;
  QStringList windows, checked;
  QString target, codeName, rulesText;
  bool operator==(const Snapshot&) const = default;
};

class ProjectIoTest : public AppTest {
 protected:
  // orlix-cli run on the bundled penguins into `folder`; the report.
  std::string cliProject(const QString& folder, const std::string& target, std::vector<std::string> more = {}) {
    std::vector<std::string> args{"--data", orlix::test::sampleFile("penguins.csv"), "--target", target, "--project",
                                  folder.toStdString()};
    args.insert(args.end(), more.begin(), more.end());
    return runCli(args);
  }
  std::string runCli(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int status = cli::runAnalysis(cli::parseRunOptions(args), out, err);
    EXPECT_EQ(status, 0) << err.str();
    return out.str();
  }
  QString folder(const QString& name) {
    const QString path = QDir::current().absoluteFilePath(name);
    QDir().mkpath(path);
    return path;
  }
  std::vector<ModalWatcher::Message> open(const QString& folder) {
    ModalWatcher watcher;
    mainWindow().openArgument(folder + QStringLiteral("/TreeParms.cfg"));
    return watcher.messages();
  }
  std::vector<ModalWatcher::Message> save() {
    ModalWatcher watcher;
    mainWindow().actions().action(QStringLiteral("mnuFileSave"))->trigger();
    return watcher.messages();
  }
  QString windowText(const char* name) {
    auto* window = qobject_cast<TextWindow*>(mainWindow().windows().find(QLatin1String(name)));
    return window ? window->text() : QStringLiteral("<not loaded>");
  }
  Snapshot snapshot() {
    MdiMain& main = mainWindow();
    const AppState& s = main.state();
    Snapshot shot{s.gConnectString, s.gSourceTable, s.gProjectDir, s.gRulesText, s.gCodeText, s.gRawData.get(),
                  s.gDescriptives.get(), s.gTreeList.get(), s.gCharacterTarget, s.gTargetValueCount};
    for (QWidget* w : main.windows().loaded()) shot.windows << w->objectName();
    DlgTreeOptions& options = main.treeOptions();
    shot.checked = options.checkedVariables();
    shot.target = options.cmbTarget()->currentText();
    shot.codeName = options.outputText(OutputRow::kCode)->text();
    shot.rulesText = windowText("frmRules");
    return shot;
  }
};

TEST_F(ProjectIoTest, AProjectWrittenByOrlixCliOpensWithTheSameResults) {
  for (const std::string target : {"body_mass_g", "species"}) {
    const QString dir = folder(QString::fromStdString("cli-" + target));
    const std::string report = cliProject(dir, target, {"--exclude", "year"});
    const auto messages = open(dir);
    ASSERT_TRUE(messages.empty()) << messages.front().text.toStdString();
    MdiMain& main = mainWindow();
    const AppState& s = main.state();
    const project::ProjectContent saved = project::readProject((dir + QStringLiteral("/TreeParms.cfg")).toStdString());
    EXPECT_EQ(s.gProjectDir, dir.toStdString());
    EXPECT_EQ(s.gConnectString, saved.settings.connectionString);
    EXPECT_EQ(s.gSourceTable, "[penguins.csv]");
    ASSERT_TRUE(s.gRawData);
    EXPECT_EQ(s.gRawData->RecordCount(), 344);
    EXPECT_EQ(tabText(s.gTreeList), tabText(saved.treeList));
    EXPECT_EQ(tabText(s.gDescriptives), tabText(saved.descriptives));
    EXPECT_EQ(windowText("frmRules").toStdString(), report);
    EXPECT_EQ(windowText("frmCode").toStdString(), saved.codeText);
    auto* descriptives = qobject_cast<GridWindow*>(main.windows().find(QStringLiteral("frmDescrip")));
    ASSERT_NE(descriptives, nullptr);
    EXPECT_EQ(descriptives->grid()->Rows(), static_cast<int>(saved.descriptives->RecordCount()) + 1);
    DlgTreeOptions& options = main.treeOptions();
    EXPECT_EQ(options.lstVarSelection()->ListCount(), 8);
    EXPECT_EQ(options.checkedVariables(), (QStringList{"species", "island", "bill_length_mm", "bill_depth_mm",
                                                       "flipper_length_mm", "body_mass_g", "sex"}));
    EXPECT_EQ(options.cmbTarget()->currentText().toStdString(), target);
    EXPECT_EQ(s.gCharacterTarget, target == "species");
    EXPECT_EQ(s.gTargetValueCount, target == "species" ? 3 : 0);
    auto* map = qobject_cast<display::TreeDisplayWindow*>(main.windows().find(QStringLiteral("frmTreeDisplay")));
    ASSERT_NE(map, nullptr);
    EXPECT_EQ(static_cast<long>(map->flowControl().Nodes().count()), saved.treeList->RecordCount());
    EXPECT_EQ(map->flowControl().SaveMemory(0), fileBytes(dir + QStringLiteral("/flowdiag.afl")));
    EXPECT_EQ(main.windows().active(), map);
  }
}

TEST_F(ProjectIoTest, ASavedProjectReadsBackIdenticallySavesTheSameTwiceAndRerunsInOrlixCli) {
  const QString first = folder(QStringLiteral("first")), second = folder(QStringLiteral("second"));
  const std::string report = cliProject(first, "species");
  ASSERT_TRUE(open(first).empty());
  mainWindow().state().gProjectDir = second.toStdString();
  auto messages = save();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].title, QStringLiteral("Save All"));
  EXPECT_EQ(messages[0].text, QStringLiteral("Save is complete"));

  const project::ProjectContent a = project::readProject((first + QStringLiteral("/TreeParms.cfg")).toStdString());
  const project::ProjectContent b = project::readProject((second + QStringLiteral("/TreeParms.cfg")).toStdString());
  EXPECT_EQ(b.settings.projectDir, second.toStdString());
  EXPECT_EQ(b.settings.connectionString, a.settings.connectionString);
  EXPECT_EQ(b.settings.sourceTable, a.settings.sourceTable);
  EXPECT_EQ(b.settings.target, a.settings.target);
  EXPECT_EQ(b.settings.selected, a.settings.selected);
  EXPECT_EQ(b.rulesText, a.rulesText);
  EXPECT_EQ(b.codeText, a.codeText);
  EXPECT_EQ(tabText(b.treeList), tabText(a.treeList));
  EXPECT_EQ(tabText(b.descriptives), tabText(a.descriptives));
  for (const char* name : {"rules.csv", "descriptives.csv", "flowdiag.afl"})
    EXPECT_EQ(fileBytes(second + QLatin1Char('/') + QLatin1String(name)),
              fileBytes(first + QLatin1Char('/') + QLatin1String(name)))
        << name;

  QMap<QString, QByteArray> once;
  for (const char* name : kProjectFiles) once[QLatin1String(name)] = fileBytes(second + QLatin1Char('/') + QLatin1String(name));
  ASSERT_EQ(save().size(), 1u);
  for (const char* name : kProjectFiles)
    EXPECT_EQ(fileBytes(second + QLatin1Char('/') + QLatin1String(name)), once[QLatin1String(name)]) << name;

  // orlix-cli reruns the saved settings: the same data, target, fields and names.
  const QString third = folder(QStringLiteral("third"));
  const std::string rerun = runCli({"--settings", (second + QStringLiteral("/TreeParms.cfg")).toStdString(),
                                    "--project", third.toStdString()});
  EXPECT_NE(withoutTimes(QByteArray::fromStdString(rerun)), QByteArray::fromStdString(rerun));
  EXPECT_EQ(withoutTimes(QByteArray::fromStdString(rerun)), withoutTimes(QByteArray::fromStdString(report)));
  for (const char* name : {"summary.txt", "scoring.txt", "rules.csv", "descriptives.csv", "flowdiag.afl"})
    EXPECT_EQ(withoutTimes(fileBytes(third + QLatin1Char('/') + QLatin1String(name))),
              withoutTimes(fileBytes(first + QLatin1Char('/') + QLatin1String(name))))
        << name;
  const project::ProjectContent c = project::readProject((third + QStringLiteral("/TreeParms.cfg")).toStdString());
  EXPECT_EQ(c.settings.selected, a.settings.selected);
  EXPECT_EQ(c.settings.target, "species");
}

// The progress window's stages, as a timer firing between them sees them.
class StageRecorder {
 public:
  explicit StageRecorder(QWidget* owner) : owner_(owner) {
    QObject::connect(&timer_, &QTimer::timeout, [this] { look(); });
    timer_.start(0);
  }
  const QStringList& stages() const { return stages_; }

 private:
  void look() {
    auto* progress = owner_->findChild<FrmProgress*>(QStringLiteral("frmProgress"));
    if (!progress) return;
    const QString stage = QStringLiteral("%1 %2").arg(progress->ccrpProgressBar1()->value()).arg(progress->Label1()->text());
    if (stages_.isEmpty() || stages_.back() != stage) stages_ << stage;
  }
  QWidget* owner_;
  QTimer timer_;
  QStringList stages_;
};

TEST_F(ProjectIoTest, SavingAndOpeningShowTheirStagesInTheProgressWindow) {
  const QString dir = folder(QStringLiteral("staged"));
  cliProject(dir, "body_mass_g");
  {
    StageRecorder recorder(&mainWindow());
    ASSERT_TRUE(open(dir).empty());
    EXPECT_EQ(recorder.stages(), (QStringList{"0 Gathering Project Information", "10 Connecting to Raw Data",
                                              "30 Loading Descriptives", "35 Loading Scoring Code",
                                              "56 Loading Summary Node Information", "85 Setting Options",
                                              "99 Loading Tree"}));
  }
  StageRecorder recorder(&mainWindow());
  ASSERT_EQ(save().size(), 1u);
  EXPECT_EQ(recorder.stages(), (QStringList{"0 Saving Project Information", "12 Saving Settings", "25 Saving Tree Rules",
                                            "36 Saving Scorng Code", "69 Saving Descriptives",
                                            "99 Saving Tree Details"}));
  EXPECT_EQ(mainWindow().findChild<FrmProgress*>(), nullptr);  // unloaded at the end
}

TEST_F(ProjectIoTest, CancellingAnOpenLeavesTheProgramAsItWas) {
  const QString first = folder(QStringLiteral("kept")), second = folder(QStringLiteral("cancelled"));
  cliProject(first, "species");
  cliProject(second, "body_mass_g");
  ASSERT_TRUE(open(first).empty());
  const Snapshot before = snapshot();
  QTimer canceller;
  QObject::connect(&canceller, &QTimer::timeout, [this] {
    auto* progress = mainWindow().findChild<FrmProgress*>(QStringLiteral("frmProgress"));
    if (progress && progress->ccrpProgressBar1()->value() == 30) progress->cmdCancel()->click();
  });
  canceller.start(0);
  EXPECT_TRUE(open(second).empty());  // the user asked: no message
  canceller.stop();
  EXPECT_TRUE(snapshot() == before);
  EXPECT_EQ(mainWindow().findChild<FrmProgress*>(), nullptr);
}

TEST_F(ProjectIoTest, WithoutAResultNineSettingsLinesARelativeFolderMadeAbsoluteAndTheMapFilesWritten) {
  MdiMain& main = mainWindow();
  QDir().mkpath(QStringLiteral("relative"));
  main.state().gProjectDir = "relative";
  const auto messages = save();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].text, QStringLiteral("Save is complete"));
  const QString dir = QDir::current().absoluteFilePath(QStringLiteral("relative"));
  const QByteArray settings = fileBytes(dir + QStringLiteral("/TreeParms.cfg"));
  EXPECT_EQ(settings.count("\r\n"), 9) << settings.toStdString();
  EXPECT_TRUE(settings.startsWith("PrjDir:\t" + dir.toUtf8() + "\r\n")) << settings.toStdString();
  EXPECT_EQ(fileBytes(dir + QStringLiteral("/summary.txt")), QByteArray());
  EXPECT_EQ(fileBytes(dir + QStringLiteral("/scoring.txt")), QByteArray());
  EXPECT_FALSE(QFile::exists(dir + QStringLiteral("/descrip.xml")));
  EXPECT_FALSE(QFile::exists(dir + QStringLiteral("/rules.csv")));
  EXPECT_TRUE(QFile::exists(dir + QStringLiteral("/flowdiag.afl")));
  EXPECT_TRUE(QFile::exists(dir + QStringLiteral("/graphTree.jpg")));
  // Every output row is checked by the save.
  for (int i = 0; i < kOutputRowCount; ++i)
    EXPECT_TRUE(main.treeOptions().outputCheck(static_cast<OutputRow>(i))->isChecked());
}

TEST_F(ProjectIoTest, AnExistingDescripXmlIsReplaced) {
  const QString from = folder(QStringLiteral("from")), to = folder(QStringLiteral("to"));
  cliProject(from, "body_mass_g");
  ASSERT_TRUE(open(from).empty());
  writeBytes(to + QStringLiteral("/descrip.xml"), "stale bytes that are no record set");
  mainWindow().state().gProjectDir = to.toStdString();
  ASSERT_EQ(save().size(), 1u);
  EXPECT_EQ(fileBytes(to + QStringLiteral("/descrip.xml")), fileBytes(from + QStringLiteral("/descrip.xml")));
}

TEST_F(ProjectIoTest, AMissingFolderIsTheSaveErrorThenTheSummaryMessage) {
  for (const std::string dir : {std::string("  "), QDir::current().absoluteFilePath("absent").toStdString()}) {
    mainWindow().state().gProjectDir = dir;
    const auto messages = save();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].title, QStringLiteral("Save All Error"));
    EXPECT_EQ(messages[0].text, QStringLiteral("Project Directory missing or invalid. Check Project Options."));
    EXPECT_EQ(messages[1].title, QStringLiteral("Save All"));
    EXPECT_EQ(messages[1].text, QStringLiteral("One or more components could not be saved."));
  }
  EXPECT_FALSE(QDir(QStringLiteral("absent")).exists());
}

// Each broken or unsafe project is refused in one message naming the file
// and the cause; the program keeps the project it had.
TEST_F(ProjectIoTest, ABrokenOrUnsafeProjectIsRefusedAndChangesNothing) {
  const QString good = folder(QStringLiteral("good"));
  cliProject(good, "species");
  ASSERT_TRUE(open(good).empty());
  mainWindow().treeOptions().outputText(OutputRow::kCode)->setText(QStringLiteral("mine.txt"));
  const Snapshot before = snapshot();
  const QByteArray settings = fileBytes(good + QStringLiteral("/TreeParms.cfg"));
  const QByteArray samples = QByteArray::fromStdString(orlix::test::repositoryFile("samples"));

  struct Broken {
    const char* name;
    const char* file;  // changed, in the copy of the good project
    QByteArray bytes;
    const char* cause;  // a word of the message
  };
  const std::vector<Broken> cases{
      {"no-tab", "TreeParms.cfg", QByteArray(settings).insert(settings.indexOf("Src:"), "garbage\r\n"), "tab"},
      {"no-source", "TreeParms.cfg", QByteArray(settings).replace(samples, "/nonexistent/folder"), "data source"},
      {"no-table", "TreeParms.cfg", QByteArray(settings).replace("[penguins.csv]", "[absent.csv]"), "data source"},
      {"bad-treelist", "treelist.xml", "<xml>not a record set", "treelist.xml"},
      {"bad-descrip", "descrip.xml", "\x01\x02", "descrip.xml"},
      {"bad-map", "flowdiag.afl", "<not a diagram", "flowdiag.afl"},
      {"driver-path", "TreeParms.cfg",
       QByteArray(settings).replace(settings.mid(settings.indexOf("Cstring:\t") + 9,
                                                 settings.indexOf("\r\n", settings.indexOf("Cstring:")) -
                                                     settings.indexOf("Cstring:\t") - 9),
                                    "Driver=/tmp/evil.so;Database=x"),
       "registered by name"},
      {"dotdot", "TreeParms.cfg", QByteArray(settings).replace("Code:\tscoring.txt", "Code:\t../scoring.txt"),
       "plain file names"},
      {"slash", "TreeParms.cfg", QByteArray(settings).replace("Rules:\tsummary.txt", "Rules:\ta/b.txt"),
       "plain file names"},
      {"empty", "TreeParms.cfg", QByteArray(), "Cstring:"},
  };
  for (const Broken& b : cases) {
    const QString dir = folder(QLatin1String(b.name));
    for (const char* name : kProjectFiles)
      writeBytes(dir + QLatin1Char('/') + QLatin1String(name), fileBytes(good + QLatin1Char('/') + QLatin1String(name)));
    writeBytes(dir + QLatin1Char('/') + QLatin1String(b.file), b.bytes);
    const auto messages = open(dir);
    ASSERT_EQ(messages.size(), 1u) << b.name;
    EXPECT_EQ(messages[0].title, QStringLiteral("Open Project"));
    EXPECT_TRUE(messages[0].text.contains(dir)) << b.name << ": " << messages[0].text.toStdString();
    EXPECT_TRUE(messages[0].text.contains(QLatin1String(b.cause))) << b.name << ": " << messages[0].text.toStdString();
    EXPECT_TRUE(snapshot() == before) << b.name;
  }
}

}  // namespace
}  // namespace orlix::app::test
