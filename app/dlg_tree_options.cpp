#include "app/dlg_tree_options.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QStyle>
#include <QTabWidget>
#include <QVBoxLayout>
#include <cmath>

#include "app/app_state.h"
#include "app/browser_control.h"
#include "app/orl_list_box.h"
#include "platform/ado/recordset.h"
#include "project/project_files.h"

namespace orlix::app {

namespace {

struct OutputRowText {
  const char* check;
  const char* caption;
  const char* tip;
  const char* text;
  const char* initial;
  const char* extension;
  const char* window;  // the result window whose output the row names
};

constexpr OutputRowText kOutputRows[kOutputRowCount] = {
    {"chkTreeDisplay", "Graphical Tree", "Graphical Tree Display", "txtTreeDisplay", "graphTree.jpg", ".jpg",
     "frmTreeDisplay"},
    {"chkTreeList", "Node Rules", "Raw Rules for each node", "txtTreeList", "rules.csv", ".csv", "frmTreeList"},
    {"chkCode", "Scoring Code", "Scoring Code", "txtCode", "scoring.txt", ".txt", "frmCode"},
    {"chkRules", "Terminal Summary", "Summray of each terminal node", "txtRules", "summary.txt", ".txt", "frmRules"},
    {"chkDescrip", "Descriptives", "Calculated Descriptive Statistics", "txtDescrip", "descriptives.csv", ".csv",
     "frmDescrip"},
    {"chkRawD", "Raw Data", "Raw Input Data", "txtRawD", "rawdata.csv", ".csv", "frmRawD"},
};

constexpr const char* kLabel4 =
    "Use the variable selection list to check all variables you want to use in the tree model.  Any variables not "
    "checked will be excluded from consideration in the model.";
constexpr const char* kLabel5 =
    "Use the drop down menu to select a field you wish to use as a target variable (the variable you wish to "
    "predict)";
const QString kFolderTitle = QStringLiteral("Project Directory");

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
  connect(ok_, &QPushButton::clicked, this, [this] {
    if (acceptOptions()) accept();
  });
  // Cancel only hides the dialog: what was typed stays in the controls.
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
  centerOnScreen();
}

QLabel* DlgTreeOptions::makeLabel(int number, const QString& text, QWidget* page) {
  auto* label = new QLabel(text, page);
  label->setObjectName(QStringLiteral("Label%1").arg(number));
  labels_[number - 1] = label;
  return label;
}

QWidget* DlgTreeOptions::buildConstructionTab() {
  auto* page = new QWidget;
  variables_ = new OrlListBox(page);
  variables_->setObjectName(QStringLiteral("lstVarSelection"));
  variables_->setMinimumSize(220, 260);
  target_ = new QComboBox(page);
  target_->setObjectName(QStringLiteral("cmbTarget"));
  target_->setToolTip(QStringLiteral("Field you wish to predict using the model"));
  // A target may be typed, and a project may name one the data lacks: the run reports it.
  target_->setEditable(true);
  target_->setInsertPolicy(QComboBox::NoInsert);
  target_->setMinimumWidth(220);
  minimumN_ = new QLineEdit(QStringLiteral("25"), page);
  minimumN_->setObjectName(QStringLiteral("Text1"));
  minimumN_->setToolTip(QStringLiteral("Max. Records Per Branch"));
  minimumN_->setMaximumWidth(90);
  spinner_ = new QSpinBox(page);
  spinner_->setObjectName(QStringLiteral("UpDown1"));
  spinner_->setRange(0, 100);
  spinner_->setValue(25);
  // Only the arrows show: Text1 beside them is where the number is read and typed.
  if (auto* own = spinner_->findChild<QLineEdit*>()) own->setVisible(false);
  spinner_->setFixedWidth(spinner_->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 8);
  spinner_->setFocusPolicy(Qt::NoFocus);
  spinner_->setAccessibleName(QStringLiteral("Max. Records Per Branch up or down"));
  connect(spinner_, &QSpinBox::valueChanged, minimumN_, [this](int value) {
    if (minimumN_->text() != QString::number(value)) minimumN_->setText(QString::number(value));
  });
  connect(minimumN_, &QLineEdit::textEdited, this, &DlgTreeOptions::minimumNEdited);

  auto* label4 = makeLabel(4, QString::fromLatin1(kLabel4), page);
  auto* label5 = makeLabel(5, QString::fromLatin1(kLabel5), page);
  for (QLabel* help : {label4, label5}) {
    help->setWordWrap(true);
    help->setMinimumWidth(260);
  }
  auto* number = new QHBoxLayout;
  number->setSpacing(1);
  number->addWidget(minimumN_);
  number->addWidget(spinner_);
  number->addStretch();

  auto* right = new QVBoxLayout;
  right->addWidget(makeLabel(2, QStringLiteral("Target Variable"), page));
  right->addWidget(target_);
  right->addWidget(label5);
  right->addSpacing(12);
  right->addWidget(makeLabel(3, QStringLiteral("Max. Records Per Branch"), page));
  right->addLayout(number);
  right->addSpacing(12);
  right->addWidget(label4);
  right->addStretch();

  auto* left = new QVBoxLayout;
  left->addWidget(makeLabel(1, QStringLiteral("Variable Selection"), page));
  left->addWidget(variables_, 1);

  auto* columns = new QHBoxLayout(page);
  columns->addLayout(left, 1);
  columns->addSpacing(12);
  columns->addLayout(right, 1);
  return page;
}

QWidget* DlgTreeOptions::buildProjectTab() {
  auto* page = new QWidget;
  folder_ = new QLineEdit(page);
  folder_->setObjectName(QStringLiteral("Text2"));
  folder_->setMinimumWidth(320);
  browse_ = new QPushButton(QStringLiteral("Browse"), page);
  browse_->setObjectName(QStringLiteral("cmdBrowse"));
  browser_ = new BrowserControl(page);
  connect(browse_, &QPushButton::clicked, this, &DlgTreeOptions::browse);

  auto* frame = new QGroupBox(QStringLiteral("File Name Options"), page);
  frame->setObjectName(QStringLiteral("Frame1"));
  auto* rows = new QGridLayout(frame);
  rows->setColumnStretch(1, 1);
  for (int i = 0; i < kOutputRowCount; ++i) {
    const OutputRowText& row = kOutputRows[i];
    checks_[i] = new QCheckBox(QString::fromLatin1(row.caption), frame);
    checks_[i]->setObjectName(QString::fromLatin1(row.check));
    checks_[i]->setToolTip(QString::fromLatin1(row.tip));
    texts_[i] = new QLineEdit(QString::fromLatin1(row.initial), frame);
    texts_[i]->setObjectName(QString::fromLatin1(row.text));
    texts_[i]->setAccessibleName(QString::fromLatin1(row.caption));
    texts_[i]->setEnabled(false);
    connect(checks_[i], &QCheckBox::toggled, texts_[i], &QWidget::setEnabled);
    connect(texts_[i], &QLineEdit::textChanged, this, [this, i] { enforceExtension(i); });
    rows->addWidget(checks_[i], i, 0);
    rows->addWidget(texts_[i], i, 1);
  }

  auto* folderRow = new QHBoxLayout;
  folderRow->addWidget(folder_, 1);
  folderRow->addWidget(browse_);
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(makeLabel(6, QStringLiteral("Identify the project directory"), page));
  layout->addLayout(folderRow);
  layout->addSpacing(8);
  layout->addWidget(frame);
  layout->addStretch();
  return page;
}

void DlgTreeOptions::centerOnScreen() {
  adjustSize();
  const QScreen* screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  const QRect area = screen->geometry();
  move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
}

QString DlgTreeOptions::outputExtension(OutputRow row) {
  return QString::fromLatin1(kOutputRows[static_cast<int>(row)].extension);
}

QString DlgTreeOptions::outputCaption(OutputRow row) {
  return QString::fromLatin1(kOutputRows[static_cast<int>(row)].caption);
}

std::optional<OutputRow> DlgTreeOptions::outputRowOfWindow(const QString& windowName) {
  for (int i = 0; i < kOutputRowCount; ++i)
    if (windowName == QLatin1String(kOutputRows[i].window)) return static_cast<OutputRow>(i);
  return std::nullopt;
}

QString DlgTreeOptions::withExtension(const QString& text, const QString& extension) {
  return text.toLower().contains(extension) ? text : text + extension;
}

void DlgTreeOptions::enforceExtension(int row) {
  QLineEdit* box = texts_[row];
  const QString enforced = withExtension(box->text(), QString::fromLatin1(kOutputRows[row].extension));
  if (enforced == box->text()) return;
  const int cursor = box->cursorPosition();
  box->setText(enforced);  // changes again, and then holds its extension
  box->setCursorPosition(cursor);  // typing goes on before the extension
}

void DlgTreeOptions::minimumNEdited(const QString& text) {
  bool whole = false;
  const int value = text.trimmed().toInt(&whole);
  if (!whole || value < spinner_->minimum() || value > spinner_->maximum()) return;
  const QSignalBlocker quiet(spinner_);  // the typed text stays as typed
  spinner_->setValue(value);
}

void DlgTreeOptions::browse() {
  browser_->setDialogCaption(QStringLiteral("Select Folder"));
  browser_->setStartFolderName(folder_->text().trimmed());
  const QString chosen = browser_->Browse_Folder();
  if (!chosen.isEmpty()) folder_->setText(QDir::toNativeSeparators(chosen));
}

bool DlgTreeOptions::Load_Lists() {
  ++listLoads_;
  variables_->Clear();
  target_->clear();
  if (state_.gRawData) {
    const ado::Fields& fields = state_.gRawData->Fields();
    for (long i = 0; i < fields.Count(); ++i) {
      const QString name = QString::fromStdString(fields.Item(i).Name());
      variables_->AddItem(name);
      target_->addItem(name);
    }
  }
  if (target_->count() > 0) target_->setCurrentIndex(0);
  const int gridRows = rawGridRows_ ? rawGridRows_() : -1;
  const double rows = static_cast<double>(gridRows >= 0 ? gridRows : rawRecordRows());
  spinner_->setRange(0, roundHalfEven(0.9 * rows));
  spinner_->setValue(roundHalfEven(0.1 * rows));
  minimumN_->setText(QString::number(spinner_->value()));
  return true;
}

int DlgTreeOptions::rawRecordRows() const {
  // The grid counts its heading row above the records.
  return static_cast<int>((state_.gRawData ? state_.gRawData->RecordCount() : 0) + 1);
}

void DlgTreeOptions::prepareForViewOptions() {
  tabs_->setTabEnabled(0, true);
  tabs_->setTabEnabled(1, false);
  tabs_->setCurrentIndex(0);
  for (QCheckBox* check : checks_) check->setVisible(false);
}

void DlgTreeOptions::prepareForProperties() {
  tabs_->setTabEnabled(0, true);
  tabs_->setTabEnabled(1, true);
}

void DlgTreeOptions::prepareForSaveAs(const QString& activeWindowName) {
  tabs_->setTabEnabled(1, true);
  tabs_->setTabEnabled(0, false);
  tabs_->setCurrentIndex(1);
  for (int i = 0; i < kOutputRowCount; ++i) {
    checks_[i]->setVisible(false);
    texts_[i]->setEnabled(false);
  }
  if (const std::optional<OutputRow> row = outputRowOfWindow(activeWindowName))
    checks_[static_cast<int>(*row)]->setVisible(true);
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

void DlgTreeOptions::checkVariables(const QStringList& names) {
  for (int i = 0; i < variables_->ListCount(); ++i)
    if (names.contains(variables_->List(i))) variables_->setSelected(i, true);
}

QString DlgTreeOptions::outputNameProblem() const {
  for (int i = 0; i < kOutputRowCount; ++i) {
    const std::string problem = project::outputNameProblem(texts_[i]->text().toStdString());
    if (!problem.empty())
      return QStringLiteral("The %1 file name \"%2\" %3. Give a plain file name: the file is kept in the project folder.")
          .arg(QString::fromLatin1(kOutputRows[i].caption), texts_[i]->text(), QString::fromStdString(problem));
  }
  return {};
}

bool DlgTreeOptions::checkFolder() {
  const QString path = folder_->text().trimmed();
  if (path.isEmpty()) {
    QMessageBox::information(this, kFolderTitle, QStringLiteral("No folder selected."), QMessageBox::Ok);
    return false;
  }
  if (QDir(path).exists()) return true;
  if (QMessageBox::question(this, kFolderTitle, QStringLiteral("Folder : ") + path + QStringLiteral("\r") +
                                                    QStringLiteral("Create it?"),
                            QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok) != QMessageBox::Ok)
    return false;
  if (QDir().mkdir(path)) return true;  // one level: a missing parent is the user's to choose
  QMessageBox::warning(this, kFolderTitle,
                       QStringLiteral("The folder %1 could not be created. Check that its parent folder exists and "
                                      "that you may write there.")
                           .arg(QDir::toNativeSeparators(path)));
  return false;
}

bool DlgTreeOptions::acceptOptions() {
  if (const QString problem = outputNameProblem(); !problem.isEmpty()) {
    QMessageBox::warning(this, windowTitle(), problem);
    return false;
  }
  if (tabs_->isTabEnabled(1) && !checkFolder()) return false;
  const QString path = folder_->text().trimmed();
  if (!path.isEmpty()) state_.gProjectDir = path.toStdString();
  return true;
}

}  // namespace orlix::app
