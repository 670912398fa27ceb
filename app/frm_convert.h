// FrmConvert: the "Data Import" dialog. The user picks a data file, its
// format (chosen from the file name where it can be) and, for formats that
// hold several tables, the table; OK checks the choice and sets the program's
// gConnectString and gSourceTable, Exit changes nothing.
#pragma once

#include <QDialog>

class QComboBox;
class QFileDialog;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStatusBar;

namespace orlix::app {

struct AppState;

class FrmConvert : public QDialog {
  Q_OBJECT

 public:
  FrmConvert(AppState& state, QWidget* parent);

  // Puts a file name into txtFN, as the Select button does.
  void setFileName(const QString& path);
  QString hint() const;

  QLineEdit* txtFN() const { return txtFN_; }
  QComboBox* cboFormat() const { return cboFormat_; }
  QComboBox* cboTable() const { return cboTable_; }

 public slots:
  void selectFile();
  // The format step: enables the table list, rewrites the file's extension
  // and fills the table list for formats that hold tables.
  void formatChosen(int format);
  void convert();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void fileNameChanged(const QString& text);
  void fileNameFinished();
  void setHint(const QString& text);
  bool warn(const QString& title, const QString& text, QWidget* focus);

  AppState& state_;
  QLineEdit* txtFN_;
  QComboBox* cboFormat_;
  QComboBox* cboTable_;
  QLabel* lblTable_;
  QLabel* hint_;
  QString listedFile_;  // the file whose tables cboTable lists
  bool choosing_ = false;
};

// The file dialog's filters: the formats one by one, then every file.
QStringList dataFileFilters();

}  // namespace orlix::app
