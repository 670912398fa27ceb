#include "treelayout/page/tierio_prop_page.h"

#include <cmath>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "treelayout/control_error.h"
#include "treelayout/tierio_ids.h"

namespace orlix::treelayout {
namespace {

QString singleText(float value) { return QString::number(static_cast<double>(value), 'g', 9); }

}  // namespace

TierioPropPage::TierioPropPage(TierioCtrl& control, QWidget* parent)
    : QWidget(parent),
      control_(&control),
      orientation_(new QComboBox(this)),
      layerDistance_(new QLineEdit(this)),
      vertexDistance_(new QLineEdit(this)) {
  setObjectName(QStringLiteral("General"));
  setWindowTitle(QStringLiteral("General"));
  orientation_->setObjectName(QStringLiteral("cboOrientation"));
  layerDistance_->setObjectName(QStringLiteral("txtLayerDistance"));
  vertexDistance_->setObjectName(QStringLiteral("txtVertexDistance"));
  for (const char* entry : TierioCtrl::OrientationEntries()) orientation_->addItem(QLatin1String(entry));
  auto* form = new QFormLayout(this);
  form->addRow(QStringLiteral("Orientation"), orientation_);
  form->addRow(QStringLiteral("LayerDistance"), layerDistance_);
  form->addRow(QStringLiteral("VertexDistance"), vertexDistance_);
  load();
  connect(orientation_, &QComboBox::currentIndexChanged, this, &TierioPropPage::markDirty);
  connect(layerDistance_, &QLineEdit::textEdited, this, &TierioPropPage::markDirty);
  connect(vertexDistance_, &QLineEdit::textEdited, this, &TierioPropPage::markDirty);
}

void TierioPropPage::load() {
  orientation_->setCurrentIndex(control_->Orientation());
  layerDistance_->setText(singleText(control_->LayerDistance()));
  vertexDistance_->setText(singleText(control_->VertexDistance()));
  dirty_ = false;
}

void TierioPropPage::markDirty() {
  dirty_ = true;
  emit changed();
}

bool TierioPropPage::apply() {
  bool ok = false;
  const QString layerText = layerDistance_->text().trimmed();
  const QString vertexText = vertexDistance_->text().trimmed();
  float layer = QLocale::c().toFloat(layerText, &ok);
  if (!ok) layer = QLocale().toFloat(layerText, &ok);  // the user's own notation too
  QLineEdit* bad = ok ? nullptr : layerDistance_;
  float vertex = 0;
  if (ok) {
    vertex = QLocale::c().toFloat(vertexText, &ok);
    if (!ok) vertex = QLocale().toFloat(vertexText, &ok);
    if (!ok) bad = vertexDistance_;
  }
  if (bad) {
    QMessageBox::warning(this, QStringLiteral("General"),
                         QStringLiteral("%1: \"%2\" is not a number.").arg(bad == layerDistance_
                                                                               ? QStringLiteral("LayerDistance")
                                                                               : QStringLiteral("VertexDistance"),
                                                                           bad->text()));
    bad->setFocus();
    return false;
  }
  const LayoutSettings before = control_->settings();
  try {
    control_->SetLayerDistance(layer);
    control_->SetVertexDistance(vertex);
    control_->SetOrientation(orientation_->currentIndex());
  } catch (const ControlError& e) {
    // Put back what was taken before the refusal: all or nothing.
    control_->SetLayerDistance(static_cast<float>(before.layerDistance));
    control_->SetVertexDistance(static_cast<float>(before.vertexDistance));
    QMessageBox::warning(this, QStringLiteral("General"), QString::fromStdString(e.description()));
    return false;
  }
  load();
  return true;
}

bool DisplayPropertyPage(TierioCtrl& control, QWidget* owner) {
  QDialog dialog(owner);
  dialog.setObjectName(QStringLiteral("TierioPropPage"));
  dialog.setWindowTitle(QStringLiteral("Tree Layout Control Properties"));
  auto* tabs = new QTabWidget(&dialog);
  auto* page = new TierioPropPage(control, tabs);
  tabs->addTab(page, QStringLiteral("General"));
  auto* buttons =
      new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Apply, &dialog);
  QPushButton* applyButton = buttons->button(QDialogButtonBox::Apply);
  applyButton->setEnabled(false);
  bool applied = false;
  QObject::connect(page, &TierioPropPage::changed, applyButton, [applyButton] { applyButton->setEnabled(true); });
  QObject::connect(applyButton, &QPushButton::clicked, &dialog, [&] {
    if (page->apply()) {
      applied = true;
      applyButton->setEnabled(false);
    }
  });
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, [&] {
    if (!page->isDirty()) {
      dialog.accept();
    } else if (page->apply()) {
      applied = true;
      dialog.accept();
    }
  });
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(tabs);
  layout->addWidget(buttons);
  dialog.exec();
  return applied;
}

void AboutBox(QWidget* owner) {
  QMessageBox::about(owner, QStringLiteral("About the Tree Layout Control"),
                     QStringLiteral("<b>Tree Layout Control</b> (%1)<br>Version 1.0<br><br>"
                                    "Lays the nodes of a tree diagram out in layers, in one of four "
                                    "orientations: North, East, South or West.")
                         .arg(QLatin1String(kProgId)));
}

}  // namespace orlix::treelayout
