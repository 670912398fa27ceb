// The screenshots of a run: the progress window during a long run (cancelled
// once shot) and the result windows after a run on the penguins sample.
#include "tests/app/tree_run_screenshots.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <fstream>

#include "app/child_windows.h"
#include "app/dlg_tree_options.h"
#include "app/frm_progress.h"
#include "app/orl_list_box.h"
#include "app/tree_run.h"
#include "bench/common/table_generator.h"
#include "project/data_source.h"

namespace {

void useSource(orlix::app::MdiMain& main, const std::string& file, const QString& target, const QString& minimumN) {
  const orlix::project::DataSource source = orlix::project::dataSourceForFile(file, "");
  main.state().gConnectString = source.connectionString;
  main.state().gSourceTable = source.tableExpression;
  main.viewRaw();
  orlix::app::DlgTreeOptions& options = main.treeOptions();
  options.lstVarSelection()->selectAll();
  options.cmbTarget()->setCurrentText(target);
  options.Text1()->setText(minimumN);
}

}  // namespace

bool shootTreeRun(orlix::app::MdiMain& main, const QString& out, const std::string& penguins,
                  const std::function<bool(QWidget*, const QString&)>& shoot) {
  auto* run = main.findChild<orlix::app::TreeRun*>(QStringLiteral("treeRun"));
  QTemporaryDir folder;
  const std::string large = QDir(folder.path()).filePath(QStringLiteral("customers.csv")).toStdString();
  {
    std::ofstream csv(large, std::ios::binary);
    orlix::bench::writeCsv(orlix::bench::generateTable(400000, orlix::bench::TargetKind::Numeric), csv);
  }
  useSource(main, large, QStringLiteral("Y"), QStringLiteral("500"));
  bool ok = false;
  const auto connection = QObject::connect(run, &orlix::app::TreeRun::stageShown, [&](int value, const QString&) {
    if (value != 8) return;
    QTimer::singleShot(200, run, [&] {
      orlix::app::FrmProgress* progress = run->progressWindow();
      if (!progress) return;
      progress->move(main.geometry().center() - progress->rect().center());
      ok = shoot(&main, out + QStringLiteral("/tree-run-progress.png"));
      progress->cmdCancel()->click();
    });
  });
  run->RunNumericTree();
  QObject::disconnect(connection);

  useSource(main, penguins, QStringLiteral("species"), QStringLiteral("20"));
  if (!run->RunNumericTree()) return false;
  main.mdiArea()->tileSubWindows();
  main.windows().show(main.windows().find(QStringLiteral("frmTreeDisplay")));
  return shoot(&main, out + QStringLiteral("/tree-run-results.png")) && ok;
}
