#include "app/not_available.h"

#include <QApplication>
#include <QMessageBox>

namespace orlix::app {

void showNotAvailable(QWidget* parent, const QString& what) {
  QMessageBox::information(parent, QApplication::applicationDisplayName(),
                           what + QStringLiteral(" is not available in this version of Orlix yet."));
}

}  // namespace orlix::app
