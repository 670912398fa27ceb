#include "app/decision_map.h"

#include "app/app_state.h"
#include "app/child_windows.h"
#include "display/tree_display_window.h"

namespace orlix::app {

void showDecisionMap(AppState& state, ChildWindows& windows, QWidget* mainWindow) {
  if (QWidget* loaded = windows.find(QStringLiteral("frmTreeDisplay"))) {
    windows.show(loaded);
    return;
  }
  auto* map = new display::TreeDisplayWindow(state.gTreeList, state.gCharacterTarget, state.gTargetValueCount,
                                             mainWindow);
  if (map->isRefused()) {
    delete map;  // the user has been told there is no tree list
    return;
  }
  map->setAccessibleName(QStringLiteral("Decision Tree"));
  windows.adopt(map);
  windows.show(map);
}

}  // namespace orlix::app
