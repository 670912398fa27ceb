// Printing from the program's windows: File > Print, Print Preview and Print
// Setup, the grids' PrintGrid and the text windows' PrintFunction all come
// here. Every printout goes to the session's chosen printer (AppState's
// gPrinter) as one job named after its window; a failure, "You have no
// default printer!" included, is shown in a message naming the document.
// Each printing function returns the pages printed: 0 when nothing was
// printed (nothing to print, cancelled, or failed and reported).
#pragma once

#include <QString>

#include "diagramprint/printer_access.h"

class QFont;
class QWidget;

namespace orlix::display {
class frmPreview;
}

namespace orlix::app {

struct AppState;
class ChildWindows;
class OrlFlexGrid;

// Every cell of every row, the heading row included, 20 character columns
// apart, starting a page when a line would pass the bottom margin; rows in
// the order the grid shows them. A progress window lets the user cancel a
// long printout, which then never reaches the printer.
int printGrid(const OrlFlexGrid& grid, const QString& docName, const diagramprint::PrinterSelection& printer,
              QWidget* parent);
// A text window's trimmed text in `font`; an empty text is not printed (and said so).
int printText(const QString& text, const QFont& font, const QString& docName,
              const diagramprint::PrinterSelection& printer, QWidget* parent);
// The text preview window's text, with no margins.
int printPreviewText(display::frmPreview& preview, const diagramprint::PrinterSelection& printer, QWidget* parent);

// File > Print: the active child window by its name — the rules and scoring
// code windows through PrintFunction, the grid windows through PrintGrid,
// the text preview through its print, the decision map as its Print command.
void printWindow(QWidget* activeWindow, AppState& state, QWidget* parent);
// File > Print Preview: for a grid window a text preview window showing its
// cells as tab-separated text (made a child window, so File > Print prints
// it); for the decision map its Print Preview.
void printPreview(QWidget* activeWindow, AppState& state, ChildWindows& windows, QWidget* parent);
// File > Print Setup: the system's print dialog; the printer (or PDF file)
// chosen is kept for the rest of the session. Returns false when cancelled.
bool printSetup(AppState& state, QWidget* parent);

}  // namespace orlix::app
