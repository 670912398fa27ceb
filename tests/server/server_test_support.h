// Small data sources for the component tests: CSV files read through the
// text driver and SQLite files with declared column types, in a scratch
// folder removed at the end of the test.
#pragma once

#include <sqlite3.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>

#include "platform/ado/recordset.h"
#include "platform/com/error_info.h"
#include "server/map_interfaces.h"
#include "tests/support/temp_dir.h"

namespace orlix::server::testing {

using test::TempDir;

struct Source {
  std::string connection;
  std::string table;
};

inline Source csvSource(const TempDir& dir, const std::string& name, const std::string& text) {
  dir.write(name, text);
  const std::string& folder = dir.path();
  return {"Driver={Microsoft Text Driver (*.txt; *.csv)};DBQ=" + folder + ";DefaultDir=" + folder + ";Uid=Admin;Pwd=;",
          "[" + name + "]"};
}

// Runs `sql` on a new SQLite file and names its table `table`.
inline Source sqliteSource(const TempDir& dir, const std::string& sql, const std::string& table) {
  const std::string file = dir.file("data.sqlite");
  sqlite3* db = nullptr;
  if (sqlite3_open(file.c_str(), &db) != SQLITE_OK) throw std::runtime_error("sqlite3_open failed");
  char* error = nullptr;
  const int rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error);
  const std::string message = error ? error : "";
  sqlite3_free(error);
  sqlite3_close(db);
  if (rc != SQLITE_OK) throw std::runtime_error("sqlite: " + message);
  return {"Provider=SQLite;Data Source=" + file, table};
}

// The record set a property handed out, or a test failure.
inline std::shared_ptr<ado::Recordset> recordset(const com::Variant& value) {
  auto rs = recordsetOf(value);
  if (!rs) throw std::runtime_error("not a record set");
  return rs;
}

// Every field of the current record, as text.
inline std::string rowText(const ado::Recordset& rs) {
  std::string text;
  for (long i = 0; i < rs.Fields().Count(); ++i) {
    const com::Variant v = rs.Fields().Item(i).Value();
    text += (i ? "|" : "") + (v.isNull() || v.isEmpty() ? std::string() : v.toString());
  }
  return text;
}

inline std::string fieldNames(const ado::Recordset& rs) {
  std::string text;
  for (long i = 0; i < rs.Fields().Count(); ++i) text += (i ? "," : "") + rs.Fields().Item(i).Name();
  return text;
}

}  // namespace orlix::server::testing
