#include "display/dlg_dmap_cust.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "display/orientation_sketch.h"
#include "display/orl_flow_control.h"
#include "display/swatch_palette.h"
#include "platform/graphon/view/diagram_file_error.h"
#include "platform/graphon/view/diagram_picture.h"
#include "platform/graphon/view/item_style.h"
#include "treelayout/control_error.h"

namespace orlix::display {
namespace {

const char* const kAttributes[] = {"Node Fill Color", "Node Outline", "Link Color"};
const char* const kStyles[] = {"Solid", "Dash", "Dot", "Dash-Dot", "Dash-Dot-Dot", "Transparent", "Inside Solid"};
const char* const kShapes[] = {"Ellipse",         "Rectangle",          "Round Rectangle", "Diamond",
                               "North Triangle",  "South Triangle",     "East Triangle",   "West Triangle",
                               "Hexagon",         "RectEdgeBump",       "RectEdgeEtched",  "RectEdgeRaised",
                               "RectEdgeSunken",  "Triangle rectangle", "Pentagon",        "Octogon"};
const char* const kSizes[] = {"6", "8", "9", "10", "11", "12", "14", "16", "18", "20", "24"};
const char* const kFontStyles[] = {"Regular", "Italic", "Bold", "Bold Italic"};
const char* const kOrientations[] = {"North", "East", "South", "West"};

enum Attribute { NodeFill = 0, NodeOutline = 1, LinkColor = 2 };

QString indexed(const char* name, int index) { return QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(index); }

// A row of radio buttons in a button group whose ids are their indices.
template <std::size_t N>
QButtonGroup* radios(QWidget* owner, QLayout* layout, const char* name, const char* const (&texts)[N]) {
  auto* group = new QButtonGroup(owner);
  for (std::size_t i = 0; i < N; ++i) {
    auto* button = new QRadioButton(QString::fromLatin1(texts[i]));
    button->setObjectName(indexed(name, static_cast<int>(i)));
    group->addButton(button, static_cast<int>(i));
    layout->addWidget(button);
  }
  return group;
}

QGroupBox* frame(const char* name, const QString& title) {
  auto* box = new QGroupBox(title);
  box->setObjectName(QLatin1String(name));
  return box;
}

// Hidden frames keep their room, so the dialog does not jump between attributes.
void keepRoom(QWidget* widget) {
  QSizePolicy policy = widget->sizePolicy();
  policy.setRetainSizeWhenHidden(true);
  widget->setSizePolicy(policy);
}

int styleIndex(const graphon::Font& font) { return (font.bold ? 2 : 0) + (font.italic ? 1 : 0); }

}  // namespace

MapCustomizationDialog::MapCustomizationDialog(OrlFlowControl& map, QWidget* parent)
    : QDialog(parent), map_(&map) {
  setObjectName(QStringLiteral("dlgDmapCust"));
  setWindowTitle(QStringLiteral("Map Customization"));
  auto* tabs = new QTabWidget(this);
  tabs->setObjectName(QStringLiteral("SSTab1"));
  tabs->addTab(buildCustomizeTab(), QStringLiteral("Customize Map"));
  tabs->addTab(buildExportTab(), QStringLiteral("Export Dialog"));

  applyButton_ = new QPushButton(QStringLiteral("Apply"));
  applyButton_->setObjectName(QStringLiteral("OKButton"));
  auto* ok = new QPushButton(QStringLiteral("OK"));
  ok->setObjectName(QStringLiteral("cmdOK"));
  ok->setDefault(true);
  auto* cancel = new QPushButton(QStringLiteral("Cancel"));
  cancel->setObjectName(QStringLiteral("CancelButton"));
  connect(applyButton_, &QPushButton::clicked, this, &MapCustomizationDialog::apply);
  connect(ok, &QPushButton::clicked, this, [this] {
    apply();
    accept();
  });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(applyButton_);
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tabs);
  layout->addLayout(buttons);
  readMap();
}

