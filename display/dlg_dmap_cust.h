#pragma once
// dlgDmapCust, the map customisation dialog: colours, outline and link
// styles and widths, node shape and font for the selected nodes and links of
// one map, the tree's orientation, print and print preview, and export of the
// map to a picture file. It reads its starting values from the map (the
// orientation, and font, outline width and shape of node 1) and changes the
// map only when "Apply" (OKButton) or OK (cmdOK) is pressed.
// Controls carry their customary names: Option1_0..2, Text1_0..15,
// optStyle_0..6, UpDown1, cmbShape, cmbFont, cmbFontSize, cmbFontStyle,
// txtSample, optOrient_0..3, frNorth, cmdPrint, cmdPreview, txtFileName,
// cmdBrowse, cmdExport, OKButton, cmdOK, CancelButton.
#include <QDialog>

#include "platform/graphon/style.h"

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace orlix::display {

class OrlFlowControl;
class OrientationSketch;

class MapCustomizationDialog : public QDialog {
  Q_OBJECT

 public:
  MapCustomizationDialog(OrlFlowControl& map, QWidget* parent = nullptr);

  // The attribute "Apply" colours: 0 node fill, 1 node outline, 2 links.
  void chooseAttribute(int attribute);
  // Applies the dialog's choices to the map (what "Apply" does).
  void apply();
  // Writes the map's picture to the file named in txtFileName; false (after
  // telling the user why) when there is no name or the file cannot be written.
  bool exportPicture();

  // The dialog's font object.
  const graphon::Font& font() const { return font_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* buildCustomizeTab();
  QWidget* buildExportTab();
  QGroupBox* buildAttributeFrame();
  QGroupBox* buildColorFrame();
  QGroupBox* buildStyleFrame();
  QGroupBox* buildLineFrame();
  QGroupBox* buildFontFrame();
  QGroupBox* buildOrientationFrame();
  QGroupBox* buildPrintFrame();
  void readMap();
  // The colour, line, shape and font choices, given to the selected items.
  void applyLook();
  void showColor(graphon::Color color);
  void fontChanged();
  void changed();
  void print(bool preview);
  void browse();

  OrlFlowControl* map_;
  graphon::Font font_;
  graphon::Color color_ = graphon::kWhite;
  QButtonGroup* attributes_;
  QButtonGroup* swatches_;
  QButtonGroup* styles_;
  QButtonGroup* orientations_;
  QGroupBox* styleFrame_ = nullptr;
  QGroupBox* lineFrame_ = nullptr;
  QGroupBox* exportFrame_ = nullptr;
  QSpinBox* width_ = nullptr;
  QComboBox* shape_ = nullptr;
  QComboBox* fontName_ = nullptr;
  QComboBox* fontSize_ = nullptr;
  QComboBox* fontStyle_ = nullptr;
  QLabel* sample_ = nullptr;
  OrientationSketch* sketch_ = nullptr;
  QLineEdit* fileName_ = nullptr;
  QLabel* exportStatus_ = nullptr;
  QPushButton* applyButton_ = nullptr;
  bool reading_ = false;  // filling controls from the map is not a change
};

}  // namespace orlix::display
