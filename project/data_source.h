// The data formats of the data import dialog and the connection string and
// table expression built for a file of each, shared by the program's dialog
// and the batch front end so both reach a file through the same strings.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace orlix::project {

// Format codes: the index in the dialog's format list.
enum DataFormat : int {
  kAccess2000 = 0,
  kDBase3 = 1,
  kDBase4 = 2,
  kDBase5 = 3,
  kExcel2000 = 4,
  kHtml = 5,
  kAsciiText = 6,
  kSQLite = 7,  // beyond the seven file formats: a SQLite database file
};
constexpr int kFormatCount = 8;

struct FormatInfo {
  const char* caption;    // as the format list shows it
  const char* extension;  // the extension a chosen format gives the file name
  bool hasTables;         // the user picks a table from the file's catalog
};
const FormatInfo& formatInfo(int format);

// The format a file name points at: the last three characters, upper-cased
// (MDB, DBF, XLS, HTM, TXT, CSV); also .xlsx (Excel), .html (HTML), .sqlite
// and .db (SQLite). nullopt for any other ending.
std::optional<int> formatFromFileName(std::string_view name);

// The file name once a format is chosen: when the file's own name holds a
// ".", what follows its last "." becomes the format's extension. A name whose
// extension already belongs to the format (.csv for text, .xlsx for Excel,
// .html for HTML, .db or .sqlite for SQLite) is kept: rewriting it would name
// a file that does not exist.
std::string withFormatExtension(const std::string& path, int format);

struct DataSource {
  std::string connectionString;
  std::string tableExpression;
};

// The strings for `path` in `format`; `table` is used by the formats that
// have tables. Throws ProjectError when the file does not exist ("Invalid
// filename [path]... Cannot convert database...") or the format is unknown.
DataSource buildSourceConnection(const std::string& path, int format, const std::string& table);

// For the batch front end: the format from the file's name, the path made
// absolute, and a table required where the format has several. Throws
// ProjectError for a missing file, an unknown extension or a missing table.
DataSource dataSourceForFile(const std::string& path, const std::string& table);

}  // namespace orlix::project
