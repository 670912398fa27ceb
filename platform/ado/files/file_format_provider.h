// The providers of the file formats Access, Excel, dBase and HTML, chosen by
// the connection string (see open_provider.h for the strings that lead here).
#pragma once

#include <memory>
#include <string>

#include "platform/ado/connection_string.h"
#include "platform/ado/provider.h"

namespace orlix::ado {

enum class FileFormat { Access, Excel, DBase, Html };

struct FileSource {
  FileFormat format = FileFormat::Access;
  // Access, Excel, HTML: the file ("Data Source=" or "DBQ="); dBase: the
  // folder ("DefaultDir=" or "DBQ="), whose tables are its .dbf files.
  std::string path;
  // "Jet OLEDB:Engine Type" for Access ("4"), "Excel 8.0", "HTML Import",
  // or the dBase "FIL=" value ("dBase III", "dBase IV", "dBase V"); may be empty.
  std::string version;
  ConnectionString connection;  // the whole string, for any further key
};

// Opens the file source; the caller owns the provider. Throws DataError.
std::unique_ptr<Provider> openFileFormatProvider(const FileSource& source);

}  // namespace orlix::ado
