#include "server/map_component.h"

#include <unistd.h>

#include <cstdlib>
#include <exception>
#include <filesystem>
#include <iostream>

#include "platform/ado/connection.h"
#include "platform/ado/recordset.h"
#include "platform/com/error_info.h"
#include "engine/cancellation.h"
#include "engine/scoring_code.h"
#include "platform/ado/cancel.h"
#include "server/field_names.h"
#include "server/identifiers.h"

namespace orlix::server {

namespace {

// A fresh, empty file in the temporary directory, so that no two components
// share a node file; "" when none can be made (Run then fails writing it).
std::string freshNodeFileName() {
  std::error_code ec;
  std::filesystem::path dir = std::filesystem::temp_directory_path(ec);
  if (ec) dir = "/tmp";
  std::string name = (dir / "orlix-nodes-XXXXXX").string();
  const int fd = mkstemp(name.data());
  if (fd < 0) return {};
  close(fd);
  return name;
}

// Runs one engine operation; an exception it lets out (a cell of the wrong
// type) counts as its failure, written to standard error like an advisory.
template <class Operation>
int guarded(Operation operation) {
  try {
    return operation();
  } catch (const engine::RunCancelled&) {
    throw;  // not a failure of the operation: Run reports it
  } catch (const std::exception& e) {
    std::cerr << "DecisionMap error: " << e.what() << std::endl;
    return 1;
  }
}

}  // namespace

std::shared_ptr<ado::Recordset> recordsetOf(const com::Variant& value) {
  if (value.type() != com::VT_DISPATCH) return nullptr;
  return std::static_pointer_cast<ado::Recordset>(value.object());
}

MapComponent::MapComponent(MapTraits traits)
    : traits_(std::move(traits)),
      columns_(std::make_unique<std::array<engine::ColumnDescriptor, engine::kMaxColumns>>()),
      nodeFileName_(freshNodeFileName()),
      table_(std::make_unique<engine::RowTable>()) {}

MapComponent::~MapComponent() {
  engine_.reset();
  if (connection_ && connection_->State() == ado::adStateOpen) connection_->Close();
  if (!nodeFileName_.empty()) {
    std::error_code ec;
    std::filesystem::remove(nodeFileName_, ec);
  }
}

bool MapComponent::QueryInterface(const com::Guid& iid) const {
  return iid == kIidIUnknown || iid == kIidIDispatch || iid == traits_.identity.iid ||
         iid == kIidISupportErrorInfo || iid == kIidIConnectionPointContainer;
}

com::HRESULT MapComponent::InterfaceSupportsErrorInfo(const com::Guid& iid) const {
  return iid == traits_.identity.iid ? com::S_OK : com::S_FALSE;
}

com::HRESULT MapComponent::FindConnectionPoint(const com::Guid&) const { return com::CONNECT_E_NOCONNECTION; }

com::HRESULT MapComponent::fail(com::HRESULT code, const std::string& description) const {
  return com::ReportError(code, description, traits_.identity.progId, traits_.identity.iid);
}

void MapComponent::SetSplitTrace(bool on, std::string path) {
  traceOn_ = on;
  tracePath_ = std::move(path);
}

std::vector<MapComponent::SourceField> MapComponent::SourceFields() const {
  std::vector<SourceField> fields;
  for (size_t i = 0; i < sourceTypes_.size(); ++i) fields.push_back({(*columns_)[i].name, sourceTypes_[i]});
  return fields;
}

int MapComponent::findColumn(const std::string& name) const {
  if (name.empty()) return -1;
  for (int i = 0; i < sourceColumnCount_; ++i)
    if (sameFieldName((*columns_)[i].name, name)) return i;
  return -1;
}

com::HRESULT MapComponent::SetAsExcluded(const std::string& field_name) {
  if (const int i = findColumn(field_name); i >= 0) (*columns_)[i].included = 0;
  return com::S_OK;
}

com::HRESULT MapComponent::SetMinimumN(int32_t min_n) {
  minimumN_ = min_n;
  return com::S_OK;
}

com::HRESULT MapComponent::SetAsCharacter(const std::string& field_name) {
  if (const int i = findColumn(field_name); i >= 0) (*columns_)[i].kind = engine::kCharacterKind;
  return com::S_OK;
}

com::HRESULT MapComponent::SetAsDecile(const std::string& field_name) {
  const int i = findColumn(field_name);
  if (i < 0) return com::S_OK;
  if ((*columns_)[i].kind != engine::kNumericKind)
    return fail(com::E_FAIL, "Attempting to decile non-numeric field " + field_name);
  (*columns_)[i].decile = 1;
  return com::S_OK;
}

com::HRESULT MapComponent::SetAsTarget(const std::string& field_name) {
  const int i = findColumn(field_name);
  if (i < 0) return fail(com::DISP_E_EXCEPTION, "Specified target variable does not exist: " + field_name);
  engine::ColumnDescriptor& column = (*columns_)[i];
  if (column.kind != traits_.targetKind)
    return fail(com::DISP_E_EXCEPTION, traits_.wrongTargetMessage + field_name);
  column.isTarget = 1;
  targetName_ = column.name;
  return com::S_OK;
}

com::HRESULT MapComponent::failCancelled() const { return fail(com::E_ABORT, kRunCancelled); }

com::HRESULT MapComponent::Run() {
  try {
    const com::HRESULT code = runSteps();
    // A stage that failed because it was stopped reports the stop.
    return com::FAILED(code) && cancelled() ? failCancelled() : code;
  } catch (const engine::RunCancelled&) {
    return failCancelled();
  } catch (const ado::ReadCancelled&) {
    return failCancelled();
  } catch (const std::bad_alloc&) {
    return fail(com::E_FAIL, "Out of memory in move_to_memory");
  } catch (const std::exception& e) {
    return fail(com::E_FAIL, e.what());
  }
}

com::HRESULT MapComponent::runSteps() {
  if (targetName_ == "E_NOT_SET") return fail(com::E_FAIL, "Target variable has not been specified ");

  engine_.reset();
  engine_ = makeEngine(*table_);
  if (!engine_) return fail(com::E_FAIL, "Could not create decision map - possibly invalid data");

  const std::vector<int> order = engineOrder();
  // A later ConnectOLEDB on a narrower source can leave the marked target behind.
  if (order.empty()) return fail(com::E_FAIL, "Target variable has not been specified ");
  int count = 0;
  for (int i : order) engine_->columns()[count++] = (*columns_)[i];
  engineColumnCount_ = count;
  engineRowCount_ = sourceRowCount_;

  engine_->SetOutputFileName(nodeFileName_);
  engine_->SetSplitTrace(traceOn_, tracePath_);
  engine_->SetCancel(cancel_);

  if (move_to_memory() == 2) return com::E_FAIL;  // error information set by the fill

  engine::TreeEngine& e = *engine_;
  if (guarded([&] { return e.SetNumCols(engineColumnCount_); }))
    return fail(com::E_FAIL, "No columns found in OLE DB data source");
  if (guarded([&] { return e.SetNumRows(engineRowCount_); }))
    return fail(com::E_FAIL, "No rows found in OLE DB data source");
  guarded([&] { return e.SetOption1(0); });
  if (guarded([&] { return e.SetMinimumN(minimumN_); }))
    return fail(com::DISP_E_EXCEPTION, "Warning - minimum stopping rule was improperly set");
  guarded([&] { return e.SetOption2(0); });
  report(RunStage::Statistics, engineColumnCount_);
  if (guarded([&] { return e.InitializeVars(); }))
    return fail(com::E_FAIL, "Problem with data in the OLE DB data set prevented initialization");
  if (e.columns()[engineColumnCount_ - 1].kind != traits_.targetKind)
    return fail(com::E_FAIL, traits_.targetCheckMessage);
  report(RunStage::Growing, 0);
  if (guarded([&] { return e.CreateRoot(); }))
    return fail(com::E_FAIL, "Could not create decision map - possibly invalid data");
  if (guarded([&] { return e.Grow(*e.root()); }))
    return fail(com::E_FAIL, "Could not grow the decision map beyond root, possibly invalid data or memory");
  if (guarded([&] { return e.PrintResult(); }))
    return fail(com::E_FAIL, "Problem printing node structure to output file");
  return com::S_OK;
}

std::vector<int> MapComponent::engineOrder() const {
  std::vector<int> order;
  int target = -1;
  for (int i = 0; i < sourceColumnCount_; ++i) {
    const engine::ColumnDescriptor& column = (*columns_)[i];
    if (column.isTarget) {
      if (target < 0) target = i;
    } else if (column.included) {
      order.push_back(i);
    }
  }
  if (target < 0) return {};
  order.push_back(target);
  return order;
}

com::HRESULT MapComponent::Rows(int32_t* pVal) const {
  if (!pVal) return com::E_POINTER;
  *pVal = engineRowCount_;
  return com::S_OK;
}

com::HRESULT MapComponent::Cols(int32_t* pVal) const {
  if (!pVal) return com::E_POINTER;
  *pVal = engineColumnCount_;
  return com::S_OK;
}

const engine::ColumnDescriptor* MapComponent::engineTarget() const {
  if (!engine_ || engineColumnCount_ < 1) return nullptr;
  return &engine_->columns()[engineColumnCount_ - 1];
}

com::HRESULT MapComponent::MAPRules(std::string* pVal) {
  if (!pVal) return com::E_POINTER;
  engine::SegmentReportInput input;
  input.kind = traits_.mapKind;
  input.nodeFileName = nodeFileName_;
  input.sourceTable = tableName_;
  input.targetName = targetName_;
  input.variableCount = engineColumnCount_;
  input.minimumCount = minimumN_;
  const engine::ColumnDescriptor* target = engineTarget();
  input.classCount = target ? target->cardinality : 0;
  engine::GeneratedText generated = engine::makeSegmentReport(input);
  for (const std::string& problem : generated.problems) std::cerr << problem << std::endl;
  rulesText_ = std::move(generated.text);
  *pVal = rulesText_;
  return com::S_OK;
}

com::HRESULT MapComponent::MAPCode(std::string* pVal) {
  if (!pVal) return com::E_POINTER;
  engine::ScoringCodeInput input;
  input.kind = traits_.mapKind;
  input.nodeFileName = nodeFileName_;
  for (int i = 0; engine_ && i < engineColumnCount_; ++i) {
    const engine::ColumnDescriptor& column = engine_->columns()[i];
    engine::ScoringVariable variable{column.name, column.decile != 0, {}};
    for (int d = 0; d < 10; ++d) variable.cuts[d] = column.cuts[d][0];
    input.variables.push_back(std::move(variable));
  }
  engine::GeneratedText generated = engine::makeScoringCode(input);
  for (const std::string& problem : generated.problems) std::cerr << problem << std::endl;
  codeText_ = std::move(generated.text);
  *pVal = codeText_;
  return com::S_OK;
}

}  // namespace orlix::server
