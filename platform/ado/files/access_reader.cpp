#include "platform/ado/files/access_reader.h"

#include <mdbtools.h>

#include <cstring>
#include <memory>

#include "platform/ado/field_names.h"
#include "platform/ado/files/isolated_reader.h"

namespace orlix::ado {

namespace {

// Long enough for any memo an analysis uses; a longer one is refused, not cut.
constexpr std::size_t kBindSize = 256 * 1024;

struct MdbCloser {
  void operator()(MdbHandle* mdb) const { mdb_close(mdb); }
};
struct TableCloser {
  void operator()(MdbTableDef* table) const { mdb_free_tabledef(table); }
};
struct GFree {
  void operator()(void* p) const { g_free(p); }
};
using MdbPtr = std::unique_ptr<MdbHandle, MdbCloser>;
using TablePtr = std::unique_ptr<MdbTableDef, TableCloser>;
using GString = std::unique_ptr<char, GFree>;

MdbPtr OpenDatabase(const std::string& path) {
  MdbPtr mdb(mdb_open(path.c_str(), MDB_NOFLAGS));
  if (!mdb) ThrowFileError(path, "cannot be opened as an Access database");
  mdb_set_bind_size(mdb.get(), kBindSize);
  if (!mdb_read_catalog(mdb.get(), MDB_ANY)) ThrowFileError(path, "has no readable catalog of tables");
  return mdb;
}

bool IsUserTable(MdbCatalogEntry* entry) {
  return entry->object_type == MDB_TABLE && !mdb_is_system_table(entry);
}

struct AccessColumn {
  MdbColumn* col;
  int type;
  std::int32_t size;
};

int AdoTypeOf(int mdb_type) {
  switch (mdb_type) {
    case MDB_BOOL: return kFileBoolean;
    case MDB_BYTE: return kFileUnsignedTinyInt;
    case MDB_INT: return kFileSmallInt;
    case MDB_LONGINT: return kFileInteger;
    case MDB_MONEY: return kFileCurrency;
    case MDB_FLOAT: return kFileSingle;
    case MDB_DOUBLE: return kFileDouble;
    case MDB_DATETIME: return kFileDate;
    case MDB_TEXT: return kFileVarWChar;
    case MDB_MEMO: return kFileLongVarWChar;
    case MDB_REPID: return kFileGuid;
    case MDB_NUMERIC: return kFileNumeric;
    case MDB_BINARY: return kFileVarBinary;
    case MDB_OLE: return kFileLongVarBinary;
    default: return -1;
  }
}

// The fixed width of each fixed-size type, to check a row before reading it.
int FixedWidth(int mdb_type) {
  switch (mdb_type) {
    case MDB_BYTE: return 1;
    case MDB_INT: return 2;
    case MDB_LONGINT: case MDB_FLOAT: return 4;
    case MDB_MONEY: case MDB_DOUBLE: case MDB_DATETIME: return 8;
    case MDB_REPID: case MDB_NUMERIC: return 16;
    default: return 0;
  }
}

class AccessTable {
 public:
  AccessTable(const std::string& path, const std::string& name) : path_(path), mdb_(OpenDatabase(path)) {
    MdbCatalogEntry* entry = Find(name);
    table_.reset(mdb_read_table(entry));
    if (!table_ || !mdb_read_columns(table_.get()))
      ThrowFileError(path_, "the definition of table " + name + " cannot be read");
    name_ = table_->name;
    for (unsigned i = 0; i < table_->num_cols; ++i) {
      auto* col = static_cast<MdbColumn*>(g_ptr_array_index(table_->columns, i));
      int type = AdoTypeOf(col->col_type);
      if (type < 0)
        ThrowFileError(path_, "field " + std::string(col->name) + " of table " + name_ +
                                  " has a type this reader does not know");
      std::int32_t size = col->col_size;
      if (type == kFileVarWChar && !IS_JET3(mdb_.get())) size /= 2;  // Jet 4 sizes count bytes of UTF-16
      if (type == kFileLongVarWChar || type == kFileLongVarBinary) size = 0x3FFFFFFF;
      if (type == kFileBoolean) size = 2;
      columns_.push_back({col, type, size});
    }
  }

  void Read(FileTableSink& sink) {
    std::vector<std::string> names;
    for (const auto& c : columns_) names.push_back(c.col->name);
    MakeFieldNamesUnique(names);
    std::vector<FileField> fields;
    for (std::size_t i = 0; i < columns_.size(); ++i) fields.push_back({names[i], columns_[i].type, columns_[i].size});
    sink.SetFields(std::move(fields));

    std::vector<FileCell> cells(columns_.size());
    std::vector<MdbField> cracked(MDB_MAX_COLS);
    mdb_rewind_table(table_.get());
    unsigned rows = 0;
    while (mdb_fetch_row(table_.get())) {
      ++rows;
      int start = 0;
      size_t size = 0;
      if (mdb_find_row(mdb_.get(), table_->cur_row - 1, &start, &size) != 0 ||
          mdb_crack_row(table_.get(), start, size, cracked.data()) < static_cast<int>(columns_.size()))
        BadRow(rows, "cannot be decoded");
      std::fill(cells.begin(), cells.end(), FileCell{});
      for (std::size_t i = 0; i < columns_.size(); ++i) {
        const MdbField& f = cracked[i];
        if (f.colnum < 0 || static_cast<std::size_t>(f.colnum) >= columns_.size()) BadRow(rows, "cannot be decoded");
        cells[f.colnum] = Value(columns_[f.colnum], f, rows);
      }
      sink.AddRow(cells);
    }
    if (rows < table_->num_rows)
      ThrowFileError(path_, "table " + name_ + " announces " + std::to_string(table_->num_rows) +
                                " rows but only " + std::to_string(rows) + " can be read");
  }

