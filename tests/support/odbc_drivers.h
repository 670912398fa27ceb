// Registers the installed ODBC drivers for this test process only: writes an
// odbcinst.ini (and an odbc.ini for data source names) into a directory and
// points unixODBC at it through ODBCSYSINI, so no system file is touched.
#pragma once

#include <string>

namespace orlix::test {

inline constexpr const char* kPostgresDriver = "Orlix PostgreSQL";
inline constexpr const char* kSQLiteDriver = "Orlix SQLite3";

// Path of an installed driver library (psqlodbca.so, libsqlite3odbc.so), or
// "" when it is not installed.
std::string findOdbcDriver(const std::string& library);

// Writes `dir`/odbcinst.ini naming both drivers and `dir`/odbc.ini with the
// given data source sections (may be empty), then sets ODBCSYSINI = dir.
// Throws std::runtime_error when a driver is missing.
void registerOdbcDrivers(const std::string& dir, const std::string& dataSources = "");

}  // namespace orlix::test
