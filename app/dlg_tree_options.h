// DlgTreeOptions: the Tree Options dialog. Its controls are the store of the
// analysis options (variables, target, minimum records per branch, project
// folder and output names): the run and the project save read them straight
// from the controls. Loaded hidden at start-up; its lists are refilled from
// the raw data each time the raw data window binds new data (Load_Lists).
#pragma once

#include <QDialog>
#include <QStringList>
#include <array>
#include <functional>
#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;

namespace orlix::app {

struct AppState;
class BrowserControl;
class OrlListBox;

// The six output rows of the project tab, in the dialog's order.
enum class OutputRow { kTreeDisplay, kTreeList, kCode, kRules, kDescrip, kRawD };
inline constexpr int kOutputRowCount = 6;

class DlgTreeOptions : public QDialog {
  Q_OBJECT

 public:
  DlgTreeOptions(AppState& state, QWidget* parent);

  // Refills the variable and target lists from gRawData and sets the
  // spinner's range and value from the raw data grid's rows; always true.
  bool Load_Lists();
  // Where Load_Lists reads R, the raw data grid's row count (heading
  // included); unset or negative, it counts the raw data's records + 1.
  void setRawGridRows(std::function<int()> rows) { rawGridRows_ = std::move(rows); }
  // How many times the lists were refilled.
  int listLoads() const { return listLoads_; }

  // The ways the dialog is shown: View > Options (tab 0 only, output check
  // boxes hidden), File > Properties (both tabs), File > Save As (tab 1 for
  // the output row of the active window, named by its object name).
  void prepareForViewOptions();
  void prepareForProperties();
  void prepareForSaveAs(const QString& activeWindowName);
  // File > Save and Save All: the six output check boxes shown and checked.
  void checkAllOutputs();

  // The names of the checked variables, in list order.
  QStringList checkedVariables() const;
  // Checks the entries whose text equals one of `names` exactly.
  void checkVariables(const QStringList& names);

  // The enforced extension of an output row (".jpg", ".csv", ".txt").
  static QString outputExtension(OutputRow row);
  // The caption of an output row's check box, naming the field in messages.
  static QString outputCaption(OutputRow row);
  // The output row shown for a window's object name (Save As); nullopt for others.
  static std::optional<OutputRow> outputRowOfWindow(const QString& windowName);
  // `text` with `extension` appended unless the lower-cased text holds it anywhere.
  static QString withExtension(const QString& text, const QString& extension);
  // "" when every output name is a plain file name, else a message naming
  // the field and the fault.
  QString outputNameProblem() const;

  // OK: checks the output names and the project folder (creating it on the
  // user's word) and sets gProjectDir; true when the dialog may close.
  bool acceptOptions();

  QTabWidget* SSTab1() const { return tabs_; }
  OrlListBox* lstVarSelection() const { return variables_; }
  QComboBox* cmbTarget() const { return target_; }
  QLineEdit* Text1() const { return minimumN_; }
  QSpinBox* UpDown1() const { return spinner_; }
  QLineEdit* Text2() const { return folder_; }
  QPushButton* cmdBrowse() const { return browse_; }
  QPushButton* OKButton() const { return ok_; }
  QPushButton* CancelButton() const { return cancel_; }
  BrowserControl* BrowserControl1() const { return browser_; }
  QLabel* label(int number) const { return labels_.at(number - 1); }
  QCheckBox* outputCheck(OutputRow row) const { return checks_[static_cast<int>(row)]; }
  QLineEdit* outputText(OutputRow row) const { return texts_[static_cast<int>(row)]; }

 private:
  QWidget* buildConstructionTab();
  QWidget* buildProjectTab();
  QLabel* makeLabel(int number, const QString& text, QWidget* page);
  void enforceExtension(int row);
  void minimumNEdited(const QString& text);
  void browse();
  bool checkFolder();
  void centerOnScreen();
  int rawRecordRows() const;

  AppState& state_;
  int listLoads_ = 0;
  QTabWidget* tabs_ = nullptr;
  OrlListBox* variables_ = nullptr;
  QComboBox* target_ = nullptr;
  QLineEdit* minimumN_ = nullptr;
  QSpinBox* spinner_ = nullptr;
  QLineEdit* folder_ = nullptr;
  QPushButton* browse_ = nullptr;
  QPushButton* ok_ = nullptr;
  QPushButton* cancel_ = nullptr;
  std::array<QCheckBox*, kOutputRowCount> checks_{};
  std::array<QLineEdit*, kOutputRowCount> texts_{};
  std::array<QLabel*, 6> labels_{};
  BrowserControl* browser_ = nullptr;
  std::function<int()> rawGridRows_;
};

}  // namespace orlix::app
