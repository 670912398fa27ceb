#include "display/printing/map_print_command.h"

#include <QInputDialog>

#include "diagramprint/map_print_setup.h"
#include "diagramprint/pagrix_ctrl.h"

namespace orlix::display {

std::optional<QString> askPrintTitle(QWidget* parent) {
  bool ok = false;
  const QString title =
      QInputDialog::getText(parent, QString::fromLatin1(kPrintTitleCaption),
                            QString::fromLatin1(kPrintTitlePrompt), QLineEdit::Normal, QString(), &ok);
  if (!ok) return std::nullopt;
  return title;
}

void runMapPrint(dlgPrintPreview& form, diagramprint::PrintMessageTarget* diagram,
                 const QString& title, const QDate& date, bool preview) {
  diagramprint::PagrixCtrl& control = form.printControl();
  diagramprint::setUpMapPrint(control, diagram, title, date, preview);
  control.PrintDoc();
  if (preview) form.rebuildPageList();
}

bool printMap(QWidget* parent, diagramprint::PrintMessageTarget* diagram, bool preview,
              const dlgPrintPreview::PictureExport& exportPicture) {
  const std::optional<QString> title = askPrintTitle(parent);
  if (!title) return false;
  dlgPrintPreview form(parent);
  form.setPictureExport(exportPicture);
  runMapPrint(form, diagram, *title, QDate::currentDate(), preview);
  if (preview) form.exec();
  return true;
}

}  // namespace orlix::display
