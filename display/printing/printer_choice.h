#pragma once
// Choosing the printer the program prints on: the system's print dialog as
// the printer set-up of File > Print Setup and of the page setup's Browse,
// and the name a dialog shows for the choice.
#include <QString>

#include "diagramprint/printer_access.h"

class QWidget;

namespace orlix::display {

// Shows the print dialog for `selection`; on OK writes the chosen printer
// (or PDF file) into it and returns true.
bool choosePrinter(QWidget* parent, diagramprint::PrinterSelection& selection);
// "Name of the printer", "PDF file NAME", or the text for no printer at all.
QString printerLabel(const diagramprint::PrinterSelection& selection);

}  // namespace orlix::display
