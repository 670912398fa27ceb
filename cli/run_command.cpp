#include "cli/run_command.h"

#include <algorithm>
#include <filesystem>
#include <memory>

#include "cli/map_output.h"
#include "project/data_source.h"
#include "project/project_files.h"
#include "platform/ado/recordset.h"
#include "platform/com/error_info.h"
#include "server/field_names.h"
#include "server/identifiers.h"
#include "server/map_classes.h"
#include "server/map_component.h"
#include "cli/stage_display.h"

namespace orlix::cli {

const char* const kVersion = ORLIX_VERSION;

namespace {

bool listed(const std::vector<std::string>& names, const std::string& name) {
  for (const std::string& n : names)
    if (server::sameFieldName(n, name)) return true;
  return false;
}

server::MapComponent& component(server::IMap& map) { return dynamic_cast<server::MapComponent&>(map); }

// The class the program's run takes: CategoryMap for a target of a string
// type (or one named by --character), RegressionMap otherwise, an unknown
// target included (the component reports it).
bool wantsCategoryMap(const RunOptions& options, const std::vector<server::MapComponent::SourceField>& fields) {
  if (listed(options.character, options.target)) return true;
  for (const auto& field : fields)
    if (server::sameFieldName(field.name, options.target)) return ado::isCharacterType(field.type);
  return false;
}

std::unique_ptr<server::IMap> createMap(const com::ClassInfo& info) {
  std::unique_ptr<server::IMap> map;
  if (com::FAILED(server::mapClasses().createInstance(info.clsid, map)))
    throw CliFailure{"orlix-cli", "Could not create " + info.progId, com::E_FAIL};
  return map;
}

// Throws the component's failure when `code` failed.
void check(com::HRESULT code, const std::string& progId) {
  if (com::FAILED(code)) throw failureFromErrorInfo(code, progId);
}

// A connected component of the class the target asks for. The component
// reads the source's fields; a character target found then moves the
// analysis to a CategoryMap, which takes over the connection and what was
// read, so that the source is read once.
struct ConnectedMap {
  std::unique_ptr<server::IMap> map;
  const com::ClassInfo* info = nullptr;
  std::vector<server::MapComponent::SourceField> fields;
};

ConnectedMap connectMap(const RunOptions& options, const project::DataSource& source, StageDisplay& stages) {
  ConnectedMap c;
  const bool named = listed(options.character, options.target);
  c.info = named ? &server::kCategoryMapClass : &server::kRegressionMapClass;
  c.map = createMap(*c.info);
  component(*c.map).SetProgress(stages.progress());
  com::ClearErrorInfo();
  stages.show("connecting to " + source.tableExpression);
  check(c.map->ConnectOLEDB(source.connectionString, source.tableExpression), c.info->progId);
  c.fields = component(*c.map).SourceFields();
  if (!named && wantsCategoryMap(options, c.fields)) {
    std::unique_ptr<server::IMap> categoryMap = createMap(server::kCategoryMapClass);
    component(*categoryMap).SetProgress(stages.progress());
    check(component(*categoryMap).TakeConnection(component(*c.map)), server::kCategoryMapClass.progId);
    c.map = std::move(categoryMap);
    c.info = &server::kCategoryMapClass;
  }
  return c;
}

// A rerun project's unchecked fields are excluded as the program's run
// excludes them: every field but the checked ones, the target never.
std::vector<std::string> excludedFields(const RunOptions& options, const ConnectedMap& c) {
  std::vector<std::string> excluded = options.excluded;
  if (options.settingsFile.empty()) return excluded;
  for (const auto& field : c.fields)
    if (field.name != options.target &&
        std::find(options.selected.begin(), options.selected.end(), field.name) == options.selected.end())
      excluded.push_back(field.name);
  return excluded;
}

// The settings in the order the batch front end makes them, then Run.
void runMap(server::IMap& map, const RunOptions& options, const std::string& progId) {
  if (options.trace) component(map).SetSplitTrace(true);
  for (const std::string& name : options.character) check(map.SetAsCharacter(name), progId);
  for (const std::string& name : options.decile) check(map.SetAsDecile(name), progId);
  for (const std::string& name : options.excluded) check(map.SetAsExcluded(name), progId);
  check(map.SetAsTarget(options.target), progId);
  check(map.SetMinimumN(options.minimumN), progId);
  check(map.Run(), progId);
}

// Reads the results into `project`; returns the exit status, 1 when the tree
// list failed other than for a lone root (reported on `err`).
int readResults(server::IMap& map, const std::string& progId, project::ProjectContent& project, std::ostream& err,
                int& targetValueCount) {
  check(map.MAPRules(&project.rulesText), progId);
  check(map.MAPCode(&project.codeText), progId);
  int status = 0;
  com::Variant treeList, descriptives;
  if (const com::HRESULT code = map.rs_TreeList(&treeList); com::FAILED(code)) {
    const CliFailure failure = failureFromErrorInfo(code, progId);
    printFailure(failure, err);
    if (failure.description != "No splitting beyond the root node") status = 1;
  }
  check(map.rs_Descriptives(&descriptives), progId);
  project.treeList = server::recordsetOf(treeList);
  project.descriptives = server::recordsetOf(descriptives);
  if (auto* categoryMap = dynamic_cast<server::ICategoryMap*>(&map)) {
    int32_t classes = 0;
    check(categoryMap->NumTargetValues(&classes), progId);
    targetValueCount = classes;
  }
  return status;
}

void copyNodeFile(server::IMap& map, const std::string& path) {
  std::error_code ec;
  std::filesystem::copy_file(component(map).NodeFileName(), path, std::filesystem::copy_options::overwrite_existing, ec);
  if (ec) throw CliFailure{"orlix-cli", "Could not copy the node file to " + path + ": " + ec.message(), com::E_FAIL};
}

// The strings of --connect and --table, or those the import dialog builds for --data.
project::DataSource dataSourceOf(const RunOptions& options) {
  if (options.dataFile.empty()) return {options.connectionString, options.table};
  try {
    return project::dataSourceForFile(options.dataFile, options.table);
  } catch (const project::ProjectError& e) {
    throw CliFailure{"orlix-cli", e.what(), e.code};
  }
}

}  // namespace

int runAnalysis(const RunOptions& given, std::ostream& out, std::ostream& err, bool showStages) {
  StageDisplay stages(err, showStages);
  try {
    RunOptions options = withProjectSettings(given);
    checkMapPicture(options.mapPicture);
    const project::DataSource source = dataSourceOf(options);
    ConnectedMap c = connectMap(options, source, stages);
    options.excluded = excludedFields(options, c);
    runMap(*c.map, options, c.info->progId);
    stages.show("writing the results");

    project::ProjectContent project;
    project.settings.connectionString = source.connectionString;
    project.settings.sourceTable = source.tableExpression;
    project.settings.target = options.target;
    if (!options.selected.empty())
      project.settings.selected = options.selected;
    else
      for (const auto& field : c.fields)
        if (!listed(options.excluded, field.name)) project.settings.selected.push_back(field.name);
    if (options.outputNames) project.settings.names = *options.outputNames;
    project.settings.names.treeDisplay = options.mapPicture;
    int targetValueCount = 0;
    const int status = readResults(*c.map, c.info->progId, project, err, targetValueCount);
    out << project.rulesText << std::flush;
    if (!options.nodeFile.empty()) copyNodeFile(*c.map, options.nodeFile);
    if (!options.projectDir.empty()) project::saveProject(options.projectDir, project);
    if (!options.projectDir.empty() && project.treeList)
      writeMapFiles(options, *project.treeList, c.info == &server::kCategoryMapClass, targetValueCount);
    stages.show("done");
    return status;
  } catch (const CliFailure& failure) {
    printFailure(failure, err);
    return 1;
  } catch (const project::ProjectError& e) {
    printFailure({e.source, e.what(), e.code}, err);
    return 1;
  }
}

}  // namespace orlix::cli
