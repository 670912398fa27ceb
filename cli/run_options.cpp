#include "cli/run_options.h"

#include <charconv>

namespace orlix::cli {

const char* const kUsage =
    "usage: orlix-cli run --data FILE [--table NAME] --target NAME [--min-n N] [--exclude NAME]...\n"
    "                     [--character NAME]... [--decile NAME]... [--node-file PATH] [--trace]\n"
    "                     [--project DIR [--map-picture NAME] [--orientation 0..3]]\n"
    "       orlix-cli run --connect \"CONNECTION STRING\" --table \"TABLE EXPRESSION\" --target NAME ...\n"
    "       orlix-cli run --settings DIR/TreeParms.cfg [--target NAME] [--min-n N] [--project DIR] ...\n"
    "       orlix-cli print --project DIR --pdf FILE [--title TEXT] [--fit] [--landscape] [--zoom N]\n"
    "       orlix-cli --help | --version\n";

const char* const kHelp =
    "\n"
    "run: grows a decision map on one table and prints its segment summary report.\n"
    "\n"
    "  --data FILE         the data file; its extension gives the format (.mdb, .dbf, .xls, .xlsx,\n"
    "                      .htm, .html, .txt, .csv, .sqlite, .db)\n"
    "  --table NAME        the table or sheet, where the file holds several\n"
    "  --connect STRING    a connection string instead of --data, with --table\n"
    "  --settings FILE     reruns a saved project: its TreeParms.cfg gives the data source, the\n"
    "                      target, the checked fields (the others are excluded) and the output\n"
    "                      names; the minimum is not kept there: give --min-n as the project had it\n"
    "  --target NAME       the field to explain; a text field grows a category map\n"
    "  --min-n N           the smallest segment (default 25)\n"
    "  --exclude NAME      leaves a field out (repeatable)\n"
    "  --character NAME    takes a field as character (repeatable)\n"
    "  --decile NAME       groups a numeric field into deciles (repeatable)\n"
    "  --node-file PATH    keeps a copy of the node file\n"
    "  --trace             appends the split search to zzz.log\n"
    "  --project DIR       writes the project folder's files into DIR, the map with them\n"
    "  --map-picture NAME  the map's picture in the folder (default graphTree.jpg)\n"
    "  --orientation 0..3  the map's orientation: North, East, South, West\n"
    "\n"
    "print: prints a project's decision map into a PDF file.\n"
    "\n"
    "  -h, --help          prints this help\n"
    "  --version           prints the version\n"
    "\n"
    "On a terminal the stages of a run are shown on standard error as they go.\n";

namespace {

CliFailure usageError(const std::string& what) {
  return {"orlix-cli", what + "\n" + kUsage, com::E_INVALIDARG};
}

int wholeNumber(const std::string& option, const std::string& text) {
  int value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size())
    throw usageError(option + " needs a whole number, not \"" + text + "\"");
  return value;
}

}  // namespace

RunOptions parseRunOptions(const std::vector<std::string>& args) {
  RunOptions o;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--help" || a == "-h") {
      RunOptions help;
      help.help = true;
      return help;
    }
    if (a == "--trace") {
      o.trace = true;
      continue;
    }
    if (i + 1 >= args.size()) throw usageError(a.rfind("--", 0) == 0 ? a + " needs a value" : "unexpected argument " + a);
    const std::string& v = args[++i];
    if (a == "--settings") o.settingsFile = v;
    else if (a == "--data") o.dataFile = v;
    else if (a == "--connect") o.connectionString = v;
    else if (a == "--table") o.table = v;
    else if (a == "--target") o.target = v;
    else if (a == "--min-n") o.minimumN = wholeNumber(a, v);
    else if (a == "--exclude") o.excluded.push_back(v);
    else if (a == "--character") o.character.push_back(v);
    else if (a == "--decile") o.decile.push_back(v);
    else if (a == "--node-file") o.nodeFile = v;
    else if (a == "--project") o.projectDir = v;
    else if (a == "--map-picture") o.mapPicture = v;
    else if (a == "--orientation") o.orientation = wholeNumber(a, v);
    else throw usageError("unknown option " + a);
  }
  if (!o.settingsFile.empty()) {
    if (!o.dataFile.empty() || !o.connectionString.empty() || !o.table.empty())
      throw usageError("--settings gives the data source: leave out --data, --connect and --table");
  } else {
    if (o.dataFile.empty() == o.connectionString.empty()) throw usageError("give either --data or --connect");
    if (!o.connectionString.empty() && o.table.empty()) throw usageError("--connect needs --table");
    if (o.target.empty()) throw usageError("--target is missing");
  }
  if (o.orientation < 0 || o.orientation > 3) throw usageError("--orientation must be 0 to 3 (North, East, South, West)");
  return o;
}

RunOptions withProjectSettings(RunOptions o) {
  if (o.settingsFile.empty()) return o;
  project::ProjectSettings s;
  try {
    s = project::readSettings(o.settingsFile);
  } catch (const project::ProjectError& e) {
    throw CliFailure{e.source, e.what(), e.code};
  }
  const auto missing = [&o](const std::string& what) {
    return CliFailure{"orlix-cli", "The project file " + o.settingsFile + " " + what, com::E_INVALIDARG};
  };
  if (s.connectionString.empty() || s.sourceTable.empty()) throw missing("names no data source (Cstring: and Src:)");
  if (s.selected.empty()) throw missing("checks no variable (Selvars:)");
  o.connectionString = s.connectionString;
  o.table = s.sourceTable;
  if (o.target.empty()) o.target = s.target;
  if (o.target.empty()) throw missing("names no target (Target:); give --target");
  o.selected = s.selected;
  o.outputNames = s.names;
  o.mapPicture = s.names.treeDisplay;
  return o;
}

}  // namespace orlix::cli
