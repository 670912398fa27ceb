#include "tests/support/odbc_drivers.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace orlix::test {

std::string findOdbcDriver(const std::string& library) {
  namespace fs = std::filesystem;
  std::error_code ec;
  for (const char* dir : {"/usr/lib/x86_64-linux-gnu/odbc", "/usr/lib/aarch64-linux-gnu/odbc",
                          "/usr/lib/odbc", "/usr/lib64", "/usr/local/lib"}) {
    fs::path p = fs::path(dir) / library;
    if (fs::exists(p, ec)) return p.string();
  }
  return {};
}

void registerOdbcDrivers(const std::string& dir, const std::string& dataSources) {
  const std::string pg = findOdbcDriver("psqlodbca.so");
  const std::string sqlite = findOdbcDriver("libsqlite3odbc.so");
  if (pg.empty() || sqlite.empty())
    throw std::runtime_error("the PostgreSQL or SQLite ODBC driver is not installed");
  {
    std::ofstream ini(dir + "/odbcinst.ini");
    ini << "[" << kPostgresDriver << "]\nDriver=" << pg << "\n\n";
    ini << "[" << kSQLiteDriver << "]\nDriver=" << sqlite << "\n";
  }
  {
    std::ofstream ini(dir + "/odbc.ini");
    ini << dataSources;
  }
  setenv("ODBCSYSINI", dir.c_str(), 1);
  setenv("ODBCINSTINI", "odbcinst.ini", 1);
  setenv("ODBCINI", (dir + "/odbc.ini").c_str(), 1);
}

}  // namespace orlix::test