QWidget* MapCustomizationDialog::buildCustomizeTab() {
  auto* tab = new QWidget;
  auto* grid = new QGridLayout(tab);
  grid->addWidget(buildAttributeFrame(), 0, 0);
  grid->addWidget(buildColorFrame(), 1, 0);
  grid->addWidget(buildLineFrame(), 2, 0);
  grid->addWidget(buildStyleFrame(), 0, 1, 2, 1);
  auto* shapes = new QWidget;
  auto* shapeRow = new QVBoxLayout(shapes);
  shapeRow->setContentsMargins(0, 0, 0, 0);
  auto* shapeLabel = new QLabel(QStringLiteral("Node Shapes"));
  shape_ = new QComboBox;
  shape_->setObjectName(QStringLiteral("cmbShape"));
  for (const char* name : kShapes) shape_->addItem(QLatin1String(name));
  shapeLabel->setBuddy(shape_);
  shapeRow->addWidget(shapeLabel);
  shapeRow->addWidget(shape_);
  connect(shape_, &QComboBox::currentIndexChanged, this, &MapCustomizationDialog::changed);
  grid->addWidget(shapes, 2, 1);
  grid->addWidget(buildFontFrame(), 0, 2, 2, 1);
  grid->addWidget(buildOrientationFrame(), 2, 2, 2, 1);
  grid->addWidget(buildPrintFrame(), 3, 0, 1, 2);
  return tab;
}

QGroupBox* MapCustomizationDialog::buildAttributeFrame() {
  QGroupBox* box = frame("fraAttribute", QStringLiteral("Attribute"));
  auto* layout = new QVBoxLayout(box);
  attributes_ = radios(this, layout, "Option1", kAttributes);
  connect(attributes_, &QButtonGroup::idClicked, this, &MapCustomizationDialog::chooseAttribute);
  return box;
}

QGroupBox* MapCustomizationDialog::buildColorFrame() {
  QGroupBox* box = frame("fraColor", QStringLiteral("Color Options"));
  auto* grid = new QGridLayout(box);
  grid->setSpacing(4);
  swatches_ = new QButtonGroup(this);
  swatches_->setExclusive(false);  // no swatch is chosen when the item's colour is none of them
  for (int i = 0; i < static_cast<int>(kSwatchColors.size()); ++i) {
    auto* swatch = new QToolButton;
    swatch->setObjectName(indexed("Text1", i));
    swatch->setCheckable(true);
    swatch->setFixedSize(30, 22);
    const QString colour = graphon::view::qColor(kSwatchColors[i]).name();
    swatch->setToolTip(colour);
    swatch->setStyleSheet(QStringLiteral("QToolButton { background: %1; border: 1px solid #808080; }"
                                         "QToolButton:checked { border: 3px solid #000000; }")
                              .arg(colour));
    swatches_->addButton(swatch, i);
    grid->addWidget(swatch, i / 4, i % 4);
  }
  connect(swatches_, &QButtonGroup::idClicked, this, [this](int id) {
    showColor(kSwatchColors[static_cast<std::size_t>(id)]);
    changed();
  });
  return box;
}

QGroupBox* MapCustomizationDialog::buildStyleFrame() {
  styleFrame_ = frame("fraDrawing", QStringLiteral("Drawing Options"));
  keepRoom(styleFrame_);
  auto* layout = new QVBoxLayout(styleFrame_);
  styles_ = radios(this, layout, "optStyle", kStyles);
  layout->addStretch();
  connect(styles_, &QButtonGroup::idClicked, this, &MapCustomizationDialog::changed);
  return styleFrame_;
}

QGroupBox* MapCustomizationDialog::buildLineFrame() {
  lineFrame_ = frame("fraLine", QStringLiteral("Line Options"));
  keepRoom(lineFrame_);
  auto* layout = new QHBoxLayout(lineFrame_);
  auto* label = new QLabel(QStringLiteral("Line Width"));
  width_ = new QSpinBox;
  width_->setObjectName(QStringLiteral("UpDown1"));
  width_->setRange(0, 20);
  label->setBuddy(width_);
  layout->addWidget(label);
  layout->addWidget(width_);
  layout->addStretch();
  connect(width_, &QSpinBox::valueChanged, this, &MapCustomizationDialog::changed);
  return lineFrame_;
}

