// Takes the print forms' screenshots on a real display (run under Xvfb by
// xvfb-run -a print_screens docs/screenshots): the print preview at two zooms and the page
// setup dialog, with a map of numbered boxes standing in for a decision map.
#include <QApplication>
#include <QDate>
#include <QDir>
#include <QTimer>

#include "diagramprint/map_print_setup.h"
#include "diagramprint/pagrix_ctrl.h"
#include "display/printing/dlg_page_setups.h"
#include "display/printing/dlg_print_preview.h"
#include "tests/diagramprint/support/fake_diagram.h"

using namespace orlix;

namespace {

bool save(QWidget& widget, const QString& dir, const QString& name) {
  QApplication::processEvents();
  return widget.grab().save(QDir(dir).absoluteFilePath(name));
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 2) {
    qWarning("usage: print_screens OUTPUT_DIR");
    return 2;
  }
  const QString dir = QString::fromLocal8Bit(argv[1]);
  QDir().mkpath(dir);
  test::FakeDiagram diagram = test::FakeDiagram::grid(21, 7);
  display::dlgPrintPreview form;
  diagramprint::setUpMapPrint(form.printControl(), &diagram, QStringLiteral("Penguin body mass"),
                              QDate(2026, 12, 8), true);
  form.preview();
  form.show();
  bool ok = true;
  form.chooseZoom(QStringLiteral("50%"));
  ok &= save(form, dir, QStringLiteral("print-preview-50.png"));
  form.chooseZoom(QStringLiteral("120%"));
  ok &= save(form, dir, QStringLiteral("print-preview-120.png"));

  display::dlgPageSetups setup(form.printControl(), &form);
  setup.show();
  ok &= save(setup, dir, QStringLiteral("page-setup.png"));
  return ok ? 0 : 1;
}
