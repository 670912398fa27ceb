// The decision map window (frmTreeDisplay of the display subsystem), built
// from the tree list of the last run or opened project.
#pragma once

class QWidget;

namespace orlix::display {
class TreeDisplayWindow;
}

namespace orlix::app {

struct AppState;
class ChildWindows;

// Short-cut button 4 and View > Decision Tree: loads the map window on first
// use as a child of the main window and shows it. Without a tree list the
// window refuses itself after telling the user, and nothing is shown.
void showDecisionMap(AppState& state, ChildWindows& windows, QWidget* mainWindow);

// The map window for saving or opening a project: the loaded one, or one
// loaded hidden on gTreeList. nullptr, quietly, when there is no tree list.
// The window belongs to `windows`.
display::TreeDisplayWindow* loadDecisionMap(AppState& state, ChildWindows& windows, QWidget* mainWindow);

}  // namespace orlix::app