QGroupBox* MapCustomizationDialog::buildFontFrame() {
  QGroupBox* box = frame("fraFont", QStringLiteral("Node Text"));
  auto* form = new QGridLayout(box);
  fontName_ = new QComboBox;
  fontName_->setObjectName(QStringLiteral("cmbFont"));
  fontName_->addItems(QFontDatabase::families());
  fontSize_ = new QComboBox;
  fontSize_->setObjectName(QStringLiteral("cmbFontSize"));
  fontSize_->setEditable(true);
  for (const char* size : kSizes) fontSize_->addItem(QLatin1String(size));
  fontStyle_ = new QComboBox;
  fontStyle_->setObjectName(QStringLiteral("cmbFontStyle"));
  for (const char* style : kFontStyles) fontStyle_->addItem(QLatin1String(style));
  sample_ = new QLabel(QStringLiteral("Sample"));
  sample_->setObjectName(QStringLiteral("txtSample"));
  sample_->setAlignment(Qt::AlignCenter);
  sample_->setFrameShape(QFrame::StyledPanel);
  sample_->setMinimumSize(160, 56);
  sample_->setAutoFillBackground(true);
  sample_->setBackgroundRole(QPalette::Base);
  form->addWidget(new QLabel(QStringLiteral("Font")), 0, 0);
  form->addWidget(fontName_, 0, 1);
  form->addWidget(new QLabel(QStringLiteral("Size")), 1, 0);
  form->addWidget(fontSize_, 1, 1);
  form->addWidget(new QLabel(QStringLiteral("Style")), 2, 0);
  form->addWidget(fontStyle_, 2, 1);
  form->addWidget(sample_, 3, 0, 1, 2);
  connect(fontName_, &QComboBox::currentTextChanged, this, &MapCustomizationDialog::fontChanged);
  connect(fontSize_, &QComboBox::currentTextChanged, this, &MapCustomizationDialog::fontChanged);
  connect(fontStyle_, &QComboBox::currentIndexChanged, this, &MapCustomizationDialog::fontChanged);
  return box;
}

QGroupBox* MapCustomizationDialog::buildOrientationFrame() {
  QGroupBox* box = frame("fraOrient", QStringLiteral("Orientation Direction"));
  auto* row = new QHBoxLayout(box);
  auto* column = new QVBoxLayout;
  orientations_ = radios(this, column, "optOrient", kOrientations);
  sketch_ = new OrientationSketch;
  row->addLayout(column);
  row->addWidget(sketch_);
  connect(orientations_, &QButtonGroup::idClicked, this, [this](int id) {
    sketch_->setOrientation(id);
    changed();
  });
  return box;
}

QGroupBox* MapCustomizationDialog::buildPrintFrame() {
  QGroupBox* box = frame("fraPrint", QStringLiteral("Print Options"));
  auto* row = new QHBoxLayout(box);
  auto* print = new QPushButton(QStringLiteral("Print"));
  print->setObjectName(QStringLiteral("cmdPrint"));
  auto* preview = new QPushButton(QStringLiteral("Print Preview"));
  preview->setObjectName(QStringLiteral("cmdPreview"));
  row->addWidget(print);
  row->addWidget(preview);
  row->addStretch();
  connect(print, &QPushButton::clicked, this, [this] { this->print(false); });
  connect(preview, &QPushButton::clicked, this, [this] { this->print(true); });
  return box;
}

