// Chooses and opens the provider a connection string names:
//   Driver={Microsoft Text Driver (*.txt; *.csv)};DBQ=folder;...   text files
//   Provider=SQLite;Data Source=FILE                                SQLite, natively
//   Provider=Microsoft.Jet.OLEDB.4.0;Data Source=FILE;...          Access (Jet OLEDB:Engine Type),
//       Excel ("Extended Properties=Excel 8.0") or HTML ("Extended Properties=HTML Import")
//   [Provider=MSDASQL[.1];]...DRIVER=Microsoft dBase Driver (*.dbf);DefaultDir=folder;FIL=...   dBase
//   Driver={Microsoft Access Driver (*.mdb)};DBQ=FILE / {Microsoft Excel Driver (*.xls)}   Access / Excel
//   any other ODBC string (DSN=..., Driver={...};...), with or without Provider=MSDASQL   unixODBC
#pragma once

#include <memory>
#include <string_view>

#include "platform/ado/connection_string.h"
#include "platform/ado/provider.h"

namespace orlix::ado {

enum class SourceKind { Text, SQLite, Odbc, Access, Excel, DBase, Html };

// Which provider serves `connection`; throws DataError for a provider this
// library does not know (e.g. Provider=SQLOLEDB).
SourceKind classifyConnection(const ConnectionString& connection);

// Parses and opens; the caller owns the provider. Throws DataError naming
// the connection string or the file.
std::unique_ptr<Provider> openProvider(std::string_view connectionString);

}  // namespace orlix::ado
