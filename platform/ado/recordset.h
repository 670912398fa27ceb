// Recordset: a client-side cursor over a Table, as ADO's record set with a
// client cursor: opened from a connection (a query or table expression),
// from a file saved by Save, or built in memory (Fields.Append, Open with an
// empty source, AddNew / set values / Update). Not copyable: Clone() makes
// another cursor over the same rows. Errors are DataError (source "Recordset"
// for misuse, with ADO's wording).
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ado/connection.h"
#include "platform/ado/constants.h"
#include "platform/ado/table.h"
#include "platform/com/variant.h"

namespace orlix::ado {

class Recordset;

// One field of a record set: a light handle, valid while the record set is.
class Field {
 public:
  const std::string& Name() const;
  DataType Type() const;
  long DefinedSize() const;
  long Attributes() const;
  int Precision() const;
  int NumericScale() const;
  // The value in the current record (NULL as a VT_NULL Variant).
  com::Variant Value() const;
  // Writes into the current record, converted to the field's type.
  void SetValue(const com::Variant& value);

 private:
  friend class Fields;
  Field(Recordset* rs, size_t col) : rs_(rs), col_(col) {}
  const FieldInfo& info() const;
  Recordset* rs_;
  size_t col_;
};

class Fields {
 public:
  long Count() const;
  Field Item(long index) const;
  Field Item(std::string_view name) const;  // ignores ASCII case
  Field Item(const char* name) const { return Item(std::string_view(name)); }
  Field Item(const std::string& name) const { return Item(std::string_view(name)); }
  Field Item(const com::Variant& indexOrName) const;
  Field operator[](long index) const { return Item(index); }
  Field operator[](std::string_view name) const { return Item(name); }
  // Adds a field to a closed record set that will be opened without a source.
  void Append(std::string name, DataType type, long definedSize = 0,
              long attributes = adFldUnspecified);

 private:
  friend class Recordset;
  explicit Fields(Recordset* rs) : rs_(rs) {}
  Recordset* rs_;
};

class Recordset {
 public:
  Recordset();
  Recordset(const Recordset&) = delete;
  Recordset& operator=(const Recordset&) = delete;

  void SetActiveConnection(std::shared_ptr<Connection> connection);
  // A connection string: a new connection is opened on it at Open.
  void SetActiveConnection(std::string_view connectionString);
  std::shared_ptr<Connection> ActiveConnection() const { return connection_; }
  void SetCursorLocation(CursorLocationEnum location) { cursorLocation_ = location; }
  CursorLocationEnum CursorLocation() const { return cursorLocation_; }
  CursorTypeEnum CursorType() const { return cursorType_; }
  LockTypeEnum LockType() const { return lockType_; }

  // Opens `source` on the active connection (or on `connection` when given);
  // with no connection and an empty source, an in-memory record set of the
  // appended fields; with options adCmdFile (or no connection and a source),
  // a file written by Save.
  void Open(std::string_view source = {}, std::shared_ptr<Connection> connection = nullptr,
            CursorTypeEnum cursorType = adOpenUnspecified,
            LockTypeEnum lockType = adLockUnspecified, long options = adCmdUnspecified);
  void Open(std::string_view source, std::string_view connectionString,
            CursorTypeEnum cursorType = adOpenUnspecified,
            LockTypeEnum lockType = adLockUnspecified, long options = adCmdUnspecified);
  void Close();
  ObjectStateEnum State() const { return table_ ? adStateOpen : adStateClosed; }

  // Exact with the client cursor.
  long RecordCount() const;
  ::orlix::ado::Fields& Fields() { return fields_; }
  const ::orlix::ado::Fields& Fields() const { return fields_; }

  void MoveFirst();
  void MoveNext();
  void MovePrevious();
  void MoveLast();
  // EOF is a macro of <cstdio>, hence Eof().
  bool Eof() const;
  bool Bof() const;
  // 1-based position of the current record; -1 at BOF or EOF.
  long AbsolutePosition() const;

  // Appends a record (a pending insert until saved) and makes it current.
  void AddNew();
  void Update();
  // A new cursor over the same rows, at the first record, in table order.
  std::shared_ptr<Recordset> Clone() const;
  // "Field [ASC|DESC][, ...]"; an empty text restores the table order.
  void SetSort(std::string_view sort);
  const std::string& Sort() const { return sort_; }

  // Writes the rows in the ADO XML format. Like ADO, refuses to replace an
  // existing file. Only adPersistXML is supported.
  void Save(const std::string& path, PersistFormatEnum format = adPersistXML) const;

  // The rows behind the cursor (shared with clones); null when closed.
  std::shared_ptr<const Table> table() const { return table_; }

 private:
  friend class Field;
  friend class ::orlix::ado::Fields;

  Table& openTable() const;
  size_t currentRow() const;
  size_t visibleCount() const;
  void start(std::shared_ptr<Table> table, CursorTypeEnum cursorType, LockTypeEnum lockType);

  std::shared_ptr<Table> table_;
  std::vector<FieldInfo> appended_;
  std::vector<size_t> order_;  // visible rows when sorted
  bool sorted_ = false;
  std::string sort_;
  long pos_ = 0;  // index into the visible rows; -1 is BOF
  std::shared_ptr<Connection> connection_;
  CursorLocationEnum cursorLocation_ = adUseServer;
  CursorTypeEnum cursorType_ = adOpenForwardOnly;
  LockTypeEnum lockType_ = adLockReadOnly;
  ::orlix::ado::Fields fields_;
};

}  // namespace orlix::ado