QWidget* MapCustomizationDialog::buildExportTab() {
  auto* tab = new QWidget;
  exportFrame_ = frame("fraExport", QStringLiteral("Export to File"));
  exportFrame_->setAcceptDrops(true);
  exportFrame_->installEventFilter(this);
  auto* grid = new QGridLayout(exportFrame_);
  fileName_ = new QLineEdit;
  fileName_->setObjectName(QStringLiteral("txtFileName"));
  fileName_->setPlaceholderText(QStringLiteral("graphTree.jpg"));
  auto* browse = new QPushButton(QStringLiteral("Browse"));
  browse->setObjectName(QStringLiteral("cmdBrowse"));
  auto* exportButton = new QPushButton(QStringLiteral("Export"));
  exportButton->setObjectName(QStringLiteral("cmdExport"));
  auto* hint = new QLabel(QStringLiteral("The picture's format follows the file's extension: %1.\n"
                                         "Drop anything here to put the map's picture on the clipboard.")
                              .arg(graphon::view::pictureFormatList()));
  hint->setWordWrap(true);
  exportStatus_ = new QLabel;
  exportStatus_->setObjectName(QStringLiteral("lblExportStatus"));
  exportStatus_->setWordWrap(true);
  grid->addWidget(new QLabel(QStringLiteral("File name")), 0, 0);
  grid->addWidget(fileName_, 0, 1);
  grid->addWidget(browse, 0, 2);
  grid->addWidget(exportButton, 1, 2);
  grid->addWidget(hint, 1, 0, 1, 2);
  grid->addWidget(exportStatus_, 2, 0, 1, 3);
  connect(browse, &QPushButton::clicked, this, &MapCustomizationDialog::browse);
  connect(exportButton, &QPushButton::clicked, this, &MapCustomizationDialog::exportPicture);
  connect(fileName_, &QLineEdit::returnPressed, this, &MapCustomizationDialog::exportPicture);
  auto* layout = new QVBoxLayout(tab);
  layout->addWidget(exportFrame_);
  layout->addStretch();
  return tab;
}

void MapCustomizationDialog::readMap() {
  reading_ = true;
  const int orientation = map_->Orientation();
  orientations_->button(orientation)->setChecked(true);
  sketch_->setOrientation(orientation);
  if (map_->Nodes().count() > 0) {
    const graphon::Node& root = map_->Nodes().item(1);
    font_ = root.font();
    width_->setValue(root.borderWidth());
    shape_->setCurrentIndex(root.shape());
  } else {
    font_ = map_->Font();
  }
  const QString face = QString::fromStdString(font_.name);
  if (fontName_->findText(face) < 0) fontName_->insertItem(0, face);
  fontName_->setCurrentText(face);
  fontSize_->setCurrentText(QString::number(static_cast<double>(font_.size)));
  fontStyle_->setCurrentIndex(styleIndex(font_));
  reading_ = false;
  fontChanged();
  attributes_->button(NodeFill)->setChecked(true);
  chooseAttribute(NodeFill);
  applyButton_->setEnabled(false);
}

void MapCustomizationDialog::showColor(graphon::Color color) {
  color_ = color;
  for (QAbstractButton* swatch : swatches_->buttons())
    swatch->setChecked(kSwatchColors[static_cast<std::size_t>(swatches_->id(swatch))] == color);
}

void MapCustomizationDialog::chooseAttribute(int attribute) {
  attributes_->button(attribute)->setChecked(true);
  const bool lines = attribute != NodeFill;
  styleFrame_->setVisible(lines);
  lineFrame_->setVisible(lines);
  if (map_->Nodes().count() == 0) return;
  const bool wasReading = reading_;
  reading_ = true;
  const graphon::Node& root = map_->Nodes().item(1);
  if (attribute == NodeFill) {
    showColor(root.fillColor());
  } else if (attribute == NodeOutline) {
    showColor(root.borderColor());
    styles_->button(root.borderStyle())->setChecked(true);
    width_->setValue(root.borderWidth());
  } else if (root.attachedLinks().count() > 0) {
    const graphon::Link& link = root.attachedLinks().item(1);
    showColor(link.color());
    styles_->button(link.style())->setChecked(true);
    width_->setValue(link.width());
  }
  reading_ = wasReading;
}

