#include "app/dlg_tree_options.h"

#include "app/app_state.h"

namespace orlix::app {

DlgTreeOptions::DlgTreeOptions(AppState& state, QWidget* parent) : QDialog(parent), state_(state) {
  setObjectName(QStringLiteral("dlgTreeOptions"));
  setWindowTitle(QStringLiteral("Tree Options"));
}

bool DlgTreeOptions::Load_Lists() {
  ++listLoads_;
  return true;
}

}  // namespace orlix::app
