// Printing from the program's windows: File > Print, Print Preview and Print
// Setup, the grids' PrintGrid and the text windows' PrintFunction all come
// here. Printing itself arrives with the printing subsystem; until then each
// entry point says so.
#pragma once

#include <QString>

class QWidget;

namespace orlix::app {

class OrlFlexGrid;

// Prints every cell of every row, the heading row included, 20 character
// columns apart, starting a page when a line would pass the bottom margin.
void printGrid(const OrlFlexGrid& grid, QWidget* parent);
// Prints a text window's text (the rules and scoring code windows).
void printText(const QString& text, QWidget* parent);
// Previews the active window (File > Print Preview).
void printPreview(QWidget* activeWindow, QWidget* parent);
// The printer set-up (File > Print Setup).
void printSetup(QWidget* parent);

}  // namespace orlix::app
