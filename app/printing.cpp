#include "app/printing.h"

#include "app/not_available.h"

namespace orlix::app {

void printGrid(const OrlFlexGrid&, QWidget* parent) { showNotAvailable(parent, QStringLiteral("Printing")); }

void printText(const QString&, QWidget* parent) { showNotAvailable(parent, QStringLiteral("Printing")); }

void printPreview(QWidget*, QWidget* parent) { showNotAvailable(parent, QStringLiteral("Print preview")); }

void printSetup(QWidget* parent) { showNotAvailable(parent, QStringLiteral("Print setup")); }

}  // namespace orlix::app
