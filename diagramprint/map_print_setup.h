#pragma once
// How the decision map's Print and Print Preview commands set up the print
// control, shared by the map window and the batch front end: the title as
// the document's name and on the right of every header, the date on its left,
// centred page numbers in the footer, a dotted box around the map, blue text.
#include <QDate>
#include <QString>

#include "diagramprint/print_record.h"

namespace orlix::diagramprint {

class PagrixCtrl;

// "08-Dec-2026": the date as the header shows it, in English in any locale.
QString headerDate(const QDate& date);
// The header: date, "||", title.
QString mapHeader(const QDate& date, const QString& title);
inline constexpr const char* kMapFooter = "|- Page <PAGE> -|";

// Sets hWndFlow, DocName, PageBorder 8, Header, Footer, ForeColor blue and
// Preview on `control`; PrintDoc is the caller's.
void setUpMapPrint(PagrixCtrl& control, PrintMessageTarget* diagram, const QString& title,
                   const QDate& date, bool preview);

}  // namespace orlix::diagramprint
