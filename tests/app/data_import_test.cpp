// The data import dialog: format detection, the extension rewrite, the table
// list, the checks of OK in their order, and every format of the samples
// read into the raw data window.
#include <sqlite3.h>

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/child_windows.h"
#include "app/convert_data.h"
#include "app/frm_convert.h"
#include "app/orl_flex_grid.h"
#include "app/result_windows.h"
#include "platform/ado/recordset.h"
#include "tests/ado/files/xlsx_writer.h"
#include "tests/app/app_test_support.h"
#include "tests/support/test_files.h"

namespace orlix::app::test {
namespace {

class DataImportTest : public AppTest {
 protected:
  QString file(const QString& name, const QByteArray& bytes = "x") {
    const QString path = QDir::current().filePath(name);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile out(path);
    EXPECT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(bytes);
    return path;
  }
  void pressOk() { dialog.findChild<QPushButton*>(QStringLiteral("cmdConvert"))->click(); }
  AppState state;
  FrmConvert dialog{state, nullptr};
};

TEST_F(DataImportTest, TheDialogStartsWithItsControlsAndTheFormatList) {
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Data Import"));
  EXPECT_EQ(dialog.findChild<QWidget*>(QStringLiteral("fmeDBFormat"))->property("title").toString(),
            QStringLiteral("Existing Database"));
  EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("lblTable"))->text(),
            QStringLiteral("Table Name (if the database format supports table names, select it from the list):"));
  EXPECT_EQ(dialog.findChild<QPushButton*>(QStringLiteral("cmdConvert"))->text(), QStringLiteral("&OK"));
  EXPECT_EQ(dialog.findChild<QPushButton*>(QStringLiteral("cmdClose"))->text(), QStringLiteral("Exit"));
  QStringList formats;
  for (int i = 0; i < dialog.cboFormat()->count(); ++i) formats << dialog.cboFormat()->itemText(i);
  EXPECT_EQ(formats, (QStringList{"Access 2000", "dBase III", "dBase IV", "dBase V", "Excel 2000", "HTML", "ASCII Text",
                                  "SQLite Database"}));
  EXPECT_EQ(dialog.cboFormat()->currentIndex(), -1);
  EXPECT_FALSE(dialog.cboTable()->isEnabled());
  EXPECT_EQ(dialog.hint(), QStringLiteral("Select the DB(s) to convert..."));
  EXPECT_TRUE(dataFileFilters().constFirst().contains(QStringLiteral("*.xlsx")));
}

TEST_F(DataImportTest, TheFileNameChoosesTheFormatAndTheFormatItsExtension) {
  const QString text = file(QStringLiteral("d/sales.txt"));
  dialog.setFileName(text);
  EXPECT_EQ(dialog.cboFormat()->currentIndex(), 6);
  EXPECT_EQ(dialog.txtFN()->text(), text);
  dialog.setFileName(file(QStringLiteral("d/sales.csv")));
  EXPECT_EQ(dialog.cboFormat()->currentIndex(), 6);
  EXPECT_TRUE(dialog.txtFN()->text().endsWith(QStringLiteral("sales.csv")));  // a .csv keeps its name

  // Another format rewrites only the file's own extension, never a dot in a folder's name.
  ModalWatcher watcher;  // the rewritten file does not exist: its table list warns
  dialog.txtFN()->setText(QStringLiteral("/my.data/a.xls"));
  EXPECT_EQ(dialog.cboFormat()->currentIndex(), 4);
  dialog.formatChosen(0);
  EXPECT_EQ(dialog.cboFormat()->currentIndex(), 0);
  EXPECT_EQ(dialog.txtFN()->text(), QStringLiteral("/my.data/a.mdb"));
  EXPECT_TRUE(dialog.cboTable()->isEnabled());
  EXPECT_TRUE(watcher.allText().contains(QStringLiteral("The file [/my.data/a.mdb] does not seem to be a valid filename.")));

  // An unknown ending leaves the format as it was.
  dialog.txtFN()->setText(QStringLiteral("/d/notes.json"));
  EXPECT_EQ(dialog.cboFormat()->currentIndex(), 0);
  dialog.formatChosen(2);
  dialog.txtFN()->setText(QStringLiteral("/d/cust.dbf"));
  EXPECT_EQ(dialog.cboFormat()->currentIndex(), 1);
}

