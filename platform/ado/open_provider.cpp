#include "platform/ado/open_provider.h"

#include <algorithm>
#include <cctype>

#include "platform/ado/error.h"
#include "platform/ado/field_names.h"
#include "platform/ado/files/file_format_provider.h"
#include "platform/ado/sql/odbc_provider.h"
#include "platform/ado/sql/sqlite_provider.h"
#include "platform/ado/text/text_provider.h"

namespace orlix::ado {

namespace {

bool startsWith(const std::string& s, std::string_view prefix) {
  return s.compare(0, prefix.size(), prefix) == 0;
}

// The ODBC driver name, lower-case, braces removed ("microsoft dbase driver (*.dbf)").
std::string driverOf(const ConnectionString& cs) { return asciiLowered(cs.valueOr("Driver", "")); }

bool isTextDriver(const std::string& driver) { return startsWith(driver, "microsoft text driver"); }
bool isDBaseDriver(const std::string& driver) {
  return startsWith(driver, "microsoft dbase driver") || startsWith(driver, "microsoft dbase vfp");
}
bool isAccessDriver(const std::string& driver) {
  return startsWith(driver, "microsoft access driver");
}
bool isExcelDriver(const std::string& driver) { return startsWith(driver, "microsoft excel driver"); }

std::string describe(const ConnectionString& cs) { return "connection string \"" + cs.text() + "\""; }

std::string required(const ConnectionString& cs, std::initializer_list<std::string_view> keys) {
  for (std::string_view k : keys)
    if (auto v = cs.value(k); v && !v->empty()) return *v;
  throw DataError(describe(cs), "no " + std::string(*keys.begin()) + " given");
}

// unixODBC loads whatever shared library a connection string names as its
// driver (DRIVER=/path/lib.so), and a file data source may name one too, or
// (SAVEFILE) make the driver manager write a file. A connection string can
// come from someone else's project, so only drivers and data sources
// registered by name are used.
void refuseDriverFiles(const ConnectionString& cs) {
  for (const auto& [key, raw] : cs.pairs()) {
    if (equalsIgnoreCase(key, "FILEDSN") || equalsIgnoreCase(key, "SAVEFILE"))
      throw DataError(describe(cs), key + "= is not accepted: use a driver or a data source registered by name");
    if (!equalsIgnoreCase(key, "Driver")) continue;
    std::string driver(trimSpace(raw));
    if (driver.size() >= 2 && (driver.front() == '{' || driver.front() == '"' || driver.front() == '\''))
      driver = std::string(trimSpace(driver.substr(1, driver.size() - 2)));
    if (driver.find_first_of("/\\") != std::string::npos || startsWith(driver, "."))
      throw DataError(describe(cs), "names its ODBC driver by the file \"" + driver +
                                        "\"; only drivers registered by name (in odbcinst.ini) are used");
  }
}

std::unique_ptr<Provider> openFile(const ConnectionString& cs, FileFormat format) {
  FileSource src;
  src.format = format;
  src.connection = cs;
  switch (format) {
    case FileFormat::Access:
      src.path = required(cs, {"Data Source", "DBQ"});
      src.version = cs.valueOr("Jet OLEDB:Engine Type", "");
      break;
    case FileFormat::Excel:
      src.path = required(cs, {"Data Source", "DBQ"});
      src.version = cs.valueOr("Extended Properties", "Excel 8.0");
      break;
    case FileFormat::Html:
      src.path = required(cs, {"Data Source"});
      src.version = cs.valueOr("Extended Properties", "HTML Import");
      break;
    case FileFormat::DBase:
      src.path = required(cs, {"DefaultDir", "DBQ", "Data Source"});
      src.version = cs.valueOr("FIL", "");
      break;
  }
  return openFileFormatProvider(src);
}

}  // namespace

SourceKind classifyConnection(const ConnectionString& cs) {
  const std::string provider = asciiLowered(cs.valueOr("Provider", ""));
  const std::string driver = driverOf(cs);
  if (provider == "sqlite") return SourceKind::SQLite;
  if (startsWith(provider, "microsoft.jet.oledb") || startsWith(provider, "microsoft.ace.oledb")) {
    const std::string ext = asciiLowered(cs.valueOr("Extended Properties", ""));
    if (startsWith(ext, "excel")) return SourceKind::Excel;
    if (startsWith(ext, "html")) return SourceKind::Html;
    if (!ext.empty())
      throw DataError(describe(cs), "unsupported Extended Properties \"" + ext + "\"");
    return SourceKind::Access;
  }
  if (!provider.empty() && !startsWith(provider, "msdasql"))
    throw DataError(describe(cs), "unknown provider \"" + cs.valueOr("Provider", "") + "\"");
  // ODBC, through the OLE DB provider for ODBC or directly.
  if (isTextDriver(driver)) return SourceKind::Text;
  if (isDBaseDriver(driver)) return SourceKind::DBase;
  if (isAccessDriver(driver)) return SourceKind::Access;
  if (isExcelDriver(driver)) return SourceKind::Excel;
  if (driver.empty() && !cs.has("DSN") && !cs.has("FILEDSN"))
    throw DataError(describe(cs), "names no provider, driver or data source");
  refuseDriverFiles(cs);
  return SourceKind::Odbc;
}

std::unique_ptr<Provider> openProvider(std::string_view connectionString) {
  const ConnectionString cs = ConnectionString::parse(connectionString);
  switch (classifyConnection(cs)) {
    case SourceKind::Text: return openTextProvider(required(cs, {"DBQ", "DefaultDir"}));
    case SourceKind::SQLite: return openSQLiteProvider(required(cs, {"Data Source"}));
    case SourceKind::Odbc: return openOdbcProvider(cs);
    case SourceKind::Access: return openFile(cs, FileFormat::Access);
    case SourceKind::Excel: return openFile(cs, FileFormat::Excel);
    case SourceKind::DBase: return openFile(cs, FileFormat::DBase);
    case SourceKind::Html: return openFile(cs, FileFormat::Html);
  }
  throw DataError(describe(cs), "unknown source");
}

}  // namespace orlix::ado
