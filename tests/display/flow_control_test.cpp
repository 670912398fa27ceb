// The flow view control: its diagram filling it, the Edit menu with every
// item and what it does, copy, print with its title prompt, the layout
// control's page and about box, and files.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QTemporaryDir>

#include "display/dlg_dmap_cust.h"
#include "display/printing/dlg_print_preview.h"
#include "diagramprint/pagrix_ctrl.h"
#include "platform/graphon/diagram_state.h"
#include "platform/graphon/view/diagram_file_error.h"
#include "tests/display/modal_watcher.h"
#include "tests/display/widget_test_support.h"
#include "treelayout/page/tierio_prop_page.h"

namespace orlix::display {
namespace {

using namespace testing;

QAction* action(OrlFlowControl& control, const char* name) {
  auto* found = control.editMenu()->findChild<QAction*>(QLatin1String(name));
  if (!found) ADD_FAILURE() << "no menu item " << name;
  return found;
}

TEST(FlowControl, TheDiagramFillsItLessFifteenTwips) {
  OrlFlowControl control;
  control.resize(400, 300);
  control.show();
  QApplication::processEvents();
  EXPECT_EQ(control.view().objectName(), "Graphon1");
  EXPECT_EQ(control.view().geometry(), QRect(0, 0, 399, 299));  // 15 twips are one pixel at 96 dpi
  EXPECT_EQ(control.hWnd(), static_cast<diagramprint::PrintMessageTarget*>(&control.view()));
}

TEST(FlowControl, TheEditMenuHoldsEveryItem) {
  OrlFlowControl control;
  QStringList texts;
  for (QAction* a : control.editMenu()->actions()) {
    if (a->isSeparator()) continue;
    texts << a->text();
    if (a->menu())
      for (QAction* sub : a->menu()->actions()) texts << "  " + sub->text();
  }
  EXPECT_EQ(texts, QStringList({"Nodes", "  Select All Nodes", "  Invert Selected Nodes", "Connections",
                                "  Select All Connections", "  Invert Selected Connections", "Select All",
                                "Invert Selection", "Copy", "Orient North", "Orient South", "Orient East",
                                "Orient West", "Customization Dialog", "Print", "Print Preview", "Zoom", "  Zoom In",
                                "  Zoom Out", "  Actual Size", "  Fit to Window", "Layout Properties...",
                                "About the Tree Layout Control..."}));
  EXPECT_EQ(control.editMenu()->objectName(), "mnuEdit");
  EXPECT_EQ(control.editMenu()->title(), "Edit");
}

TEST(FlowControl, SelectionItemsFlipEachLinkOnce) {
  OrlFlowControl control;
  smallMap(control);
  control.Nodes().item(2).outLinks().item(1).setSelected(true);
  action(control, "mnuEditConnectionsInvert")->trigger();
  EXPECT_EQ(control.SelLinks().size(), 3u);
  action(control, "mnuEditConnectionsInvert")->trigger();
  ASSERT_EQ(control.SelLinks().size(), 1u);
  EXPECT_EQ(control.SelLinks()[0], &control.Nodes().item(2).outLinks().item(1));
  action(control, "mnuEditNodesSelectAll")->trigger();
  EXPECT_EQ(control.SelNodes().size(), 5u);
  action(control, "mnuEditInvert")->trigger();
  EXPECT_EQ(control.SelNodes().size(), 0u);
  EXPECT_EQ(control.SelLinks().size(), 3u);
  action(control, "mnuEditSelectAll")->trigger();
  EXPECT_EQ(control.SelLinks().size(), 4u);
  control.SetSelLinks({&control.Nodes().item(1).outLinks().item(2)});
  EXPECT_EQ(control.SelLinks().size(), 1u);
}

TEST(FlowControl, OrientWestOnAOneNodeMapPlacesItAtTheMargin) {
  OrlFlowControl control;
  graphon::Node& only = control.Nodes().add(3000, 4000, 2500, 1000);
  action(control, "mnuEditOrientWest")->trigger();
  EXPECT_EQ(control.Orientation(), 3);
  EXPECT_EQ(only.left(), 125);
  EXPECT_EQ(only.top(), 125);
  action(control, "mnuEditOrientSouth")->trigger();
  EXPECT_EQ(control.Orientation(), 2);
  action(control, "mnuEditOrientEast")->trigger();
  EXPECT_EQ(control.Orientation(), 1);
  control.Nodes().add(0, 0, 10, 10);  // now not a tree: ignored
  action(control, "mnuEditOrientNorth")->trigger();
  EXPECT_EQ(control.Orientation(), 0);
}

TEST(FlowControl, CopyPutsThePictureOnTheClipboard) {
  OrlFlowControl control;
  smallMap(control);
  action(control, "mnuEditCopy")->trigger();
  const QMimeData* data = QApplication::clipboard()->mimeData();
  ASSERT_TRUE(data);
  ASSERT_TRUE(data->hasImage());
  const QImage image = qvariant_cast<QImage>(data->imageData());
  EXPECT_EQ(image.size(), control.ExportPicture(0, false, false).size());
  EXPECT_TRUE(data->data("image/svg+xml").startsWith("<?xml"));
}

TEST(FlowControl, PrintPreviewAsksForATitleThenPreviewsTheMapsPages) {
  OrlFlowControl control;
  smallMap(control);
  QString docName;
  int pages = 0;
  ModalWatcher watcher([&](QWidget* modal) {
    if (auto* input = qobject_cast<QInputDialog*>(modal)) {
      input->setTextValue("Penguins");
      input->accept();
    } else if (auto* form = qobject_cast<dlgPrintPreview*>(modal)) {
      docName = form->printControl().DocName();
      pages = form->printControl().PageCount();
      form->reject();
    } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
      box->accept();
    }
  });
  action(control, "mnuEditPrintPreview")->trigger();
  ASSERT_EQ(watcher.seen().size(), 2u) << watcher.seen().back().toStdString();
  EXPECT_EQ(watcher.seen()[0], "Set Titles | Enter a Title for the printout");
  EXPECT_EQ(watcher.seen()[1], "Print Preview | ");
  EXPECT_EQ(docName, "Penguins");
  EXPECT_GE(pages, 1);
}

TEST(FlowControl, CancellingTheTitlePromptPrintsNothing) {
  OrlFlowControl control;
  ModalWatcher watcher;  // cancels the prompt
  action(control, "mnuEditPrint")->trigger();
  ASSERT_EQ(watcher.seen().size(), 1u);
  EXPECT_EQ(watcher.seen()[0], "Set Titles | Enter a Title for the printout");
}

TEST(FlowControl, TheDiagramPaginatesForThePrintControl) {
  OrlFlowControl control;
  smallMap(control);
  QImage sheet(816, 1056, QImage::Format_ARGB32);  // Letter at 96 dpi
  sheet.fill(Qt::white);
  QPainter painter(&sheet);
  diagramprint::PrintRecord record;
  record.painter = &painter;
  record.pageRect = sheet.rect();
  record.printRect = sheet.rect().adjusted(96, 96, -96, -96);
  EXPECT_EQ(control.hWnd()->printMessage(diagramprint::kPrintPageMessage, record), 1);
  record.page = 1;
  EXPECT_EQ(control.hWnd()->printMessage(diagramprint::kPrintPageMessage, record), 1);
  painter.end();
  int ink = 0;
  for (int y = 96; y < 400; ++y)
    for (int x = 96; x < 720; ++x) ink += sheet.pixelColor(x, y).lightness() < 128;
  EXPECT_GT(ink, 500);
}

TEST(FlowControl, TheCustomizationDialogOpensOnTheControl) {
  OrlFlowControl control;
  smallMap(control);
  QString name;
  ModalWatcher watcher([&](QWidget* modal) {
    name = modal->objectName();
    static_cast<QDialog*>(modal)->reject();
  });
  action(control, "mnuEditCustomize")->trigger();
  EXPECT_EQ(name, "dlgDmapCust");
}

TEST(FlowControl, TheLayoutPropertyPageChangesTheLayoutAndTheAboutBoxShows) {
  OrlFlowControl control;
  smallMap(control);
  ModalWatcher watcher([](QWidget* modal) {
    if (auto* box = qobject_cast<QMessageBox*>(modal)) return box->accept();
    auto* layer = modal->findChild<QLineEdit*>("txtLayerDistance");
    layer->setText("1000.9");
    emit layer->textEdited(layer->text());
    auto* dialog = static_cast<QDialog*>(modal);
    auto* box = dialog->findChild<QDialogButtonBox*>();
    box->button(QDialogButtonBox::Ok)->click();
  });
  action(control, "mnuEditLayoutProperties")->trigger();
  EXPECT_EQ(control.map().layoutControl().LayerDistance(), 1000);
  // Laid out again: the layers 1000 apart, the margin a quarter of that.
  EXPECT_EQ(control.Nodes().item(2).top() - control.Nodes().item(1).top(), 2000);
  EXPECT_EQ(control.Nodes().item(1).top(), 250);
  action(control, "mnuEditLayoutAbout")->trigger();
  ASSERT_EQ(watcher.seen().size(), 2u);
  EXPECT_TRUE(watcher.seen()[1].startsWith("About the Tree Layout Control | "));
}

TEST(FlowControl, ThePropertyPageRefusesWhatTheControlRefuses) {
  treelayout::TierioCtrl ctrl;
  treelayout::TierioPropPage page(ctrl);
  auto* vertex = page.findChild<QLineEdit*>("txtVertexDistance");
  auto* combo = page.findChild<QComboBox*>("cboOrientation");
  ASSERT_TRUE(vertex && combo);
  EXPECT_EQ(combo->count(), 4);
  EXPECT_EQ(combo->itemText(3), "3 - West");
  EXPECT_EQ(vertex->text(), "500");
  combo->setCurrentIndex(2);
  vertex->setText("250.9");
  ASSERT_TRUE(page.apply());
  EXPECT_EQ(ctrl.VertexDistance(), 250);
  EXPECT_EQ(ctrl.Orientation(), treelayout::South);
  EXPECT_EQ(vertex->text(), "250");
  ModalWatcher watcher;
  vertex->setText("wide");
  EXPECT_FALSE(page.apply());
  vertex->setText("1e12");
  EXPECT_FALSE(page.apply());
  EXPECT_EQ(ctrl.VertexDistance(), 250);
  ASSERT_EQ(watcher.seen().size(), 2u);
  EXPECT_TRUE(watcher.seen()[0].contains("\"wide\" is not a number"));
}

TEST(FlowControl, SaveFileAndLoadFileReopenTheMapAndABadFileChangesNothing) {
  QTemporaryDir dir;
  OrlFlowControl control;
  smallMap(control);
  control.Nodes().item(3).setFillColor(0x00FF00);
  control.SetOrientation(1);
  control.Layout();
  control.SaveFile(dir.filePath("flowdiag.afl"));
  control.SaveImage(0, 0, dir.filePath("graphTree.jpg"));
  EXPECT_FALSE(QImage(dir.filePath("graphTree.jpg")).isNull());

  OrlFlowControl reopened;
  reopened.LoadFile(dir.filePath("flowdiag.afl"));
  EXPECT_EQ(graphon::captureState(reopened.diagram()), graphon::captureState(control.diagram()));
  EXPECT_EQ(reopened.Orientation(), 1);
  EXPECT_EQ(reopened.SaveMemory(0), control.SaveMemory(0));
  const QByteArray before = reopened.SaveMemory(0);
  EXPECT_THROW(reopened.LoadFile(dir.filePath("graphTree.jpg")), graphon::view::DiagramFileError);
  EXPECT_EQ(reopened.SaveMemory(0), before);
}

TEST(FlowControl, PersistedPropertiesGoWhereTheyLive) {
  OrlFlowControl control;
  treelayout::MemoryPropertyBag bag;
  bag.write("ScrollBars", std::int16_t{1});
  bag.write("Orientation", std::int16_t{2});
  bag.write("ShowToolTip", std::int16_t{0});
  bag.write("ToolTipText", std::string("Map"));
  control.ReadProperties(bag);
  EXPECT_EQ(control.view().horizontalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
  EXPECT_EQ(control.view().verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
  EXPECT_EQ(control.Orientation(), 2);
  EXPECT_FALSE(control.ShowToolTip());
  EXPECT_EQ(control.ToolTipText(), "Map");
  EXPECT_EQ(control.DrawWidth(), 1);
  control.InitProperties();
  EXPECT_EQ(control.ScrollBars(), 3);
  EXPECT_EQ(control.Orientation(), 0);
  EXPECT_FALSE(control.CanUndo() || control.CanRedo() || control.CanPaste() || control.CanPropertyChange("Font"));
}

}  // namespace
}  // namespace orlix::display
