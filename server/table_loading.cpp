// Reading the source table: its shape at ConnectOLEDB, its values into the
// analysis table at Run (move_to_memory).
#include <iostream>
#include <new>

#include "platform/ado/connection.h"
#include "platform/ado/error.h"
#include "platform/ado/recordset.h"
#include "platform/com/error_info.h"
#include "server/decision_error.h"
#include "server/field_kind.h"
#include "server/map_component.h"

namespace orlix::server {

namespace {

// Appends one present cell of a field of `type`: integers and doubles as
// delivered, text as it is, any other type (dates, currency, decimals,
// booleans, ...) as its text.
void appendCell(engine::RowTable& table, const ado::Table& source, size_t row, size_t col, ado::DataType type) {
  if (type == ado::adInteger) {
    table.AppendInt32(static_cast<int32_t>(source.integerAt(row, col)));
  } else if (type == ado::adDouble) {
    table.AppendDouble(source.realAt(row, col));
  } else if (ado::storageOf(type) == ado::Storage::Text) {
    table.AppendString(source.textAt(row, col));
  } else {
    table.AppendString(source.value(row, col).toString());
  }
}

}  // namespace

void MapComponent::openSource() {
  if (!sourceRecordset_) sourceRecordset_ = std::make_shared<ado::Recordset>();
  sourceRecordset_->SetActiveConnection(connection_);
  sourceRecordset_->SetCursorLocation(ado::adUseClient);
  sourceRecordset_->Open("select * from " + tableName_, std::shared_ptr<ado::Connection>(), ado::adOpenKeyset, ado::adLockBatchOptimistic,
                         ado::adCmdUnspecified);
}

void MapComponent::closeSource() {
  if (!sourceRecordset_) return;
  if (sourceRecordset_->State() == ado::adStateOpen) sourceRecordset_->Close();
  sourceRecordset_->SetCursorLocation(ado::adUseServer);
}

com::HRESULT MapComponent::ConnectOLEDB(const std::string& connection_string, const std::string& table_name) {
  try {
    return connect(connection_string, table_name);
  } catch (const std::bad_alloc&) {
    closeSource();
    return fail(com::E_FAIL, "Out of memory reading " + table_name);
  } catch (const std::exception& e) {
    closeSource();
    return fail(com::E_FAIL, std::string("Failed to connect to source data: ") + e.what());
  }
}

com::HRESULT MapComponent::connect(const std::string& connection_string, const std::string& table_name) {
  connectionString_ = connection_string;
  tableName_ = table_name;
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
  try {
    openSource();
  } catch (const ado::DataError& e) {
    closeSource();
    return raise("Data source not found", e);
  }

  const long fieldCount = sourceRecordset_->Fields().Count();
  if (fieldCount > engine::kMaxColumns) {
    closeSource();
    return fail(com::E_FAIL, "The table " + tableName_ + " has " + std::to_string(fieldCount) +
                                 " fields; at most " + std::to_string(engine::kMaxColumns) + " can be analysed");
  }
  sourceRowCount_ = static_cast<int>(sourceRecordset_->RecordCount());
  sourceColumnCount_ = static_cast<int>(fieldCount);
  sourceTypes_.clear();
  for (int i = 0; i < sourceColumnCount_; ++i) {
    const ado::Field field = sourceRecordset_->Fields().Item(static_cast<long>(i));
    (*columns_)[i].name = field.Name();
    (*columns_)[i].kind = fieldKindOf(field.Type());
    sourceTypes_.push_back(field.Type());
  }
  closeSource();
  return com::S_OK;
}

int MapComponent::move_to_memory() {
  // A source that had no records at ConnectOLEDB is read all the same: what
  // it holds now is not lost, and an empty one still stores no row.
  if (sourceColumnCount_ == 0) return 1;

  std::vector<size_t> used;
  for (int i : engineOrder()) used.push_back(static_cast<size_t>(i));

  try {
    table_->Reset(static_cast<int>(used.size()));
    table_->Reserve(sourceRowCount_);
  } catch (const std::bad_alloc& e) {
    std::cout << "memory allocation failed in move_to_memory " << e.what() << std::endl;
    fail(com::E_FAIL, "Out of memory in move_to_memory");
    return 2;
  }

  try {
    openSource();
  } catch (const ado::DataError& e) {
    closeSource();
    fail(com::E_FAIL, std::string("Failed to read source data: ") + e.what());
    return 2;
  }
  const std::shared_ptr<const ado::Table> source = sourceRecordset_->table();
  if (source->fieldCount() < static_cast<size_t>(sourceColumnCount_)) {
    closeSource();
    fail(com::E_FAIL, "The table " + tableName_ + " has " + std::to_string(source->fieldCount()) +
                          " fields now; ConnectOLEDB found " + std::to_string(sourceColumnCount_));
    return 2;
  }

  // Types at fill time decide what a missing value does.
  std::vector<ado::DataType> types;
  for (size_t col : used) types.push_back(source->field(col).type);
  std::vector<char> missing(used.size());

  // Rows beyond the count ConnectOLEDB saw are kept: the table grows.
  int stored = 0;
  for (size_t row = 0; row < source->rowCount(); ++row) {
    bool dropped = false;
    for (size_t i = 0; i < used.size(); ++i) {
      missing[i] = source->isNull(row, used[i]);
      if (missing[i] && !ado::isCharacterType(types[i])) dropped = true;
    }
    if (dropped) continue;
    for (size_t i = 0; i < used.size(); ++i) {
      if (missing[i])
        table_->AppendString("MISSING");
      else
        appendCell(*table_, *source, row, used[i], types[i]);
    }
    table_->EndRow();
    ++stored;
  }
  engineRowCount_ = stored;
  closeSource();
  return 0;
}

}  // namespace orlix::server
