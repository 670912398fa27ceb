// Window geometry given in twips (1440 per logical inch) turned into the
// pixels of the screen a widget is on.
#pragma once

#include <QWidget>
#include <QtMath>

namespace orlix::app {

inline int twipsToPixels(int twips, const QWidget* widget) {
  return qRound(twips * widget->logicalDpiY() / 1440.0);
}

}  // namespace orlix::app
