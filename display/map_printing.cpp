#include "display/map_printing.h"

#include <QInputDialog>
#include <QMessageBox>

#include "display/orl_flow_control.h"

namespace orlix::display {

bool askPrintTitle(QWidget* parent, QString& title) {
  bool ok = false;
  const QString text = QInputDialog::getText(parent, QStringLiteral("Set Titles"),
                                             QStringLiteral("Enter a Title for the printout"), QLineEdit::Normal,
                                             QString(), &ok);
  if (ok) title = text;
  return ok;
}

void printMap(OrlFlowControl& control, const QString& title, bool preview) {
  QMessageBox::information(&control, preview ? QStringLiteral("Print Preview") : QStringLiteral("Print"),
                           QStringLiteral("Printing the decision map is not available yet.\n\nTitle: %1")
                               .arg(title.isEmpty() ? QStringLiteral("(none)") : title));
}

}  // namespace orlix::display
