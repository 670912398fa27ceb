#pragma once
// The one entry point through which the map's Print and Print Preview
// commands (its menu and the customisation dialog) reach printing. The
// print control and its preview window fill it in; until they exist it tells
// the user that printing is not available yet.
#include <QString>

class QWidget;

namespace orlix::display {

class OrlFlowControl;

// Asks for the printout's title with the prompt "Enter a Title for the
// printout" (caption "Set Titles"). Returns false when the user cancels.
bool askPrintTitle(QWidget* parent, QString& title);

// Prints the map of `control` (preview false) or shows its print preview
// (preview true) with `title` on the right of every page's header.
void printMap(OrlFlowControl& control, const QString& title, bool preview);

}  // namespace orlix::display
