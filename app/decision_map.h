// The decision map window (frmTreeDisplay), built by the display subsystem
// from the tree list of the last run. Until that subsystem joins the program,
// showing it says the map is not available.
#pragma once

class QWidget;

namespace orlix::app {

struct AppState;
class ChildWindows;

// Short-cut button 4 and View > Decision Tree: loads the map window on first
// use as a child of the main window and shows it.
void showDecisionMap(AppState& state, ChildWindows& windows, QWidget* mainWindow);

}  // namespace orlix::app