TEST_F(DataImportTest, OkChecksTheFileTheFormatAndTheTableInThatOrder) {
  ModalWatcher watcher;
  pressOk();
  ASSERT_EQ(watcher.messages().size(), 1u);
  EXPECT_EQ(watcher.messages()[0].title, QStringLiteral("Missing File Information..."));
  EXPECT_EQ(watcher.messages()[0].text, QStringLiteral("Please select a valid database to convert from..."));

  const QString odd = file(QStringLiteral("data.json"));
  dialog.setFileName(odd);
  pressOk();
  ASSERT_EQ(watcher.messages().size(), 2u);
  EXPECT_EQ(watcher.messages()[1].title, QStringLiteral("Missing Database Format..."));
  EXPECT_EQ(watcher.messages()[1].text, QStringLiteral("Please select a database format from the list..."));
  EXPECT_TRUE(dialog.cboFormat()->hasFocus() || !dialog.isActiveWindow());

  dialog.setFileName(samplePath(QStringLiteral("access/testV1997.mdb")));
  dialog.cboTable()->setEditText(QStringLiteral("  "));
  pressOk();
  ASSERT_EQ(watcher.messages().size(), 3u) << watcher.allText().toStdString();
  EXPECT_EQ(watcher.messages()[2].title, QStringLiteral("Missing Table Information..."));
  EXPECT_EQ(watcher.messages()[2].text, QStringLiteral("Please select/enter a table name..."));
  EXPECT_TRUE(state.gConnectString.empty());

  dialog.cboTable()->setCurrentIndex(0);
  pressOk();
  EXPECT_EQ(watcher.messages().size(), 3u) << watcher.allText().toStdString();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(state.gConnectString, "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" +
                                      orlix::test::sampleFile("access/testV1997.mdb") + ";Jet OLEDB:Engine Type=4;");
  EXPECT_EQ(state.gSourceTable, "[" + dialog.cboTable()->itemText(0).toStdString() + "]");
}

TEST_F(DataImportTest, ADBaseFileTakesTheChosenDBaseVersion) {
  dialog.setFileName(samplePath(QStringLiteral("dbase/dbase_03.dbf")));
  dialog.formatChosen(2);
  pressOk();
  EXPECT_EQ(state.gSourceTable, "[dbase_03]");
  EXPECT_NE(state.gConnectString.find("FIL=dBase IV;MaxBufferSize=2048;"), std::string::npos);
}

TEST_F(DataImportTest, ADamagedFileIsReportedNamingItAndTheDialogGoesOn) {
  const QString damaged = file(QStringLiteral("broken.xls"), QByteArray("not a workbook at all", 21));
  ModalWatcher watcher;
  dialog.setFileName(damaged);
  ASSERT_EQ(watcher.messages().size(), 1u) << watcher.allText().toStdString();
  EXPECT_TRUE(watcher.messages()[0].text.contains(damaged));
  EXPECT_EQ(dialog.cboTable()->count(), 0);
  EXPECT_TRUE(describeSource(QStringLiteral("Provider=SQLite;Data Source=/d/x.db"), QStringLiteral("[t]")) ==
              QStringLiteral("/d/x.db"));
}

TEST_F(DataImportTest, RawDataTheDataLayerRefusesIsReportedNamingTheFileAndTheCause) {
  // Its texts are in a Cyrillic code page, not the dBase files' Western one.
  const QString path = samplePath(QStringLiteral("dbase/cbrf_122019N1.dbf"));
  ModalWatcher messages;
  fileNew([&](FrmConvert* dialog) {
    dialog->setFileName(path);
    dialog->findChild<QPushButton*>(QStringLiteral("cmdConvert"))->click();
  });
  ASSERT_EQ(messages.messages().size(), 1u) << messages.allText().toStdString();
  EXPECT_EQ(messages.messages()[0].title, QStringLiteral("Raw Data"));
  EXPECT_TRUE(messages.messages()[0].text.startsWith(QStringLiteral("The raw data could not be read from ") + path));
  EXPECT_TRUE(messages.messages()[0].text.contains(QStringLiteral("CP1252")));
  EXPECT_EQ(mainWindow().state().gRawData, nullptr);
  auto* raw = qobject_cast<FrmRawD*>(mainWindow().windows().find(QStringLiteral("frmRawD")));
  ASSERT_NE(raw, nullptr);
  EXPECT_EQ(raw->grid()->Rows(), 0);
}

