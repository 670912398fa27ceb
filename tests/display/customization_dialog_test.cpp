// The customisation dialog: what it reads from the map, and Apply changing
// exactly the selected items; fonts, shapes, link styles, orientation and
// export to a file.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QGroupBox>
#include <QImageReader>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QToolButton>

#include "display/dlg_dmap_cust.h"
#include "display/swatch_palette.h"
#include "platform/graphon/diagram_state.h"
#include "tests/display/modal_watcher.h"
#include "tests/display/widget_test_support.h"

namespace orlix::display {
namespace {

using namespace testing;

class CustomizationTest : public ::testing::Test {
 protected:
  CustomizationTest() { smallMap(control); }

  template <typename T>
  T* find(MapCustomizationDialog& dialog, const char* name) {
    T* found = dialog.findChild<T*>(QLatin1String(name));
    if (!found) ADD_FAILURE() << "no control " << name;
    return found;
  }
  void press(MapCustomizationDialog& dialog, const char* name) { find<QAbstractButton>(dialog, name)->click(); }
  graphon::Node& node(int i) { return control.Nodes().item(i); }

  OrlFlowControl control;
};

TEST_F(CustomizationTest, OpeningReadsTheOrientationAndNodeOne) {
  graphon::Font font{"Liberation Serif", 12, true, false, false, false};
  node(1).setFont(font);
  node(1).setBorderWidth(3);
  node(1).setShape(4);
  node(1).setFillColor(kSwatchColors[7]);
  control.SetOrientation(2);
  MapCustomizationDialog dialog(control);
  EXPECT_EQ(dialog.objectName(), "dlgDmapCust");
  EXPECT_EQ(find<QComboBox>(dialog, "cmbFont")->currentText(), "Liberation Serif");
  EXPECT_EQ(find<QComboBox>(dialog, "cmbFontSize")->currentText(), "12");
  EXPECT_EQ(find<QComboBox>(dialog, "cmbFontStyle")->currentText(), "Bold");
  EXPECT_EQ(find<QSpinBox>(dialog, "UpDown1")->value(), 3);
  EXPECT_EQ(find<QComboBox>(dialog, "cmbShape")->currentText(), "North Triangle");
  EXPECT_TRUE(find<QRadioButton>(dialog, "optOrient_2")->isChecked());
  EXPECT_EQ(dialog.font(), font);
  // "Node Fill Color" first: node 1's fill colour chosen, no line options.
  EXPECT_TRUE(find<QRadioButton>(dialog, "Option1_0")->isChecked());
  EXPECT_TRUE(find<QToolButton>(dialog, "Text1_7")->isChecked());
  EXPECT_FALSE(find<QToolButton>(dialog, "Text1_1")->isChecked());
  EXPECT_TRUE(find<QGroupBox>(dialog, "fraLine")->isHidden());
  EXPECT_TRUE(find<QGroupBox>(dialog, "fraDrawing")->isHidden());
  EXPECT_FALSE(find<QPushButton>(dialog, "OKButton")->isEnabled());
  EXPECT_EQ(find<QComboBox>(dialog, "cmbShape")->count(), 16);
  EXPECT_EQ(find<QComboBox>(dialog, "cmbShape")->itemText(15), "Octogon");
  EXPECT_EQ(find<QComboBox>(dialog, "cmbFontSize")->count(), 11);
  // The attribute's current values: node 1's first link.
  node(1).outLinks().item(1).setStyle(graphon::kLineDashDotDot);
  node(1).outLinks().item(1).setWidth(4);
  press(dialog, "Option1_2");
  EXPECT_FALSE(find<QGroupBox>(dialog, "fraLine")->isHidden());
  EXPECT_TRUE(find<QRadioButton>(dialog, "optStyle_4")->isChecked());
  EXPECT_EQ(find<QSpinBox>(dialog, "UpDown1")->value(), 4);
  EXPECT_TRUE(find<QToolButton>(dialog, "Text1_0")->isChecked());  // black
  EXPECT_FALSE(find<QPushButton>(dialog, "OKButton")->isEnabled());
}

TEST_F(CustomizationTest, BoldItalicThenRegularLeavesNeither) {
  node(2).setSelected(true);
  MapCustomizationDialog dialog(control);
  auto* style = find<QComboBox>(dialog, "cmbFontStyle");
  style->setCurrentText("Bold Italic");
  EXPECT_TRUE(dialog.font().bold && dialog.font().italic);
  EXPECT_TRUE(find<QLabel>(dialog, "txtSample")->font().bold());
  EXPECT_TRUE(find<QPushButton>(dialog, "OKButton")->isEnabled());
  style->setCurrentText("Regular");
  find<QComboBox>(dialog, "cmbFontSize")->setCurrentText("14");
  press(dialog, "OKButton");
  EXPECT_FALSE(node(2).font().bold);
  EXPECT_FALSE(node(2).font().italic);
  EXPECT_EQ(node(2).font().size, 14);
  EXPECT_EQ(node(1).font().size, 8);  // not selected
  EXPECT_FALSE(find<QPushButton>(dialog, "OKButton")->isEnabled());
}

TEST_F(CustomizationTest, LinkColorWithADashedStyleChangesOnlySelectedLinks) {
  node(2).setSelected(true);  // a selected node keeps its outline
  node(1).outLinks().item(2).setSelected(true);
  node(2).outLinks().item(1).setSelected(true);
  const graphon::DiagramState before = graphon::captureState(control.diagram());
  MapCustomizationDialog dialog(control);
  press(dialog, "Option1_2");
  press(dialog, "Text1_12");
  press(dialog, "optStyle_1");
  find<QSpinBox>(dialog, "UpDown1")->setValue(2);
  press(dialog, "OKButton");
  const graphon::DiagramState after = graphon::captureState(control.diagram());
  for (std::size_t i = 0; i < after.links.size(); ++i) {
    const bool chosen = i == 1 || i == 2;
    EXPECT_EQ(after.links[i].color, chosen ? kSwatchColors[12] : before.links[i].color) << i;
    EXPECT_EQ(after.links[i].style, chosen ? graphon::kLineDash : before.links[i].style) << i;
    EXPECT_EQ(after.links[i].width, chosen ? 2 : before.links[i].width) << i;
  }
  for (std::size_t i = 0; i < after.nodes.size(); ++i) {
    EXPECT_EQ(after.nodes[i].borderColor, before.nodes[i].borderColor) << i;
    EXPECT_EQ(after.nodes[i].borderStyle, before.nodes[i].borderStyle) << i;
    EXPECT_EQ(after.nodes[i].borderWidth, before.nodes[i].borderWidth) << i;
    EXPECT_EQ(after.nodes[i].fillColor, before.nodes[i].fillColor) << i;
  }
}

TEST_F(CustomizationTest, OutlineAndFillGoToTheSelectedNodes) {
  node(3).setSelected(true);
  MapCustomizationDialog dialog(control);
  press(dialog, "Text1_9");
  press(dialog, "cmdOK");
  EXPECT_EQ(node(3).fillColor(), kSwatchColors[9]);
  EXPECT_EQ(node(2).fillColor(), graphon::kWhite);
  MapCustomizationDialog again(control);
  press(again, "Option1_1");
  press(again, "Text1_5");
  press(again, "optStyle_6");
  find<QSpinBox>(again, "UpDown1")->setValue(3);
  press(again, "OKButton");
  EXPECT_EQ(node(3).borderColor(), kSwatchColors[5]);
  EXPECT_EQ(node(3).borderStyle(), graphon::kLineInsideSolid);
  EXPECT_EQ(node(3).borderWidth(), 3);
  EXPECT_EQ(node(3).fillColor(), kSwatchColors[9]);
  EXPECT_EQ(node(2).borderWidth(), 1);
}

TEST_F(CustomizationTest, OctogonSetsShapeFifteen) {
  node(4).setSelected(true);
  MapCustomizationDialog dialog(control);
  find<QComboBox>(dialog, "cmbShape")->setCurrentText("Octogon");
  EXPECT_TRUE(find<QPushButton>(dialog, "OKButton")->isEnabled());
  press(dialog, "OKButton");
  EXPECT_EQ(node(4).shape(), 15);
  EXPECT_EQ(node(5).shape(), 10);
}

TEST_F(CustomizationTest, ApplyingWithNothingSelectedOnlyTurnsTheMap) {
  graphon::DiagramState before = graphon::captureState(control.diagram());
  MapCustomizationDialog dialog(control);
  press(dialog, "Text1_4");
  find<QComboBox>(dialog, "cmbShape")->setCurrentIndex(3);
  find<QComboBox>(dialog, "cmbFontStyle")->setCurrentText("Bold");
  press(dialog, "optOrient_3");
  press(dialog, "OKButton");
  EXPECT_EQ(control.Orientation(), 3);
  graphon::DiagramState after = graphon::captureState(control.diagram());
  EXPECT_EQ(node(1).left(), 125);  // West: the root at the left margin
  EXPECT_NE(after, before);
  for (auto* state : {&before, &after})
    for (auto& n : state->nodes) n.left = n.top = 0;
  EXPECT_EQ(after, before);  // nothing but positions changed
}

TEST_F(CustomizationTest, CancelChangesNothing) {
  node(1).setSelected(true);
  const graphon::DiagramState before = graphon::captureState(control.diagram());
  MapCustomizationDialog dialog(control);
  press(dialog, "Text1_4");
  press(dialog, "optOrient_1");
  press(dialog, "CancelButton");
  EXPECT_EQ(graphon::captureState(control.diagram()), before);
  EXPECT_EQ(control.Orientation(), 0);
}

TEST_F(CustomizationTest, TheExportBoxWritesTheNamedFileInItsFormat) {
  QTemporaryDir dir;
  MapCustomizationDialog dialog(control);
  auto* name = find<QLineEdit>(dialog, "txtFileName");
  name->setText(dir.filePath("map.png"));
  press(dialog, "cmdExport");
  EXPECT_EQ(QImageReader(dir.filePath("map.png")).format(), "png");
  EXPECT_EQ(QImageReader(dir.filePath("map.png")).size(), control.ExportPicture(0, true, false).size());
  EXPECT_TRUE(find<QLabel>(dialog, "lblExportStatus")->text().contains("map.png"));

  ModalWatcher watcher;
  name->clear();
  EXPECT_FALSE(dialog.exportPicture());
  name->setText(dir.filePath("map.tiff"));
  EXPECT_FALSE(dialog.exportPicture());
  ASSERT_EQ(watcher.seen().size(), 2u);
  EXPECT_TRUE(watcher.seen()[0].contains("Enter the name of the file"));
  EXPECT_TRUE(watcher.seen()[1].contains("map.tiff"));
}

TEST_F(CustomizationTest, BrowseFillsTheFileName) {
  QTemporaryDir dir;
  const QString chosen = dir.filePath("chosen.svg");
  MapCustomizationDialog dialog(control);
  ModalWatcher watcher([&](QWidget* modal) {
    auto* files = qobject_cast<QFileDialog*>(modal);
    ASSERT_TRUE(files);
    files->selectFile(chosen);
    QMetaObject::invokeMethod(files, "accept");
  });
  press(dialog, "cmdBrowse");
  EXPECT_EQ(find<QLineEdit>(dialog, "txtFileName")->text(), chosen);
  press(dialog, "cmdExport");
  EXPECT_TRUE(QFile::exists(chosen));
}

TEST_F(CustomizationTest, PrintButtonsGoThroughTheTitlePrompt) {
  MapCustomizationDialog dialog(control);
  ModalWatcher watcher;  // cancels the prompt, so nothing reaches a printer
  press(dialog, "cmdPreview");
  press(dialog, "cmdPrint");
  ASSERT_EQ(watcher.seen().size(), 2u);
  EXPECT_EQ(watcher.seen()[0], "Set Titles | Enter a Title for the printout");
  EXPECT_EQ(watcher.seen()[1], "Set Titles | Enter a Title for the printout");
}

}  // namespace
}  // namespace orlix::display
