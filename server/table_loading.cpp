// Reading the source table: its shape at ConnectOLEDB, its values into the
// analysis table at Run (move_to_memory). A source whose field types follow
// from its values (a file) is read whole at ConnectOLEDB, and Run takes what
// was read while the files are unchanged; a SQL source is only described at
// ConnectOLEDB and read at Run. Either way the source is read once.
#include <iostream>
#include <new>

#include "engine/cancellation.h"
#include "platform/ado/cancel.h"
#include "platform/ado/connection.h"
#include "platform/ado/error.h"
#include "platform/ado/recordset.h"
#include "platform/com/error_info.h"
#include "server/analysis_columns.h"
#include "server/decision_error.h"
#include "server/field_kind.h"
#include "server/map_component.h"

namespace orlix::server {

std::string MapComponent::sourceQuery() const { return "select * from " + tableName_; }

void MapComponent::report(RunStage stage, long count) const {
  engine::ThrowIfCancelled(cancel_);
  if (progress_) progress_(stage, count);
}

void MapComponent::openSource() {
  if (!sourceRecordset_) sourceRecordset_ = std::make_shared<ado::Recordset>();
  sourceRecordset_->SetActiveConnection(connection_);
  sourceRecordset_->SetCursorLocation(ado::adUseClient);
  sourceRecordset_->Open(sourceQuery(), std::shared_ptr<ado::Connection>(), ado::adOpenKeyset, ado::adLockBatchOptimistic,
                         ado::adCmdUnspecified);
}

void MapComponent::closeSource() {
  if (!sourceRecordset_) return;
  if (sourceRecordset_->State() == ado::adStateOpen) sourceRecordset_->Close();
  sourceRecordset_->SetCursorLocation(ado::adUseServer);
}

ado::Provider& MapComponent::sourceProvider() {
  if (!connection_) throw ado::DataError("Connection", "Operation is not allowed when the object is closed.");
  if (connection_->State() == ado::adStateClosed) connection_->Open();
  connection_->provider().setCancel(cancel_);
  return connection_->provider();
}

com::HRESULT MapComponent::ConnectOLEDB(const std::string& connection_string, const std::string& table_name) {
  try {
    return connect(connection_string, table_name);
  } catch (const engine::RunCancelled&) {
    kept_ = {};
    return failCancelled();
  } catch (const ado::ReadCancelled&) {
    kept_ = {};
    return failCancelled();
  } catch (const std::bad_alloc&) {
    kept_ = {};
    return fail(com::E_FAIL, "Out of memory reading " + table_name);
  } catch (const std::exception& e) {
    kept_ = {};
    return fail(com::E_FAIL, std::string("Failed to connect to source data: ") + e.what());
  }
}

com::HRESULT MapComponent::connect(const std::string& connection_string, const std::string& table_name) {
  connectionString_ = connection_string;
  tableName_ = table_name;
  kept_ = {};
  const auto raise = [&](const std::string& message, const std::exception& cause) {
    fail(com::E_FAIL, std::string("Failed to connect to source data: ") + cause.what());
    printDecisionError({message, "ConnectOLEDB", "Check syntax of connection string", "Critical"}, std::cerr);
    return com::E_FAIL;
  };

  if (connection_ && connection_->State() == ado::adStateOpen) connection_->Close();
  connection_ = std::make_shared<ado::Connection>();
  try {
    connection_->SetConnectionString(connectionString_);
    connection_->Open("", "", "", -1);
  } catch (const ado::DataError& e) {
    return raise("Connection string failed", e);
  }
  ado::SourceShape shape;
  try {
    ado::Provider& provider = connection_->provider();
    provider.setCancel(cancel_);
    std::vector<ado::FileStamp> stamps = provider.stamps(sourceQuery());
    shape = provider.describe(sourceQuery());
    if (shape.rows) report(RunStage::Read, static_cast<long>(shape.rows->rowCount()));
    if (shape.rows && !stamps.empty()) kept_ = {shape.rows, std::move(stamps)};
  } catch (const ado::DataError& e) {
    kept_ = {};
    return raise("Data source not found", e);
  }

  const size_t fieldCount = shape.fields.size();
  if (fieldCount > static_cast<size_t>(engine::kMaxColumns)) {
    kept_ = {};
    return fail(com::E_FAIL, "The table " + tableName_ + " has " + std::to_string(fieldCount) +
                                 " fields; at most " + std::to_string(engine::kMaxColumns) + " can be analysed");
  }
  sourceRowCount_ = shape.rows ? static_cast<int>(shape.rows->rowCount()) : 0;
  sourceColumnCount_ = static_cast<int>(fieldCount);
  sourceTypes_.clear();
  for (int i = 0; i < sourceColumnCount_; ++i) {
    const ado::FieldInfo& field = shape.fields[static_cast<size_t>(i)];
    (*columns_)[i].name = field.name;
    (*columns_)[i].kind = fieldKindOf(field.type);
    sourceTypes_.push_back(field.type);
  }
  return com::S_OK;
}

com::HRESULT MapComponent::TakeConnection(MapComponent& other) {
  if (&other == this) return com::S_OK;
  if (!other.connection_) return fail(com::E_FAIL, "The component to take the connection from is not connected");
  connectionString_ = std::move(other.connectionString_);
  tableName_ = std::move(other.tableName_);
  if (connection_ && connection_->State() == ado::adStateOpen) connection_->Close();
  connection_ = std::move(other.connection_);
  kept_ = std::move(other.kept_);
  sourceRowCount_ = other.sourceRowCount_;
  sourceColumnCount_ = other.sourceColumnCount_;
  sourceTypes_ = std::move(other.sourceTypes_);
  for (int i = 0; i < sourceColumnCount_; ++i) {
    (*columns_)[i].name = (*other.columns_)[i].name;
    (*columns_)[i].kind = fieldKindOf(sourceTypes_[static_cast<size_t>(i)]);
  }
  other.connectionString_ = other.tableName_ = "E_NOT_SET";
  other.kept_ = {};
  other.sourceRowCount_ = other.sourceColumnCount_ = 0;
  other.sourceTypes_.clear();
  return com::S_OK;
}

std::shared_ptr<ado::Table> MapComponent::takeSourceRows() {
  KeptSource kept = std::move(kept_);
  kept_ = {};
  ado::Provider& provider = sourceProvider();
  if (kept.rows && provider.stamps(sourceQuery()) == kept.stamps) return std::move(kept.rows);
  kept.rows.reset();  // changed since: read afresh, so that rows added meanwhile are taken
  report(RunStage::Reading, 0);
  std::shared_ptr<ado::Table> rows = provider.query(sourceQuery());
  report(RunStage::Read, static_cast<long>(rows->rowCount()));
  return rows;
}

int MapComponent::move_to_memory() {
  // A source that had no records at ConnectOLEDB is read all the same: what
  // it holds now is not lost, and an empty one still stores no row.
  if (sourceColumnCount_ == 0) return 1;

  std::vector<size_t> used;
  for (int i : engineOrder()) used.push_back(static_cast<size_t>(i));

  std::shared_ptr<ado::Table> source;
  try {
    source = takeSourceRows();
  } catch (const ado::DataError& e) {
    fail(com::E_FAIL, std::string("Failed to read source data: ") + e.what());
    return 2;
  }
  if (source->fieldCount() < static_cast<size_t>(sourceColumnCount_)) {
    fail(com::E_FAIL, "The table " + tableName_ + " has " + std::to_string(source->fieldCount()) +
                          " fields now; ConnectOLEDB found " + std::to_string(sourceColumnCount_));
    return 2;
  }

  try {
    // The table is this component's alone: its columns move into the analysis table.
    table_->Assign(analysisColumns(source->releaseColumns(), used, cancel_));
  } catch (const std::bad_alloc& e) {
    std::cerr << "memory allocation failed in move_to_memory " << e.what() << std::endl;
    fail(com::E_FAIL, "Out of memory in move_to_memory");
    return 2;
  }
  engineRowCount_ = table_->RowCount();
  return 0;
}

}  // namespace orlix::server
