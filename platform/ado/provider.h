// Provider: one opened data source behind a Connection. A provider reads
// whole results into a Table (client-side cursors only) and lists its tables.
// Sources are read-only. Every failure is a DataError naming the source.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ado/cancel.h"
#include "platform/ado/table.h"

namespace orlix::ado {

// A file as it stands at one moment: what was read from it is still current
// while its size and modification time are the same.
struct FileStamp {
  std::string path;
  std::uintmax_t size = 0;
  std::int64_t modified = 0;  // nanoseconds since the epoch
  bool operator==(const FileStamp&) const = default;
};

// The stamps of `paths`, skipping those that do not exist (a memo file that
// a table may lack); a file that exists but cannot be examined gets size
// and time 0, so that it never matches a later stamp.
std::vector<FileStamp> stampFiles(const std::vector<std::string>& paths);

// What a source returns, learned without keeping anything back: its fields
// and, where learning them meant reading every row (the file formats, whose
// field types follow from the values), those rows too.
struct SourceShape {
  std::vector<FieldInfo> fields;
  std::shared_ptr<Table> rows;  // null where the fields were learned without reading the rows
};

class Provider {
 public:
  virtual ~Provider() = default;

  // Runs `source`, either a table expression ("[sales.txt]", "Sheet1$") or
  // "select * from " + one, and returns the complete result; the caller owns it.
  virtual std::shared_ptr<Table> query(std::string_view source) = 0;
  // The fields `source` returns. By default the source is read whole and the
  // rows are handed over with them; SQL providers describe the statement
  // through the database instead, fetching no row.
  virtual SourceShape describe(std::string_view source);
  // The files `source` reads, stamped now (stamp before a read: a file that
  // changes during the read then no longer matches). Empty where the source
  // is no file of its own (a database server).
  virtual std::vector<FileStamp> stamps(std::string_view source);
  // The names of the tables (or sheets) the source offers, in catalog order.
  virtual std::vector<std::string> tableNames() = 0;
  // Has the reads that follow stop with ReadCancelled once `flag` is raised
  // (null: never). Providers that read long look at it as they go.
  void setCancel(CancelFlag flag) { cancel_ = flag; }

 protected:
  CancelFlag cancel_ = nullptr;
};

// The table a record-set source names, for providers that take no SQL:
// "select * from [T]", "select * from T", "[T]", "`T`", "\"T\"" or "T" give T.
// A second statement (";" outside brackets or quotes) or any other SQL
// (where, joins, column lists) throws DataError naming `sourceName`.
std::string tableNameFromSource(std::string_view source, const std::string& sourceName);

}  // namespace orlix::ado
