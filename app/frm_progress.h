// FrmProgress: the progress window of a run and of saving or opening a
// project: a caption label, a progress bar (0 to 100) and Cancel. Modeless,
// owned by the main window; Cancel raises AppState::gCancelRequested, which
// the work reads between its stages.
#pragma once

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

namespace orlix::app {

struct AppState;

class FrmProgress : public QDialog {
  Q_OBJECT

 public:
  FrmProgress(AppState& state, QWidget* owner);

  // Sets the bar and the caption, repaints, and processes pending window
  // messages once (so a stage shows before the work it names starts).
  void setStage(int value, const QString& caption);

  QLabel* Label1() const { return label_; }
  QProgressBar* ccrpProgressBar1() const { return bar_; }
  QPushButton* cmdCancel() const { return cancel_; }

 signals:
  void cancelRequested();

 protected:
  // Closing the window by its frame counts as Cancel, never as a way to lose it.
  void closeEvent(QCloseEvent* event) override;
  void reject() override;

 private:
  void requestCancel();

  AppState& state_;
  QLabel* label_;
  QProgressBar* bar_;
  QPushButton* cancel_;
};

}  // namespace orlix::app
