// DlgTreeOptions: the Tree Options dialog, which holds the analysis options
// (variables, target, minimum records per branch, project folder and output
// names). Loaded hidden at start-up; its lists are refilled from the raw data
// each time the raw data window binds new data (Load_Lists).
// For now an empty shell: the options and the run arrive with the next part
// of the program.
#pragma once

#include <QDialog>

namespace orlix::app {

struct AppState;

class DlgTreeOptions : public QDialog {
  Q_OBJECT

 public:
  DlgTreeOptions(AppState& state, QWidget* parent);

  // Refills the variable and target lists from gRawData; always true.
  bool Load_Lists();
  // How many times the lists were refilled (for the tests of the shell).
  int listLoads() const { return listLoads_; }

 private:
  AppState& state_;
  int listLoads_ = 0;
};

}  // namespace orlix::app
