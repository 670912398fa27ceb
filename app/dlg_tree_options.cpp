#include "app/dlg_tree_options.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>
#include <cmath>

#include "app/app_state.h"
#include "app/orl_list_box.h"
#include "platform/ado/recordset.h"

namespace orlix::app {

namespace {

struct OutputRowText {
  const char* check;
  const char* caption;
  const char* tip;
  const char* text;
  const char* initial;
};

constexpr OutputRowText kOutputRows[kOutputRowCount] = {
    {"chkTreeDisplay", "Graphical Tree", "Graphical Tree Display", "txtTreeDisplay", "graphTree.jpg"},
    {"chkTreeList", "Node Rules", "Raw Rules for each node", "txtTreeList", "rules.csv"},
    {"chkCode", "Scoring Code", "Scoring Code", "txtCode", "scoring.txt"},
    {"chkRules", "Terminal Summary", "Summray of each terminal node", "txtRules", "summary.txt"},
    {"chkDescrip", "Descriptives", "Calculated Descriptive Statistics", "txtDescrip", "descriptives.csv"},
    {"chkRawD", "Raw Data", "Raw Input Data", "txtRawD", "rawdata.csv"},
};

// Halves go to the even neighbour (std::nearbyint in the default rounding mode).
int roundHalfEven(double value) { return static_cast<int>(std::nearbyint(value)); }

}  // namespace

DlgTreeOptions::DlgTreeOptions(AppState& state, QWidget* parent) : QDialog(parent), state_(state) {
  setObjectName(QStringLiteral("dlgTreeOptions"));
  setWindowTitle(QStringLiteral("Tree Options"));
  tabs_ = new QTabWidget(this);
  tabs_->setObjectName(QStringLiteral("SSTab1"));
  tabs_->addTab(buildConstructionTab(), QStringLiteral("Tree Construction Options"));
  tabs_->addTab(buildProjectTab(), QStringLiteral("Project Properties"));
  ok_ = new QPushButton(QStringLiteral("OK"), this);
  ok_->setObjectName(QStringLiteral("OKButton"));
  ok_->setDefault(true);
  cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
  cancel_->setObjectName(QStringLiteral("CancelButton"));
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok_);
  buttons->addWidget(cancel_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tabs_);
  layout->addLayout(buttons);
  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
}

QWidget* DlgTreeOptions::buildConstructionTab() {
  auto* page = new QWidget;
  variables_ = new OrlListBox(page);
  variables_->setObjectName(QStringLiteral("lstVarSelection"));
  target_ = new QComboBox(page);
  target_->setObjectName(QStringLiteral("cmbTarget"));
  target_->setToolTip(QStringLiteral("Field you wish to predict using the model"));
  minimumN_ = new QLineEdit(QStringLiteral("25"), page);
  minimumN_->setObjectName(QStringLiteral("Text1"));
  minimumN_->setToolTip(QStringLiteral("Max. Records Per Branch"));
  spinner_ = new QSpinBox(page);
  spinner_->setObjectName(QStringLiteral("UpDown1"));
  connect(spinner_, &QSpinBox::valueChanged, minimumN_, [this](int value) { minimumN_->setText(QString::number(value)); });
  auto* grid = new QGridLayout(page);
  grid->addWidget(new QLabel(QStringLiteral("Variable Selection"), page), 0, 0);
  grid->addWidget(variables_, 1, 0, 5, 1);
  grid->addWidget(new QLabel(QStringLiteral("Target Variable"), page), 0, 1);
  grid->addWidget(target_, 1, 1);
  grid->addWidget(new QLabel(QStringLiteral("Max. Records Per Branch"), page), 2, 1);
  grid->addWidget(minimumN_, 3, 1);
  grid->addWidget(spinner_, 3, 2);
  return page;
}

QWidget* DlgTreeOptions::buildProjectTab() {
  auto* page = new QWidget;
  folder_ = new QLineEdit(page);
  folder_->setObjectName(QStringLiteral("Text2"));
  browse_ = new QPushButton(QStringLiteral("Browse"), page);
  browse_->setObjectName(QStringLiteral("cmdBrowse"));
  auto* grid = new QGridLayout(page);
  grid->addWidget(new QLabel(QStringLiteral("Identify the project directory"), page), 0, 0, 1, 2);
  grid->addWidget(folder_, 1, 0);
  grid->addWidget(browse_, 1, 1);
  for (int i = 0; i < kOutputRowCount; ++i) {
    const OutputRowText& row = kOutputRows[i];
    checks_[i] = new QCheckBox(QString::fromLatin1(row.caption), page);
    checks_[i]->setObjectName(QString::fromLatin1(row.check));
    checks_[i]->setToolTip(QString::fromLatin1(row.tip));
    texts_[i] = new QLineEdit(QString::fromLatin1(row.initial), page);
    texts_[i]->setObjectName(QString::fromLatin1(row.text));
    texts_[i]->setEnabled(false);
    connect(checks_[i], &QCheckBox::toggled, texts_[i], &QWidget::setEnabled);
    grid->addWidget(checks_[i], 2 + i, 0);
    grid->addWidget(texts_[i], 2 + i, 1);
  }
  return page;
}

bool DlgTreeOptions::Load_Lists() {
  ++listLoads_;
  variables_->Clear();
  target_->clear();
  long records = 0;
  if (state_.gRawData) {
    const ado::Fields& fields = state_.gRawData->Fields();
    for (long i = 0; i < fields.Count(); ++i) {
      const QString name = QString::fromStdString(fields.Item(i).Name());
      variables_->AddItem(name);
      target_->addItem(name);
    }
    records = state_.gRawData->RecordCount();
  }
  if (target_->count() > 0) target_->setCurrentIndex(0);
  const double rows = static_cast<double>(records + 1);  // the grid counts its heading row
  spinner_->setRange(0, roundHalfEven(0.9 * rows));
  spinner_->setValue(roundHalfEven(0.1 * rows));
  minimumN_->setText(QString::number(spinner_->value()));
  return true;
}

void DlgTreeOptions::prepareForViewOptions() {
  tabs_->setTabEnabled(1, false);
  tabs_->setCurrentIndex(0);
  for (QCheckBox* check : checks_) check->setVisible(false);
}

void DlgTreeOptions::prepareForProperties() {
  tabs_->setTabEnabled(0, true);
  tabs_->setTabEnabled(1, true);
}

void DlgTreeOptions::prepareForSaveAs(const QString& activeWindowName) {
  static const char* const kWindows[kOutputRowCount] = {"frmTreeDisplay", "frmTreeList", "frmCode",
                                                        "frmRules",       "frmDescrip",  "frmRawD"};
  tabs_->setTabEnabled(1, true);
  tabs_->setTabEnabled(0, false);
  tabs_->setCurrentIndex(1);
  for (int i = 0; i < kOutputRowCount; ++i) {
    checks_[i]->setVisible(activeWindowName == QLatin1String(kWindows[i]));
    texts_[i]->setEnabled(false);
  }
}

void DlgTreeOptions::checkAllOutputs() {
  for (QCheckBox* check : checks_) {
    check->setVisible(true);
    check->setChecked(true);
  }
}

QStringList DlgTreeOptions::checkedVariables() const {
  QStringList names;
  for (int i = 0; i < variables_->ListCount(); ++i)
    if (variables_->Selected(i)) names << variables_->List(i);
  return names;
}

}  // namespace orlix::app
