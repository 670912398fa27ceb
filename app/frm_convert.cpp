#include "app/frm_convert.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

#include "app/app_state.h"
#include "app/convert_data.h"
#include "project/data_source.h"

namespace orlix::app {

namespace {

QLabel* captionFor(const char* name, const QString& text, QWidget* field, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setWordWrap(true);
  label->setBuddy(field);
  field->setAccessibleName(text);
  return label;
}

bool hasTables(int format) { return format >= 0 && project::formatInfo(format).hasTables; }

}  // namespace

QStringList dataFileFilters() {
  return {
      QStringLiteral("All Database Formats (*.dbf *.xls *.xlsx *.mdb *.htm *.html *.txt *.csv *.sqlite *.db)"),
      QStringLiteral("dBase Files (*.dbf)"),
      QStringLiteral("Access Files (*.mdb)"),
      QStringLiteral("Excel Files (*.xls *.xlsx)"),
      QStringLiteral("HTML Files (*.htm *.html)"),
      QStringLiteral("Text Files (*.txt)"),
      QStringLiteral("Comma Separated Files (*.csv)"),
      QStringLiteral("SQLite Databases (*.sqlite *.db)"),
      QStringLiteral("All Files (*)"),
  };
}

FrmConvert::FrmConvert(AppState& state, QWidget* parent) : QDialog(parent), state_(state) {
  setObjectName(QStringLiteral("frmConvert"));
  setWindowTitle(QStringLiteral("Data Import"));

  auto* frame = new QGroupBox(QStringLiteral("Existing Database"), this);
  frame->setObjectName(QStringLiteral("fmeDBFormat"));
  txtFN_ = new QLineEdit(frame);
  txtFN_->setObjectName(QStringLiteral("txtFN"));
  txtFN_->installEventFilter(this);
  auto* select = new QPushButton(QStringLiteral("Select"), frame);
  select->setObjectName(QStringLiteral("cmdSelect"));
  cboFormat_ = new QComboBox(frame);
  cboFormat_->setObjectName(QStringLiteral("cboFormat"));
  cboTable_ = new QComboBox(frame);
  cboTable_->setObjectName(QStringLiteral("cboTable"));
  cboTable_->setEditable(true);
  cboTable_->setInsertPolicy(QComboBox::NoInsert);
  QLabel* lblFN = captionFor(
      "lblFN", QStringLiteral("File Name (name of the existing database to be used in the modeling process):"), txtFN_,
      frame);
  QLabel* lblFormat = captionFor(
      "lblFormat",
      QStringLiteral("Database Format (the database format will automatically be determined from the selected file):"),
      cboFormat_, frame);
  lblTable_ = captionFor(
      "lblTable",
      QStringLiteral("Table Name (if the database format supports table names, select it from the list):"), cboTable_,
      frame);

  auto* grid = new QGridLayout(frame);
  grid->addWidget(lblFN, 0, 0, 1, 2);
  grid->addWidget(txtFN_, 1, 0);
  grid->addWidget(select, 1, 1);
  grid->addWidget(lblFormat, 2, 0, 1, 2);
  grid->addWidget(cboFormat_, 3, 0);
  grid->addWidget(lblTable_, 4, 0, 1, 2);
  grid->addWidget(cboTable_, 5, 0);
  grid->setColumnStretch(0, 1);
  grid->setRowMinimumHeight(2, lblFormat->sizeHint().height() + 6);
  grid->setRowMinimumHeight(4, lblTable_->sizeHint().height() + 6);

  auto* ok = new QPushButton(QStringLiteral("&OK"), this);
  ok->setObjectName(QStringLiteral("cmdConvert"));
  ok->setDefault(true);
  auto* exit = new QPushButton(QStringLiteral("Exit"), this);
  exit->setObjectName(QStringLiteral("cmdClose"));
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(exit);

  auto* helpLine = new QStatusBar(this);
  helpLine->setObjectName(QStringLiteral("HelpLine"));
  helpLine->setSizeGripEnabled(false);
  hint_ = new QLabel(helpLine);
  hint_->setObjectName(QStringLiteral("HelpLinePanel1"));
  hint_->setAccessibleName(QStringLiteral("HelpLine"));
  helpLine->addWidget(hint_, 1);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(frame);
  layout->addLayout(buttons);
  layout->addWidget(helpLine);
  layout->setContentsMargins(9, 9, 9, 0);
  setMinimumWidth(600);

  for (int format = 0; format < project::kFormatCount; ++format)
    cboFormat_->addItem(QString::fromLatin1(project::formatInfo(format).caption));
  cboFormat_->setCurrentIndex(-1);  // no format until the file or the user names one
  cboTable_->setEnabled(false);
  lblTable_->setEnabled(false);
  setHint(QStringLiteral("Select the DB(s) to convert..."));

  connect(select, &QPushButton::clicked, this, &FrmConvert::selectFile);
  connect(ok, &QPushButton::clicked, this, &FrmConvert::convert);
  connect(exit, &QPushButton::clicked, this, &QDialog::reject);
  connect(txtFN_, &QLineEdit::textChanged, this, &FrmConvert::fileNameChanged);
  connect(txtFN_, &QLineEdit::editingFinished, this, &FrmConvert::fileNameFinished);
  connect(cboFormat_, &QComboBox::activated, this, &FrmConvert::formatChosen);
}

QString FrmConvert::hint() const { return hint_->text(); }

void FrmConvert::setHint(const QString& text) { hint_->setText(text); }

void FrmConvert::setFileName(const QString& path) {
  const int before = cboFormat_->currentIndex();
  txtFN_->setText(path);
  // A new file of the same format still needs its own table list.
  if (cboFormat_->currentIndex() == before && hasTables(before)) formatChosen(before);
}

void FrmConvert::selectFile() {
  const QFileInfo current(txtFN_->text().trimmed());
  const QString start = current.absoluteDir().exists() && !txtFN_->text().trimmed().isEmpty()
                            ? current.absolutePath()
                            : QDir::currentPath();
  QFileDialog dialog(this, QStringLiteral("Select Database File..."), start);
  dialog.setObjectName(QStringLiteral("dlgSelect"));
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setNameFilters(dataFileFilters());
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  setFileName(QDir::toNativeSeparators(dialog.selectedFiles().constFirst()));
}

void FrmConvert::fileNameChanged(const QString& text) {
  if (choosing_) return;
  const std::optional<int> format = project::formatFromFileName(text.trimmed().toStdString());
  if (!format || *format == cboFormat_->currentIndex()) return;
  cboFormat_->setCurrentIndex(*format);
  formatChosen(*format);
}

void FrmConvert::fileNameFinished() {
  const int format = cboFormat_->currentIndex();
  if (hasTables(format) && txtFN_->text().trimmed() != listedFile_) formatChosen(format);
}

void FrmConvert::formatChosen(int format) {
  if (format < 0 || format >= project::kFormatCount) return;
  choosing_ = true;
  if (cboFormat_->currentIndex() != format) cboFormat_->setCurrentIndex(format);
  setHint(QStringLiteral("Determining database information..."));
  cboTable_->setEnabled(hasTables(format));
  lblTable_->setEnabled(hasTables(format));
  const QString rewritten =
      QString::fromStdString(project::withFormatExtension(txtFN_->text().toStdString(), format));
  if (rewritten != txtFN_->text()) txtFN_->setText(rewritten);
  cboTable_->clear();
  listedFile_.clear();
  if (hasTables(format)) {
    listedFile_ = txtFN_->text().trimmed();
    FillTableList(listedFile_, format, cboTable_, this);
  }
  setHint(QString());
  choosing_ = false;
}

bool FrmConvert::warn(const QString& title, const QString& text, QWidget* focus) {
  QMessageBox::warning(this, title, text);
  focus->setFocus();
  return false;
}

void FrmConvert::convert() {
  const QString path = txtFN_->text().trimmed();
  const int format = cboFormat_->currentIndex();
  const QString table = cboTable_->currentText().trimmed();
  if (!SourceFileExists(path)) {
    warn(QStringLiteral("Missing File Information..."),
         QStringLiteral("Please select a valid database to convert ") + QStringLiteral("from") + QStringLiteral("..."),
         txtFN_);
    return;
  }
  if (!QFileInfo(ParentFolderOf(path)).isDir()) {
    warn(QStringLiteral("Missing File Path Information..."),
         QStringLiteral("The entered file path does not appear to be valid [") + path + QStringLiteral("]...") +
             QStringLiteral("\r\n\r\n") + QStringLiteral("Please enter a valid path and filename before continuing..."),
         txtFN_);
    return;
  }
  if (format < 0) {
    warn(QStringLiteral("Missing Database Format..."), QStringLiteral("Please select a database format from the list..."),
         cboFormat_);
    return;
  }
  if (hasTables(format) && table.isEmpty()) {
    warn(QStringLiteral("Missing Table Information..."), QStringLiteral("Please select/enter a table name..."),
         cboTable_);
    return;
  }
  QString tableExpression;
  const QString connection = BuildSourceConnection(path, format, table, tableExpression, this);
  if (connection.isEmpty()) return;
  state_.gConnectString = connection.toStdString();
  state_.gSourceTable = tableExpression.toStdString();
  accept();
}

bool FrmConvert::eventFilter(QObject* watched, QEvent* event) {
  // Entering the file name selects all of it.
  if (watched == txtFN_ && event->type() == QEvent::FocusIn) QTimer::singleShot(0, txtFN_, &QLineEdit::selectAll);
  return QDialog::eventFilter(watched, event);
}

}  // namespace orlix::app
