// `orlix-cli print`: prints a project's decision map into a PDF file as the
// map's Print command does (date and title in the header, page numbers in the
// footer, a dotted box), without a display.
#pragma once

#include <QDate>
#include <filesystem>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "cli/cli_failure.h"
#include "diagramprint/print_record.h"

namespace orlix::cli {

struct PrintOptions {
  std::filesystem::path project;
  std::filesystem::path pdf;
  std::string title;
  bool fit = false;
  bool landscape = false;
  int zoom = 100;  // per cent the map is printed at, 10 ... 400
};

extern const char* const kPrintUsage;

// Throws CliFailure naming the bad or missing argument.
PrintOptions parsePrintOptions(const std::vector<std::string>& args);

// The decision map of a project folder, drawn from its "flowdiag.afl", as
// the print control's diagram. Throws CliFailure when the folder or the map
// file is missing or cannot be read.
using MapLoader =
    std::function<std::unique_ptr<diagramprint::PrintMessageTarget>(const std::filesystem::path&)>;
std::unique_ptr<diagramprint::PrintMessageTarget> loadProjectMap(const std::filesystem::path& project);

// Prints the map `load` gives for options.project into options.pdf; on
// failure no file is left behind and CliFailure is thrown.
void printProjectMap(const PrintOptions& options, const MapLoader& load, const QDate& today);

// The command: parses, makes the application object (offscreen unless
// QT_QPA_PLATFORM says otherwise), prints; failures go to `err` as
// "Error from ..." and give status 1.
int runPrintCommand(const std::vector<std::string>& args, std::ostream& err,
                    const MapLoader& load = loadProjectMap);

}  // namespace orlix::cli
