// A throwaway PostgreSQL server for tests: initdb in a temporary directory,
// a free loopback port, trust authentication for the user "orlix", and the
// ODBC drivers registered for this process (see odbc_drivers.h). When run as
// root the server runs as the "postgres" account. The destructor stops the
// server and removes the directory. Failures throw std::runtime_error with
// the server's log.
#pragma once

#include <string>

#include "tests/support/temp_dir.h"

namespace orlix::test {

class PostgresServer {
 public:
  PostgresServer();
  ~PostgresServer();
  PostgresServer(const PostgresServer&) = delete;
  PostgresServer& operator=(const PostgresServer&) = delete;

  int port() const { return port_; }
  // "Driver={Orlix PostgreSQL};Server=127.0.0.1;Port=N;Database=postgres;Uid=orlix;Pwd=;BoolsAsChar=0;"
  // (the driver reports booleans as text unless told otherwise)
  std::string connectionString() const;
  // The data source name "OrlixTestPG" registered in the temporary odbc.ini.
  static constexpr const char* kDataSource = "OrlixTestPG";
  // The directory of the test (also holds odbcinst.ini); writable by the test.
  const std::string& directory() const { return dir_; }
  // Runs SQL statements with psql; throws with psql's output on failure.
  void execute(const std::string& sql) const;
  // Runs SQL with psql and returns its unaligned, tuples-only output, trimmed.
  std::string query(const std::string& sql) const;
  // Stops the server now (a server that goes away); safe to call twice.
  void stop();

 private:
  std::string run(const std::string& command, bool asServer) const;
  std::string bin(const std::string& program) const;
  std::string psql(const std::string& sql, const std::string& options) const;

  TempDir folder_;  // removed after the server has stopped
  std::string dir_;
  std::string binDir_;
  int port_ = 0;
  bool running_ = false;
};

}  // namespace orlix::test
