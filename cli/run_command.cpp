#include "cli/run_command.h"

#include <filesystem>
#include <memory>

#include "cli/data_source.h"
#include "cli/project_files.h"
#include "platform/ado/recordset.h"
#include "platform/com/error_info.h"
#include "server/identifiers.h"
#include "server/map_classes.h"
#include "server/map_component.h"

namespace orlix::cli {

namespace {

bool sameNoCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 'a' + 'A');
    if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 'a' + 'A');
    if (x != y) return false;
  }
  return true;
}

bool listed(const std::vector<std::string>& names, const std::string& name) {
  for (const std::string& n : names)
    if (sameNoCase(n, name)) return true;
  return false;
}

// The ADO types the program treats as a character target.
bool isStringType(ado::DataType type) {
  return type == ado::adBSTR || type == ado::adChar || type == ado::adWChar || type == ado::adVarChar ||
         type == ado::adVarWChar;
}

// The raw data as the program opens it: its field names and types.
struct RawFields {
  std::vector<std::string> names;
  std::vector<ado::DataType> types;
};

RawFields openRawData(const DataSource& source) {
  RawFields raw;
  try {
    ado::Recordset rs;
    rs.SetCursorLocation(ado::adUseClient);
    rs.Open(source.tableExpression, source.connectionString);
    for (long i = 0; i < rs.Fields().Count(); ++i) {
      raw.names.push_back(rs.Fields().Item(i).Name());
      raw.types.push_back(rs.Fields().Item(i).Type());
    }
  } catch (const std::exception& e) {
    throw CliFailure{"orlix-cli", std::string("Could not open the raw data: ") + e.what(), com::E_FAIL};
  }
  return raw;
}

bool wantsCategoryMap(const RunOptions& options, const RawFields& raw) {
  if (listed(options.character, options.target)) return true;
  for (size_t i = 0; i < raw.names.size(); ++i)
    if (sameNoCase(raw.names[i], options.target)) return isStringType(raw.types[i]);
  return false;  // the component reports the unknown target
}

// Throws the component's failure when `code` failed.
void check(com::HRESULT code, const std::string& progId) {
  if (com::FAILED(code)) throw failureFromErrorInfo(code, progId);
}

}  // namespace

int runAnalysis(const RunOptions& options, std::ostream& out, std::ostream& err) {
  try {
    const DataSource source = options.dataFile.empty()
                                  ? DataSource{options.connectionString, options.table}
                                  : dataSourceForFile(options.dataFile, options.table);
    const RawFields raw = openRawData(source);
    const bool category = wantsCategoryMap(options, raw);
    const com::ClassInfo& info = category ? server::kCategoryMapClass : server::kRegressionMapClass;

    std::unique_ptr<server::IMap> map;
    if (com::FAILED(server::mapClasses().createInstance(info.clsid, map)))
      throw CliFailure{"orlix-cli", "Could not create " + info.progId, com::E_FAIL};
    if (auto* component = dynamic_cast<server::MapComponent*>(map.get()); component && options.trace)
      component->SetSplitTrace(true);
    const std::string& progId = info.progId;

    com::ClearErrorInfo();
    check(map->ConnectOLEDB(source.connectionString, source.tableExpression), progId);
    for (const std::string& name : options.character) check(map->SetAsCharacter(name), progId);
    for (const std::string& name : options.decile) check(map->SetAsDecile(name), progId);
    for (const std::string& name : options.excluded) check(map->SetAsExcluded(name), progId);
    check(map->SetAsTarget(options.target), progId);
    check(map->SetMinimumN(options.minimumN), progId);
    check(map->Run(), progId);

    ProjectContent project;
    project.connectionString = source.connectionString;
    project.sourceTable = source.tableExpression;
    project.target = options.target;
    for (const std::string& name : raw.names)
      if (!listed(options.excluded, name)) project.selected.push_back(name);
    check(map->MAPRules(&project.rulesText), progId);
    check(map->MAPCode(&project.codeText), progId);
    out << project.rulesText << std::flush;

    int status = 0;
    com::Variant treeList, descriptives;
    if (const com::HRESULT code = map->rs_TreeList(&treeList); com::FAILED(code)) {
      const CliFailure failure = failureFromErrorInfo(code, progId);
      printFailure(failure, err);
      if (failure.description != "No splitting beyond the root node") status = 1;
    }
    check(map->rs_Descriptives(&descriptives), progId);
    project.treeList = server::recordsetOf(treeList);
    project.descriptives = server::recordsetOf(descriptives);
    if (auto* categoryMap = dynamic_cast<server::ICategoryMap*>(map.get())) {
      int32_t classes = 0;
      check(categoryMap->NumTargetValues(&classes), progId);
    }

    if (!options.nodeFile.empty()) {
      const auto* component = dynamic_cast<const server::MapComponent*>(map.get());
      std::error_code ec;
      std::filesystem::copy_file(component->NodeFileName(), options.nodeFile,
                                 std::filesystem::copy_options::overwrite_existing, ec);
      if (ec) throw CliFailure{"orlix-cli", "Could not copy the node file to " + options.nodeFile + ": " + ec.message(),
                               com::E_FAIL};
    }
    if (!options.projectDir.empty()) saveProject(options.projectDir, project);
    return status;
  } catch (const CliFailure& failure) {
    printFailure(failure, err);
    return 1;
  }
}

}  // namespace orlix::cli
