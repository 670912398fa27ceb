#include "display/printing/dlg_page_setups.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <cmath>
#include <functional>

#include "diagramprint/control_error.h"
#include "diagramprint/pagrix_ctrl.h"
#include "display/printing/margin_sketch.h"
#include "display/printing/printer_choice.h"
#include "display/printing/up_down.h"

namespace orlix::display {

using diagramprint::ControlError;
using diagramprint::PagrixCtrl;

QString inchesText(double twips) { return QLocale::c().toString(twips / 1440.0, 'g', 6); }

dlgPageSetups::dlgPageSetups(PagrixCtrl& control, QWidget* parent)
    : QDialog(parent),
      control_(control),
      printer_(control.printerSelection()),
      picPage_(new MarginSketch(this)),
      lblPrinter_(new QLabel(this)) {
  setObjectName(QStringLiteral("dlgPageSetups"));
  setWindowTitle(tr("Page Setup"));

  const float values[] = {control.MarginTop(), control.MarginLeft(), control.MarginRight(),
                          control.MarginBottom()};
  const char* names[] = {"Top", "Left", "Right", "Bottom"};
  auto* form = new QFormLayout;
  for (size_t i = 0; i < margins_.size(); ++i) {
    auto* box = new QLineEdit(this);
    box->setObjectName(QStringLiteral("txt%1").arg(QLatin1String(names[i])));
    box->setText(inchesText(values[i]));
    box->setMaximumWidth(80);
    auto* upDown = new UpDown(this);
    upDown->setObjectName(QStringLiteral("upd%1").arg(QLatin1String(names[i])));
    upDown->setRange(-100, 100);
    // The up-down steps from the margin shown, in tenths of an inch.
    upDown->setValue(static_cast<int>(std::lround(values[i] / 144.0)));
    margins_[i] = {names[i], box, upDown};
    connect(upDown, &UpDown::valueChanged, this, [box](int tenths) {
      box->setText(QLocale::c().toString(tenths / 10.0, 'g', 6));
    });
    connect(box, &QLineEdit::textEdited, this, [this, i] {
      if (const auto value = inches(margins_[i])) {
        const QSignalBlocker blocker(margins_[i].upDown);
        margins_[i].upDown->setValue(static_cast<int>(std::lround(*value * 10)));
      }
    });
    connect(box, &QLineEdit::textChanged, this, &dlgPageSetups::redrawSketch);
    auto* row = new QHBoxLayout;
    row->addWidget(box);
    row->addWidget(upDown);
    row->addStretch();
    form->addRow(tr("%1:").arg(tr(names[i])), row);
  }

  auto* marginBox = new QGroupBox(tr("Margins (inches)"), this);
  auto* marginLayout = new QHBoxLayout(marginBox);
  marginLayout->addLayout(form);
  picPage_->setObjectName(QStringLiteral("picPage"));
  picPage_->setPage(control.pageSizeTwips());
  marginLayout->addWidget(picPage_);

  lblPrinter_->setObjectName(QStringLiteral("lblPrinter"));
  auto* cmdBrowse = new QPushButton(tr("&Browse..."), this);
  cmdBrowse->setObjectName(QStringLiteral("cmdBrowse"));
  connect(cmdBrowse, &QPushButton::clicked, this, &dlgPageSetups::browse);
  auto* printerRow = new QHBoxLayout;
  printerRow->addWidget(new QLabel(tr("Printer:"), this));
  printerRow->addWidget(lblPrinter_, 1);
  printerRow->addWidget(cmdBrowse);

  auto* buttons = new QDialogButtonBox(this);
  QPushButton* cmdOK = buttons->addButton(tr("Apply"), QDialogButtonBox::AcceptRole);
  cmdOK->setObjectName(QStringLiteral("cmdOK"));
  cmdOK->setDefault(true);
  QPushButton* cmdCancel = buttons->addButton(tr("Cancel"), QDialogButtonBox::RejectRole);
  cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
  connect(cmdOK, &QPushButton::clicked, this, [this] {
    if (apply()) accept();
  });
  connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(printerRow);
  layout->addWidget(marginBox);
  layout->addWidget(buttons);
  showPrinter();
  redrawSketch();
}

std::optional<double> dlgPageSetups::inches(const Margin& margin) const {
  QString text = margin.box->text().trimmed();
  // A decimal comma is read as the point the boxes show.
  text.replace(QLatin1Char(','), QLatin1Char('.'));
  bool ok = false;
  const double value = QLocale::c().toDouble(text, &ok);
  if (!ok || !std::isfinite(value)) return std::nullopt;
  return value;
}

void dlgPageSetups::redrawSketch() {
  int twips[4];
  for (size_t i = 0; i < margins_.size(); ++i) {
    const auto value = inches(margins_[i]);
    twips[i] = value ? static_cast<int>(std::clamp(*value * 1440, -1e6, 1e6)) : 0;
  }
  picPage_->setMargins(twips[1], twips[0], twips[2], twips[3]);
}

void dlgPageSetups::showPrinter() { lblPrinter_->setText(printerLabel(printer_)); }

void dlgPageSetups::browse() {
  if (choosePrinter(this, printer_)) showPrinter();
}

bool dlgPageSetups::apply() {
  float twips[4];
  for (size_t i = 0; i < margins_.size(); ++i) {
    const auto value = inches(margins_[i]);
    if (!value) {
      QMessageBox::warning(this, windowTitle(),
                           tr("The %1 margin \"%2\" is not a number of inches.")
                               .arg(tr(margins_[i].name).toLower(), margins_[i].box->text()));
      margins_[i].box->setFocus();
      return false;
    }
    twips[i] = static_cast<float>(*value * 1440);
  }
  // Refused margins leave the control as it was: keep the old ones to restore.
  const float before[] = {control_.MarginTop(), control_.MarginLeft(), control_.MarginRight(),
                          control_.MarginBottom()};
  const std::array<std::function<void(float)>, 4> setters = {
      [this](float v) { control_.SetMarginTop(v); }, [this](float v) { control_.SetMarginLeft(v); },
      [this](float v) { control_.SetMarginRight(v); }, [this](float v) { control_.SetMarginBottom(v); }};
  for (size_t i = 0; i < margins_.size(); ++i) {
    try {
      setters[i](twips[i]);
    } catch (const ControlError& e) {
      for (size_t j = 0; j < i; ++j) setters[j](before[j]);
      QMessageBox::warning(this, windowTitle(),
                           tr("The %1 margin cannot be %2 inches.\n%3")
                               .arg(tr(margins_[i].name).toLower(), margins_[i].box->text(),
                                    QString::fromStdString(e.description())));
      margins_[i].box->setFocus();
      return false;
    }
  }
  control_.SetPrinterName(printer_.printerName);
  control_.SetOutputFileName(printer_.pdfFile);
  // Setting the zoom to itself redraws the preview.
  control_.SetZoom(control_.Zoom());
  return true;
}

}  // namespace orlix::display
