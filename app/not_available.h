// The message a command shows while the part of the program it leads to is
// still to come, naming what is missing.
#pragma once

#include <QString>

class QWidget;

namespace orlix::app {

// "<what> is not available in this version of Orlix yet."
void showNotAvailable(QWidget* parent, const QString& what);

}  // namespace orlix::app