// Every sample through File > New into the raw data window: the dialog
// chooses the format from the name and, where the file has tables, the first.
class EveryFormatTest : public DataImportTest, public ::testing::WithParamInterface<const char*> {};

QString generatedSample(const QString& name) {
  const QString path = QDir::current().filePath(name);
  if (name.endsWith(QLatin1String(".xlsx"))) {
    ado::testing::WriteZip(path.toStdString(),
                           ado::testing::Workbook({{1, {"Prices", "<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c>"
                                                                  "<c r=\"B1\" t=\"s\"><v>1</v></c></row>"
                                                                  "<row r=\"2\"><c r=\"A2\" t=\"s\"><v>2</v></c>"
                                                                  "<c r=\"B2\"><v>2.5</v></c></row>"}}},
                                                  "<si><t>item</t></si><si><t>price</t></si><si><t>tea</t></si>"));
  } else {
    sqlite3* db = nullptr;
    sqlite3_open(path.toUtf8().constData(), &db);
    sqlite3_exec(db, "create table prices(item text, price real); insert into prices values ('tea', 2.5);", nullptr,
                 nullptr, nullptr);
    sqlite3_close(db);
  }
  return path;
}

TEST_P(EveryFormatTest, ReadsTheFileIntoTheRawDataWindow) {
  const QString name = QString::fromLatin1(GetParam());
  const QString path = name.startsWith(QLatin1String("generated/")) ? generatedSample(name.mid(10)) : samplePath(name);
  ModalWatcher messages;
  fileNew([&](FrmConvert* dialog) {
    dialog->setFileName(path);
    EXPECT_GE(dialog->cboFormat()->currentIndex(), 0) << "no format for " << name.toStdString();
    if (dialog->cboTable()->isEnabled()) {
      EXPECT_GT(dialog->cboTable()->count(), 0) << "no table in " << name.toStdString();
      dialog->cboTable()->setCurrentIndex(0);
    }
    dialog->findChild<QPushButton*>(QStringLiteral("cmdConvert"))->click();
  });
  EXPECT_TRUE(messages.messages().empty()) << messages.allText().toStdString();
  auto* raw = qobject_cast<FrmRawD*>(mainWindow().windows().find(QStringLiteral("frmRawD")));
  ASSERT_NE(raw, nullptr);
  const auto& data = mainWindow().state().gRawData;
  ASSERT_NE(data, nullptr) << name.toStdString();
  EXPECT_EQ(raw->grid()->DataSource(), data);
  EXPECT_EQ(raw->grid()->Rows(), data->RecordCount() + 1);
  EXPECT_EQ(raw->grid()->Cols(), data->Fields().Count());
  EXPECT_GT(raw->grid()->Cols(), 0);
  EXPECT_EQ(raw->grid()->TextMatrix(0, 0), QString::fromStdString(data->Fields().Item(0L).Name()));
  EXPECT_EQ(raw->grid()->FixedCols(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Samples, EveryFormatTest,
    ::testing::Values("access/compIndexTestV2000.mdb", "access/testIndexPropertiesV2000.mdb", "access/testV1997.mdb",
                      "access/weirdObjectNames.mdb", "dbase/blockgroups.dbf",
                      "dbase/dbase_03.dbf", "dbase/dbase_8b.dbf", "excel/deaths.xls", "excel/missing-values-xls.xls",
                      "excel/profiles.xls", "excel/types.xls", "html/banklist.html", "html/valid_markup.html",
                      "formats/toothgrowth/toothgr.csv", "formats/toothgrowth/toothgr.dbf",
                      "formats/toothgrowth/toothgr.htm", "formats/toothgrowth/toothgr.txt",
                      "formats/toothgrowth/toothgr.xls", "formats/warpbreaks/warpbrk.csv",
                      "formats/warpbreaks/warpbrk.dbf", "formats/warpbreaks/warpbrk.htm",
                      "formats/warpbreaks/warpbrk.txt", "formats/warpbreaks/warpbrk.xls", "penguins.csv",
                      "generated/prices.xlsx", "generated/prices.sqlite", "generated/prices.db"),
    [](const ::testing::TestParamInfo<const char*>& info) {
      std::string name = info.param;
      for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
      return name;
    });

}  // namespace
}  // namespace orlix::app::test