 private:
  MdbCatalogEntry* Find(const std::string& name) {
    for (unsigned i = 0; i < mdb_->num_catalog; ++i) {
      auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb_->catalog, i));
      if (entry->object_type == MDB_TABLE && equalsIgnoreCase(entry->object_name, name)) return entry;
    }
    ThrowFileError(path_, "has no table " + name);
  }

  [[noreturn]] void BadRow(unsigned row, const std::string& what) const {
    ThrowFileError(path_, "row " + std::to_string(row) + " of table " + name_ + " " + what);
  }

  FileCell Value(const AccessColumn& c, const MdbField& f, unsigned row) const {
    int type = c.col->col_type;
    if (type == MDB_BOOL) return !f.is_null;  // a Yes/No value lives in the null mask
    if (f.is_null) return std::monostate{};
    unsigned char* buf = mdb_->pg_buf;
    int width = FixedWidth(type);
    if (f.start < 0 || f.siz < 0 || f.start + f.siz > static_cast<int>(mdb_->fmt->pg_size) ||
        (width && f.siz != width))
      BadRow(row, "has a damaged value in field " + std::string(c.col->name));
    switch (type) {
      case MDB_BYTE: return static_cast<std::int32_t>(buf[f.start]);
      case MDB_INT: return static_cast<std::int32_t>(static_cast<std::int16_t>(mdb_get_int16(buf, f.start)));
      case MDB_LONGINT: return static_cast<std::int32_t>(mdb_get_int32(buf, f.start));
      case MDB_FLOAT: return static_cast<double>(mdb_get_single(buf, f.start));
      case MDB_DOUBLE:
      case MDB_DATETIME: return mdb_get_double(buf, f.start);
      case MDB_MONEY: {
        std::int64_t value;
        std::memcpy(&value, buf + f.start, sizeof value);
        return value;
      }
      case MDB_REPID: return Owned(mdb_uuid_to_string(buf, f.start));
      case MDB_NUMERIC: {
        return Owned(mdb_numeric_to_string(mdb_.get(), f.start, c.col->col_scale, c.col->col_prec));
      }
      case MDB_BINARY: return std::string(reinterpret_cast<char*>(buf) + f.start, f.siz);
      case MDB_OLE: return Ole(c, f, row);
      default: return Text(c, f, row);
    }
  }

  std::string Owned(char* text) const {
    GString owned(text);
    return owned ? std::string(owned.get()) : std::string();
  }

  FileCell Text(const AccessColumn& c, const MdbField& f, unsigned row) const {
    std::string text = Owned(mdb_col_to_string(mdb_.get(), mdb_->pg_buf, f.start, c.col->col_type, f.siz));
    if (text.size() + 4 >= kBindSize)
      BadRow(row, "holds a text in field " + std::string(c.col->name) + " longer than " +
                      std::to_string(kBindSize / 4) + " characters");
    return text;
  }

  FileCell Ole(const AccessColumn& c, const MdbField& f, unsigned row) const {
    c.col->cur_value_start = f.start;
    c.col->cur_value_len = f.siz;
    size_t size = 0;
    void* data = mdb_ole_read_full(mdb_.get(), c.col, &size);
    if (!data) BadRow(row, "has an unreadable object in field " + std::string(c.col->name));
    std::string bytes(static_cast<char*>(data), size);
    g_free(data);
    return bytes;
  }

  std::string path_;
  std::string name_;
  MdbPtr mdb_;
  TablePtr table_;
  std::vector<AccessColumn> columns_;
};

}  // namespace

// libmdb loops for minutes on some damaged files: it runs in a child process that
// must answer within this time.
constexpr std::chrono::seconds kSilenceLimit{10};

std::vector<std::string> listAccessTables(const std::string& path) {
  return ListIsolated(path, [&path] {
    MdbPtr mdb = OpenDatabase(path);
    std::vector<std::string> names;
    for (unsigned i = 0; i < mdb->num_catalog; ++i) {
      auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
      if (IsUserTable(entry)) names.emplace_back(entry->object_name);
    }
    return names;
  }, kSilenceLimit);
}

void readAccessTable(const std::string& path, const std::string& table, FileTableSink& sink) {
  RunIsolated(path, [&](FileTableSink& out) { AccessTable(path, table).Read(out); }, sink, kSilenceLimit);
}

}  // namespace orlix::ado
