// Takes the screenshots of the decision map kept in docs/screenshots: a
// regression map, a customised category map, a category map turned West and
// the customisation dialog, each from a real run on the bundled penguins.
// Run it under a display (xvfb-run): map_screenshots OUTPUT_FOLDER
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QPixmap>
#include <QRadioButton>
#include <QTimer>
#include <QToolButton>
#include <cstdio>

#include "display/diagram_view.h"
#include "display/dlg_dmap_cust.h"
#include "display/orl_flow_control.h"
#include "display/tree_display_window.h"
#include "tests/display/tree_list_support.h"

using namespace orlix::display;

namespace {

void settle() {
  for (int i = 0; i < 20; ++i) QApplication::processEvents();
}

bool save(QWidget& widget, const QString& file) {
  settle();
  const bool ok = widget.grab().save(file);
  std::printf("%s %s\n", ok ? "wrote" : "could not write", qPrintable(file));
  return ok;
}

void click(QWidget& dialog, const char* name) {
  if (auto* button = dialog.findChild<QAbstractButton*>(QLatin1String(name))) button->click();
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: map_screenshots OUTPUT_FOLDER\n");
    return 2;
  }
  const QDir out(QString::fromLocal8Bit(argv[1]));
  bool ok = true;

  const testing::PenguinRun regression = testing::penguinRun(false);
  TreeDisplayWindow regressionWindow(regression.treeList, false, 0);
  regressionWindow.resize(1380, 520);
  regressionWindow.show();
  regressionWindow.flowControl().view().fitToWindow();
  ok &= save(regressionWindow, out.filePath("map-regression.png"));

  const testing::PenguinRun category = testing::penguinRun(true);
  TreeDisplayWindow customised(category.treeList, true, category.targetValueCount);
  customised.resize(1380, 560);
  customised.show();
  OrlFlowControl& flow = customised.flowControl();
  // The left branch filled pale blue with octagons, the root bold, links dashed blue.
  auto nodes = flow.Nodes();
  for (int i = 1; i <= nodes.count(); ++i) nodes.item(i).setSelected(nodes.item(i).text().find("<=") != std::string::npos);
  {
    MapCustomizationDialog dialog(flow);
    click(dialog, "Text1_11");
    dialog.findChild<QComboBox*>("cmbShape")->setCurrentIndex(15);
    dialog.apply();
    dialog.show();
    dialog.chooseAttribute(2);
    click(dialog, "Option1_2");
    flow.map().selectAllConnections();
    for (auto* node : flow.SelNodes()) node->setSelected(false);
    click(dialog, "Text1_12");
    click(dialog, "optStyle_1");
    dialog.findChild<QComboBox*>("cmbShape")->setCurrentIndex(10);
    dialog.apply();
    ok &= save(dialog, out.filePath("map-customization-dialog.png"));
  }
  for (auto* link : flow.SelLinks()) link->setSelected(false);
  flow.view().fitToWindow();
  ok &= save(customised, out.filePath("map-category-customised.png"));

  TreeDisplayWindow west(category.treeList, true, category.targetValueCount);
  west.resize(900, 580);
  west.show();
  west.flowControl().orient(3);
  west.flowControl().view().fitToWindow();
  ok &= save(west, out.filePath("map-category-west.png"));
  return ok ? 0 : 1;
}
