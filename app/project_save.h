// SaveProject: writes the project folder (gProjectDir) from the program's
// state, the tree options' controls and the decision map window, showing
// each stage in the progress window. A failure is shown to the user (title
// "Save All Error") and gives false; files written before it stay.
#pragma once

class QWidget;

namespace orlix::app {

struct AppState;
class ChildWindows;
class DlgTreeOptions;

bool SaveProject(AppState& state, DlgTreeOptions& options, ChildWindows& windows, QWidget* mainWindow);

}  // namespace orlix::app
