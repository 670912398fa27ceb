// The program's name, maker and version as the splash and About windows show them.
#pragma once

#include <QString>

namespace orlix::app {

QString productName();   // "Wendmoor Decision Trees"
QString companyName();   // "Quorvane Inc. "
QString versionLabel();  // "Version " + major.minor.revision

}  // namespace orlix::app
