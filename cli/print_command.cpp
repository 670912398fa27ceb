#include "cli/print_command.h"

#include <QGuiApplication>
#include <charconv>
#include <fstream>
#include <optional>

#include "diagramprint/control_error.h"
#include "diagramprint/map_print_setup.h"
#include "diagramprint/pagrix_ctrl.h"
#include "diagramprint/pagrix_ids.h"
#include "display/map/printable_map.h"
#include "platform/graphon/view/diagram_file_error.h"

namespace orlix::cli {
namespace {

namespace fs = std::filesystem;

constexpr const char* kSource = "orlix-cli";
constexpr const char* kMapFile = "flowdiag.afl";

[[noreturn]] void fail(const std::string& description, com::HRESULT code = com::E_INVALIDARG) {
  throw CliFailure{kSource, description, code};
}

std::string valueOf(const std::vector<std::string>& args, size_t& i) {
  if (i + 1 >= args.size()) fail("The option " + args[i] + " needs a value\n" + kPrintUsage);
  return args[++i];
}

int zoomValue(const std::string& text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc{} || end != text.data() + text.size() || value < 10 || value > 400)
    fail("--zoom takes a whole number of per cent from 10 to 400, not \"" + text + "\"");
  return value;
}

}  // namespace

const char* const kPrintUsage =
    "usage: orlix-cli print --project DIR --pdf FILE [--title TEXT] [--fit] [--landscape] [--zoom N]";

PrintOptions parsePrintOptions(const std::vector<std::string>& args) {
  PrintOptions options;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--project") options.project = valueOf(args, i);
    else if (arg == "--pdf") options.pdf = valueOf(args, i);
    else if (arg == "--title") options.title = valueOf(args, i);
    else if (arg == "--zoom") options.zoom = zoomValue(valueOf(args, i));
    else if (arg == "--fit") options.fit = true;
    else if (arg == "--landscape") options.landscape = true;
    else fail("Unknown option " + arg + "\n" + kPrintUsage);
  }
  if (options.project.empty()) fail(std::string("--project is required\n") + kPrintUsage);
  if (options.pdf.empty()) fail(std::string("--pdf is required\n") + kPrintUsage);
  return options;
}

// ---------------------------------------------------------------------------
// TO CONNECT: the decision map's view reads "flowdiag.afl" and is the print
// control's diagram. Until it is connected, this checks the folder and the
// file and reports that maps cannot be drawn yet.
// ---------------------------------------------------------------------------
std::unique_ptr<diagramprint::PrintMessageTarget> loadProjectMap(const fs::path& project) {
  std::error_code ec;
  if (!fs::is_directory(project, ec)) fail("The project folder \"" + project.string() + "\" does not exist");
  const fs::path map = project / kMapFile;
  if (!fs::is_regular_file(map, ec))
    fail("The project folder \"" + project.string() + "\" holds no decision map (" + kMapFile + ")");
  if (!std::ifstream(map)) fail("The decision map \"" + map.string() + "\" cannot be read", com::E_FAIL);
  try {
    return std::make_unique<display::PrintableMap>(QString::fromStdString(map.string()));
  } catch (const graphon::view::DiagramFileError& e) {
    fail(e.what(), com::E_FAIL);
  }
}

void printProjectMap(const PrintOptions& options, const MapLoader& load, const QDate& today) {
  const std::unique_ptr<diagramprint::PrintMessageTarget> map = load(options.project);
  if (!map) fail("The project \"" + options.project.string() + "\" has no decision map", com::E_FAIL);
  try {
    diagramprint::PagrixCtrl control;
    diagramprint::setUpMapPrint(control, map.get(), QString::fromStdString(options.title), today, false);
    control.SetFitToPage(options.fit);
    control.SetOrientation(options.landscape ? diagramprint::OrientLandscape : diagramprint::OrientPortrait);
    control.SetPrintScale(options.zoom);
    control.SetOutputFileName(QString::fromStdString(fs::absolute(options.pdf).string()));
    if (control.PageCount() < 1) fail("The decision map has no pages to print", com::E_FAIL);
    control.PrintDoc();
  } catch (const diagramprint::ControlError& e) {
    throw CliFailure{diagramprint::kProgId, e.description(), static_cast<com::HRESULT>(e.code())};
  }
}

int runPrintCommand(const std::vector<std::string>& args, std::ostream& err, const MapLoader& load) {
  try {
    const PrintOptions options = parsePrintOptions(args);
    int argc = 1;
    char name[] = "orlix-cli";
    char* argv[] = {name, nullptr};
    std::optional<QGuiApplication> app;
    if (!QCoreApplication::instance()) {
      // No display is needed to print into a file.
      if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
      app.emplace(argc, argv);
    }
    printProjectMap(options, load, QDate::currentDate());
    return 0;
  } catch (const CliFailure& failure) {
    printFailure(failure, err);
    return 1;
  } catch (const std::exception& e) {
    printFailure({kSource, e.what(), com::E_FAIL}, err);
    return 1;
  }
}

}  // namespace orlix::cli
