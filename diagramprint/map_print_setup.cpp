#include "diagramprint/map_print_setup.h"

#include <QLocale>

#include "diagramprint/pagrix_ctrl.h"

namespace orlix::diagramprint {

QString headerDate(const QDate& date) {
  return QLocale::c().toString(date, QStringLiteral("dd-MMM-yyyy"));
}

QString mapHeader(const QDate& date, const QString& title) {
  return headerDate(date) + QStringLiteral("||") + title;
}

void setUpMapPrint(PagrixCtrl& control, PrintMessageTarget* diagram, const QString& title,
                   const QDate& date, bool preview) {
  control.SethWndFlow(diagram);
  control.SetDocName(title);
  control.SetPageBorder(PageBorderDottedBoxDot);
  control.SetHeader(mapHeader(date, title));
  control.SetFooter(QString::fromLatin1(kMapFooter));
  control.SetForeColor(QColor(0, 0, 255));
  control.SetPreview(preview);
}

}  // namespace orlix::diagramprint
