// OpenProject: reads a project folder back into the program — the data
// source and its raw data, the options, the result record sets, the texts
// and the decision map — without running anything. Everything is read and
// checked first; only a project that can be opened whole changes the
// program. A project that cannot be opened is reported in one message
// naming the file and the cause, and the program stays as it was.
#pragma once

#include <QString>

class QWidget;

namespace orlix::app {

struct AppState;
class ChildWindows;
class DlgTreeOptions;

bool OpenProject(const QString& settingsFile, AppState& state, DlgTreeOptions& options, ChildWindows& windows,
                 QWidget* mainWindow);

}  // namespace orlix::app
