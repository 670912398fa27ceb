// The run's screenshots for docs/screenshots, taken by app_screenshots.
#pragma once

#include <QString>
#include <functional>
#include <string>

#include "app/mdi_main.h"

// Shoots the progress window during a long run and the result windows after
// a run on `penguins`; `shoot` saves a window's frame to a file.
bool shootTreeRun(orlix::app::MdiMain& main, const QString& out, const std::string& penguins,
                  const std::function<bool(QWidget*, const QString&)>& shoot);
