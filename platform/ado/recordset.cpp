#include "platform/ado/recordset.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>

#include "platform/ado/adoxml/adoxml.h"
#include "platform/ado/connection_string.h"
#include "platform/ado/error.h"
#include "platform/ado/row_order.h"

namespace orlix::ado {

namespace {

const char* kClosed = "Operation is not allowed when the object is closed.";
const char* kOpen = "Operation is not allowed when the object is open.";
const char* kNoCurrent =
    "Either BOF or EOF is True, or the current record has been deleted. Requested operation "
    "requires a current record.";
const char* kNotFound =
    "Item cannot be found in the collection corresponding to the requested name or ordinal.";

[[noreturn]] void misuse(const std::string& message) { throw DataError("Recordset", message); }

}  // namespace

// ---- Field ----

const FieldInfo& Field::info() const {
  // Appended fields can be looked at before the record set is opened.
  if (!rs_->table_ && col_ < rs_->appended_.size()) return rs_->appended_[col_];
  return rs_->openTable().field(col_);
}
const std::string& Field::Name() const { return info().name; }
DataType Field::Type() const { return info().type; }
long Field::DefinedSize() const { return info().definedSize; }
long Field::Attributes() const { return info().attributes; }
int Field::Precision() const { return info().precision; }
int Field::NumericScale() const { return info().scale; }

com::Variant Field::Value() const { return rs_->openTable().value(rs_->currentRow(), col_); }

void Field::SetValue(const com::Variant& value) {
  rs_->openTable().setValue(rs_->currentRow(), col_, value);
}

// ---- Fields ----

long Fields::Count() const {
  if (!rs_->table_) return static_cast<long>(rs_->appended_.size());
  return static_cast<long>(rs_->table_->fieldCount());
}

Field Fields::Item(long index) const {
  if (index < 0 || index >= Count()) misuse(kNotFound);
  return Field(rs_, static_cast<size_t>(index));
}

Field Fields::Item(std::string_view name) const {
  size_t col = rs_->openTable().findField(name);
  if (col == Table::npos) misuse(std::string(kNotFound) + " (\"" + std::string(name) + "\")");
  return Field(rs_, col);
}

Field Fields::Item(const com::Variant& indexOrName) const {
  if (indexOrName.type() == com::VT_BSTR) return Item(std::string_view(indexOrName.text()));
  try {
    return Item(static_cast<long>(indexOrName.toInt32()));
  } catch (const com::TypeMismatch&) {
    misuse(kNotFound);
  }
}

void Fields::Append(std::string name, DataType type, long definedSize, long attributes) {
  if (rs_->table_) misuse(kOpen);
  if (name.empty()) misuse("a field needs a name");
  for (const FieldInfo& f : rs_->appended_)
    if (equalsIgnoreCase(f.name, name)) misuse("the field \"" + name + "\" is already appended");
  FieldInfo info;
  info.name = std::move(name);
  info.type = type;
  info.definedSize = definedSize;
  info.attributes = attributes;
  rs_->appended_.push_back(std::move(info));
}

// ---- Recordset ----

Recordset::Recordset() : fields_(this) {}

void Recordset::SetActiveConnection(std::shared_ptr<Connection> connection) {
  if (table_) misuse(kOpen);
  connection_ = std::move(connection);
}

void Recordset::SetActiveConnection(std::string_view connectionString) {
  if (table_) misuse(kOpen);
  auto c = std::make_shared<Connection>();
  c->SetConnectionString(std::string(connectionString));
  connection_ = std::move(c);
}

void Recordset::Open(std::string_view source, std::shared_ptr<Connection> connection,
                     CursorTypeEnum cursorType, LockTypeEnum lockType, long options) {
  if (table_) misuse(kOpen);
  if (connection) connection_ = std::move(connection);
  if (options == adCmdFile || (!connection_ && !source.empty())) {
    start(readAdoXmlFile(std::string(source)), cursorType, lockType);
    return;
  }
  if (!connection_) {
    if (appended_.empty()) misuse("no fields appended to an in-memory record set");
    auto table = std::make_shared<Table>("Recordset");
    for (const FieldInfo& f : appended_) table->appendField(f);
    start(std::move(table), cursorType, lockType);
    return;
  }
  if (connection_->State() == adStateClosed) connection_->Open();
  start(connection_->provider().query(source), cursorType, lockType);
}

void Recordset::Open(std::string_view source, std::string_view connectionString,
                     CursorTypeEnum cursorType, LockTypeEnum lockType, long options) {
  SetActiveConnection(connectionString);
  Open(source, std::shared_ptr<Connection>(), cursorType, lockType, options);
}

void Recordset::start(std::shared_ptr<Table> table, CursorTypeEnum cursorType,
                      LockTypeEnum lockType) {
  table_ = std::move(table);
  appended_.clear();
  order_.clear();
  sorted_ = false;
  sort_.clear();
  pos_ = 0;
  // A client cursor is always static.
  cursorType_ = cursorType == adOpenUnspecified ? adOpenStatic : cursorType;
  lockType_ = lockType == adLockUnspecified ? adLockReadOnly : lockType;
}

void Recordset::Close() {
  if (!table_) misuse(kClosed);
  table_.reset();
  order_.clear();
  sorted_ = false;
  sort_.clear();
}

Table& Recordset::openTable() const {
  if (!table_) misuse(kClosed);
  return *table_;
}

size_t Recordset::visibleCount() const { return sorted_ ? order_.size() : openTable().rowCount(); }

size_t Recordset::currentRow() const {
  if (pos_ < 0 || static_cast<size_t>(pos_) >= visibleCount()) misuse(kNoCurrent);
  return sorted_ ? order_[static_cast<size_t>(pos_)] : static_cast<size_t>(pos_);
}

long Recordset::RecordCount() const { return static_cast<long>(visibleCount()); }

void Recordset::MoveFirst() {
  openTable();
  pos_ = 0;
}

void Recordset::MoveNext() {
  if (Eof()) misuse(kNoCurrent);
  ++pos_;
}

void Recordset::MovePrevious() {
  if (Bof()) misuse(kNoCurrent);
  --pos_;
}

void Recordset::MoveLast() {
  openTable();
  pos_ = static_cast<long>(visibleCount()) - 1;
  if (pos_ < 0) pos_ = 0;
}

bool Recordset::Eof() const {
  return static_cast<size_t>(std::max(pos_, 0L)) >= visibleCount();
}

bool Recordset::Bof() const { return pos_ < 0 || visibleCount() == 0; }

long Recordset::AbsolutePosition() const {
  if (Bof() || Eof()) return -1;
  return pos_ + 1;
}

void Recordset::AddNew() {
  Table& t = openTable();
  size_t row = t.appendRow();
  t.setRowStatus(row, RowStatus::Inserted);
  if (sorted_) order_.push_back(row);
  pos_ = static_cast<long>(visibleCount()) - 1;
}

void Recordset::Update() { currentRow(); }

std::shared_ptr<Recordset> Recordset::Clone() const {
  openTable();
  auto copy = std::make_shared<Recordset>();
  copy->connection_ = connection_;
  copy->cursorLocation_ = cursorLocation_;
  copy->start(table_, cursorType_, lockType_);
  return copy;
}

void Recordset::SetSort(std::string_view sort) {
  const Table& t = openTable();
  std::vector<SortKey> keys = parseSortKeys(sort, t);
  sort_ = std::string(sort);
  sorted_ = !keys.empty();
  order_ = sorted_ ? sortedRows(t, keys) : std::vector<size_t>{};
  pos_ = 0;
}

void Recordset::Save(const std::string& path, PersistFormatEnum format) const {
  const Table& t = openTable();
  if (format != adPersistXML) throw DataError(path, "only the XML format can be saved");
  std::error_code ec;
  if (std::filesystem::exists(path, ec)) throw DataError(path, "File already exists.");
  std::string xml = adoXmlText(t);
  std::ofstream out(path, std::ios::binary);
  out.write(xml.data(), static_cast<std::streamsize>(xml.size()));
  out.close();
  if (!out) throw DataError(path, "the file cannot be written");
}

}  // namespace orlix::ado