void MapCustomizationDialog::fontChanged() {
  if (reading_) return;
  font_.name = fontName_->currentText().toStdString();
  bool ok = false;
  const float size = QLocale::c().toFloat(fontSize_->currentText().trimmed(), &ok);
  if (ok && size > 0 && size <= 1000) font_.size = size;
  const int style = fontStyle_->currentIndex();
  font_.bold = style == 2 || style == 3;
  font_.italic = style == 1 || style == 3;
  QFont shown(QString::fromStdString(font_.name));
  shown.setPointSizeF(font_.size);
  shown.setBold(font_.bold);
  shown.setItalic(font_.italic);
  sample_->setFont(shown);
  changed();
}

void MapCustomizationDialog::changed() {
  if (!reading_) applyButton_->setEnabled(true);
}

void MapCustomizationDialog::applyLook() {
  graphon::Diagram& diagram = map_->diagram();
  const int attribute = attributes_->checkedId();
  const int style = std::max(0, styles_->checkedId());
  const int width = width_->value();
  const graphon::RedrawPause pause(diagram);
  for (graphon::Node* node : diagram.selectedNodes()) {
    if (attribute == NodeFill) node->setFillColor(color_);
    if (attribute == NodeOutline) {
      node->setBorderColor(color_);
      node->setBorderStyle(style);
      node->setBorderWidth(width);
    }
    node->setShape(shape_->currentIndex());
    node->setFont(font_);
  }
  if (attribute == LinkColor)
    for (graphon::Link* link : diagram.selectedLinks()) {
      link->setColor(color_);
      link->setStyle(style);
      link->setWidth(width);
    }
}

void MapCustomizationDialog::apply() {
  applyLook();
  map_->Refresh();
  try {
    map_->SetOrientation(orientations_->checkedId());
    map_->Layout();
  } catch (const treelayout::ControlError& e) {
    QMessageBox::warning(this, windowTitle(), QString::fromStdString(e.description()));
  }
  applyButton_->setEnabled(false);
}

// As the map's own Print and Print Preview commands.
void MapCustomizationDialog::print(bool preview) {
  if (preview) map_->PrintPreviewContents();
  else map_->PrintContents();
}

void MapCustomizationDialog::browse() {
  const QString start = fileName_->text().isEmpty() ? QStringLiteral("graphTree.jpg") : fileName_->text();
  const QString chosen = QFileDialog::getSaveFileName(
      this, QStringLiteral("Export the Map"), start,
      QStringLiteral("Pictures (*.jpg *.jpeg *.png *.bmp *.svg *.pdf);;JPEG (*.jpg *.jpeg);;PNG (*.png);;"
                     "SVG (*.svg);;PDF (*.pdf);;Bitmap (*.bmp)"));
  if (!chosen.isEmpty()) fileName_->setText(chosen);
}

bool MapCustomizationDialog::exportPicture() {
  const QString name = fileName_->text().trimmed();
  if (name.isEmpty()) {
    QMessageBox::warning(this, windowTitle(), QStringLiteral("Enter the name of the file to export the map to."));
    fileName_->setFocus();
    return false;
  }
  try {
    map_->SaveImage(0, 0, name);
  } catch (const graphon::view::DiagramFileError& e) {
    QMessageBox::warning(this, windowTitle(), QString::fromStdString(e.what()));
    exportStatus_->clear();
    return false;
  }
  exportStatus_->setText(QStringLiteral("The map was exported to %1.").arg(name));
  return true;
}

bool MapCustomizationDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == exportFrame_ && event->type() == QEvent::DragEnter) {
    static_cast<QDragEnterEvent*>(event)->acceptProposedAction();
    return true;
  }
  if (watched == exportFrame_ && event->type() == QEvent::Drop) {
    static_cast<QDropEvent*>(event)->acceptProposedAction();
    map_->CopyContents();
    exportStatus_->setText(QStringLiteral("The map's picture is on the clipboard."));
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace orlix::display
