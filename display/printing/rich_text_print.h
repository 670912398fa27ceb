#pragma once
// Printing a rich text over as many pages as it needs: the rich text box's
// document laid out on the printer inside the margins, page after page, with
// no blank page after the last. Used by the record-set text viewer, the rules
// and scoring code windows and the main window's File > Print.
#include <QFont>
#include <QString>

class QPrinter;
class QTextDocument;

namespace orlix::display {

struct TwipsMargins {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

// Prints `document` (left untouched) as one print job named `docName` and
// returns the number of pages printed. Margins are measured from the paper's
// edges; text is kept inside the printer's printable area. Throws
// diagramprint::ControlError 482 when the job fails (nothing is left queued).
int printRichText(const QTextDocument& document, QPrinter& printer, const TwipsMargins& margins,
                  const QString& docName = {});

// The rules and scoring code windows' PrintFunction: the trimmed text in
// `font` with one-inch margins; prints nothing and returns 0 when the text is
// empty.
int printWindowText(const QString& text, const QFont& font, QPrinter& printer, const QString& docName);

}  // namespace orlix::display
