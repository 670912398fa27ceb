// What the program's timed drivers share: the CSV they read (the file
// ORLIX_BENCH_CSV names, else a generated table of `rows` records written
// into `folder`), and a shown main window with that file opened as its raw data.
#pragma once

#include <QTemporaryDir>
#include <cstddef>
#include <string>

#include "app/mdi_main.h"

namespace orlix::bench {

std::string benchCsv(const QTemporaryDir& folder, std::size_t rows);
// The data source of `csv` chosen as File > New would, without reading it.
void chooseSource(app::MdiMain& main, const std::string& csv);

}  // namespace orlix::bench
