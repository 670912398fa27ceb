// The main window's menu bar and tool bar, built from the registered actions.
#pragma once

#include <QString>

class QMenu;
class QMenuBar;
class QToolBar;
class QAction;

namespace orlix::app {

class ActionRegistry;

// Fills the menu bar: File, Edit, View, Tools, Window, Help. Returns the
// Window menu, whose end lists the open windows.
QMenu* buildMenuBar(QMenuBar* bar, const ActionRegistry& registry);

// The tool bar's buttons, each carrying its key ("Open", "Save", "Print",
// "Copy", "RunTree", "Help") in the property "key".
void buildToolbar(QToolBar* toolbar, const ActionRegistry& registry);
QString toolbarKey(const QAction* button);

}  // namespace orlix::app
