#include "app/program_version.h"

namespace orlix::app {

QString productName() { return QStringLiteral("Wendmoor Decision Trees"); }

QString companyName() { return QStringLiteral("Quorvane Inc. "); }

QString versionLabel() {
  return QStringLiteral("Version %1.%2.%3").arg(ORLIX_VERSION_MAJOR).arg(ORLIX_VERSION_MINOR).arg(ORLIX_VERSION_PATCH);
}

}  // namespace orlix::app
