#include "app/decision_map.h"

#include "app/app_state.h"
#include "app/child_windows.h"
#include "app/result_windows.h"
#include "display/tree_display_window.h"

namespace orlix::app {

namespace {

display::TreeDisplayWindow* makeMap(AppState& state, ChildWindows& windows, QWidget* mainWindow) {
  auto* map = new display::TreeDisplayWindow(state.gTreeList, state.gCharacterTarget, state.gTargetValueCount,
                                             mainWindow);
  if (map->isRefused()) {
    delete map;  // the user has been told there is no tree list
    return nullptr;
  }
  map->setAccessibleName(QStringLiteral("Decision Tree"));
  windows.adopt(map);
  return map;
}

}  // namespace

void showDecisionMap(AppState& state, ChildWindows& windows, QWidget* mainWindow) {
  if (QWidget* loaded = windows.find(QStringLiteral("frmTreeDisplay"))) {
    windows.show(loaded);
    return;
  }
  if (display::TreeDisplayWindow* map = makeMap(state, windows, mainWindow)) windows.show(map);
}

display::TreeDisplayWindow* loadDecisionMap(AppState& state, ChildWindows& windows, QWidget* mainWindow) {
  if (auto* loaded = qobject_cast<display::TreeDisplayWindow*>(windows.find(QStringLiteral("frmTreeDisplay"))))
    return loaded;
  if (!isOpen(state.gTreeList)) return nullptr;
  return makeMap(state, windows, mainWindow);
}

}  // namespace orlix::app
