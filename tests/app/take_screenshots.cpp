// Takes the screenshots of docs/screenshots from the display the program
// runs on (take_screenshots.sh runs it under Xvfb): the main window showing
// raw data, the data import dialog, the tree options' two tabs and the help window.
// Usage: app_screenshots OUTPUT_FOLDER
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QGuiApplication>
#include <QMdiSubWindow>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <cstdio>

#include <QCheckBox>
#include <QLineEdit>
#include <QTabWidget>

#include "app/child_windows.h"
#include "app/dlg_tree_options.h"
#include "app/orl_list_box.h"
#include "app/frm_convert.h"
#include "app/help_window.h"
#include "app/mdi_main.h"
#include "app/orl_flex_grid.h"
#include "app/result_windows.h"
#include "app/user_settings.h"
#include "project/data_source.h"
#include "tests/app/tree_run_screenshots.h"

namespace {

void settle() {
  for (int i = 0; i < 20; ++i) {
    QApplication::processEvents(QEventLoop::AllEvents, 50);
    QThread::msleep(25);
  }
}

bool shoot(QWidget* window, const QString& file) {
  settle();
  const QRect frame = window->frameGeometry();
  const QPixmap shot = window->screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
  const bool saved = shot.save(file);
  std::printf("%s %s (%dx%d)\n", saved ? "wrote" : "FAILED", qPrintable(file), shot.width(), shot.height());
  return saved;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationDisplayName(QStringLiteral("Wendmoor Decision Trees"));
  if (argc < 2) {
    std::fprintf(stderr, "usage: app_screenshots OUTPUT_FOLDER\n");
    return 2;
  }
  const QString out = QString::fromLocal8Bit(argv[1]);
  QDir().mkpath(out);
  QTemporaryDir settings;
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
  orlix::app::setShowTipsAtStartup(0);

  orlix::app::MdiMain main(orlix::app::ProgramFiles(QStringLiteral(ORLIX_APP_RESOURCES)));
  main.setGeometry(20, 20, 1180, 760);
  main.show();
  const orlix::project::DataSource source =
      orlix::project::dataSourceForFile(ORLIX_SAMPLES_DIR "/penguins.csv", "");
  main.state().gConnectString = source.connectionString;
  main.state().gSourceTable = source.tableExpression;
  main.viewRaw();
  auto* raw = qobject_cast<orlix::app::FrmRawD*>(main.windows().find(QStringLiteral("frmRawD")));
  raw->parentWidget()->setGeometry(10, 10, 900, 520);
  raw->grid()->select({3, 2, 8, 4});
  bool ok = shoot(&main, out + QStringLiteral("/main-window-raw-data.png"));

  orlix::app::FrmConvert import(main.state(), &main);
  import.show();
  import.setFileName(QStringLiteral(ORLIX_SAMPLES_DIR "/excel/deaths.xls"));
  import.cboTable()->setCurrentIndex(0);
  import.move(main.geometry().center() - import.rect().center());
  ok = shoot(&import, out + QStringLiteral("/data-import-dialog.png")) && ok;
  import.close();

  orlix::app::DlgTreeOptions& options = main.treeOptions();
  options.prepareForProperties();
  for (int i : {0, 2, 3, 4, 6}) options.lstVarSelection()->setSelected(i, true);
  options.cmbTarget()->setCurrentText(QStringLiteral("body_mass_g"));
  options.show();
  options.move(main.geometry().center() - options.rect().center());
  options.SSTab1()->setCurrentIndex(0);
  ok = shoot(&options, out + QStringLiteral("/tree-options-construction.png")) && ok;
  options.SSTab1()->setCurrentIndex(1);
  options.Text2()->setText(QStringLiteral("/home/analyst/projects/penguins"));
  for (auto row : {orlix::app::OutputRow::kTreeDisplay, orlix::app::OutputRow::kCode, orlix::app::OutputRow::kRules})
    options.outputCheck(row)->setChecked(true);
  ok = shoot(&options, out + QStringLiteral("/tree-options-project.png")) && ok;
  options.hide();

  main.showHelp(false);
  orlix::app::HelpWindow* help = main.helpWindow();
  help->move(40, 40);
  help->openTopic(2);
  ok = shoot(help, out + QStringLiteral("/help-window.png")) && ok;
  help->close();
  ok = shootTreeRun(main, out, ORLIX_SAMPLES_DIR "/penguins.csv", shoot) && ok;
  return ok ? 0 : 1;
}
