#include "app/decision_map.h"

#include "app/not_available.h"

namespace orlix::app {

void showDecisionMap(AppState&, ChildWindows&, QWidget* mainWindow) {
  showNotAvailable(mainWindow, QStringLiteral("The decision map"));
}

}  // namespace orlix::app
