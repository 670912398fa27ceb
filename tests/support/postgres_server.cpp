#include "tests/support/postgres_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <pwd.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <vector>

#include "tests/support/odbc_drivers.h"

namespace orlix::test {

namespace {

namespace fs = std::filesystem;

// The bin directory of the newest installed server version.
std::string serverBinDir() {
  std::vector<fs::path> found;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator("/usr/lib/postgresql", ec))
    if (fs::exists(entry.path() / "bin" / "initdb", ec)) found.push_back(entry.path() / "bin");
  if (found.empty()) throw std::runtime_error("PostgreSQL is not installed (no initdb found)");
  std::sort(found.begin(), found.end(), [](const fs::path& a, const fs::path& b) {
    return std::stoi(a.parent_path().filename().string()) <
           std::stoi(b.parent_path().filename().string());
  });
  return found.back().string();
}

// A loopback port that is free right now.
int freePort() {
  int s = socket(AF_INET, SOCK_STREAM, 0);
  if (s < 0) throw std::runtime_error("no socket");
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t len = sizeof addr;
  if (bind(s, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
      getsockname(s, reinterpret_cast<sockaddr*>(&addr), &len) != 0) {
    close(s);
    throw std::runtime_error("cannot find a free port");
  }
  int port = ntohs(addr.sin_port);
  close(s);
  return port;
}

// A log the server or psql wrote; empty when there is none yet.
std::string readLog(const std::string& path) {
  std::ifstream in(path);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

}  // namespace

PostgresServer::PostgresServer() : folder_("orlix-pg"), dir_(folder_.path()) {
  binDir_ = serverBinDir();
  chmod(dir_.c_str(), 0755);
  // PostgreSQL refuses to run as root: the server gets its own account.
  if (geteuid() == 0) {
    passwd* pw = getpwnam("postgres");
    if (!pw) throw std::runtime_error("running as root and there is no postgres account");
    if (chown(dir_.c_str(), pw->pw_uid, pw->pw_gid) != 0)
      throw std::runtime_error("cannot hand " + dir_ + " to the postgres account");
  }
  run(bin("initdb") + " -D " + dir_ + "/data -U orlix -A trust -E UTF8 --locale=C --no-sync", true);
  for (int attempt = 0; attempt < 5 && !running_; ++attempt) {
    port_ = freePort();
    try {
      run(bin("pg_ctl") + " -D " + dir_ + "/data -l " + dir_ + "/server.log -w -t 60 -o \"-p " +
              std::to_string(port_) + " -k " + dir_ +
              " -c listen_addresses=127.0.0.1 -c fsync=off\" start",
          true);
      running_ = true;
    } catch (const std::runtime_error&) {
      if (attempt == 4) throw;
    }
  }
  registerOdbcDrivers(dir_, std::string("[") + kDataSource + "]\nDriver=" + kPostgresDriver +
                                "\nServername=127.0.0.1\nPort=" + std::to_string(port_) +
                                "\nDatabase=postgres\nUsername=orlix\nBoolsAsChar=0\n");
}

PostgresServer::~PostgresServer() {
  try {
    stop();
  } catch (...) {
  }
}

std::string PostgresServer::bin(const std::string& program) const { return binDir_ + "/" + program; }

std::string PostgresServer::connectionString() const {
  return std::string("Driver={") + kPostgresDriver + "};Server=127.0.0.1;Port=" +
         std::to_string(port_) + ";Database=postgres;Uid=orlix;Pwd=;BoolsAsChar=0;";
}

std::string PostgresServer::run(const std::string& command, bool asServer) const {
  const std::string log = dir_ + (asServer ? "/server-command.log" : "/client-command.log");
  std::string full = command + " > " + log + " 2>&1";
  if (asServer && geteuid() == 0) full = "runuser -u postgres -- sh -c '" + full + "'";
  int rc = std::system(full.c_str());
  std::string output = readLog(log);
  if (rc != 0)
    throw std::runtime_error("\"" + command + "\" failed:\n" + output + readLog(dir_ + "/server.log"));
  return output;
}

std::string PostgresServer::psql(const std::string& sql, const std::string& options) const {
  const std::string file = dir_ + "/statements.sql";
  {
    std::ofstream out(file);
    out << sql;
  }
  chmod(file.c_str(), 0644);
  return run(bin("psql") + " -X -q -v ON_ERROR_STOP=1 " + options + " -h 127.0.0.1 -p " + std::to_string(port_) +
                 " -U orlix -d postgres -f " + file,
             false);
}

void PostgresServer::execute(const std::string& sql) const { psql(sql, ""); }

std::string PostgresServer::query(const std::string& sql) const {
  std::string output = psql(sql, "-A -t");
  while (!output.empty() && (output.back() == '\n' || output.back() == ' ')) output.pop_back();
  return output;
}

void PostgresServer::stop() {
  if (!running_) return;
  running_ = false;
  run(bin("pg_ctl") + " -D " + dir_ + "/data -m immediate -w stop", true);
}

}  // namespace orlix::test
