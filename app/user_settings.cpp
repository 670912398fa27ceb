#include "app/user_settings.h"

#include <QCoreApplication>
#include <QSettings>

namespace orlix::app {

namespace {

constexpr auto kKey = "Options/Show Tips at Startup";

// Organisation and application are both the executable's name.
QSettings store() { return QSettings(QCoreApplication::applicationName(), QCoreApplication::applicationName()); }

}  // namespace

int showTipsAtStartup() {
  bool ok = false;
  const int value = store().value(kKey, 1).toInt(&ok);
  return ok ? value : 1;
}

void setShowTipsAtStartup(int value) { store().setValue(kKey, value); }

}  // namespace orlix::app
