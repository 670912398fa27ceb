#include "tests/diagramprint/support/cups_server.h"

#include <grp.h>
#include <pwd.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>
#include <vector>

extern char** environ;

namespace orlix::test {
namespace {

namespace fs = std::filesystem;

// The scheduler lives in an sbin folder, which an ordinary PATH may lack.
std::string findCupsd() {
  std::vector<std::string> dirs;
  if (const char* path = std::getenv("PATH")) {
    std::stringstream list(path);
    for (std::string dir; std::getline(list, dir, ':');) dirs.push_back(dir);
  }
  dirs.insert(dirs.end(), {"/usr/sbin", "/usr/local/sbin", "/sbin"});
  for (const std::string& dir : dirs)
    if (access((dir + "/cupsd").c_str(), X_OK) == 0) return dir + "/cupsd";
  return {};
}

std::string readFile(const std::string& path) {
  std::ifstream in(path);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

void writeFile(const std::string& path, const std::string& text) {
  std::ofstream out(path);
  out << text;
  if (!out) throw std::runtime_error("cannot write " + path);
}

std::string shellQuoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

}  // namespace

std::string CupsServer::unavailableReason() {
  if (findCupsd().empty()) return "the CUPS scheduler (cupsd) is not installed";
  if (std::system("command -v lpadmin > /dev/null 2>&1") != 0)
    return "the CUPS command-line tools (lpadmin) are not installed";
  return {};
}

CupsServer::CupsServer() {
  const std::string cupsd = findCupsd();
  if (cupsd.empty()) throw std::runtime_error(unavailableReason());
  std::string pattern = (fs::temp_directory_path() / "orlix-cups-XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot create a temporary directory");
  dir_ = pattern;
  // The scheduler refuses a server root that others may write to.
  chmod(dir_.c_str(), 0755);
  socket_ = dir_ + "/cups.sock";
  for (const char* sub : {"spool", "cache", "state", "log"}) fs::create_directory(dir_ + "/" + sub);

  writeFile(dir_ + "/cupsd.conf",
            "Listen " + socket_ +
                "\nLogLevel info\nWebInterface No\nBrowsing No\nDefaultAuthType None\n"
                "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                "<Location /admin>\n  Order allow,deny\n  Allow all\n</Location>\n"
                "<Policy default>\n  <Limit All>\n    Order deny,allow\n  </Limit>\n</Policy>\n");
  std::string files = "ServerRoot " + dir_ + "\nRequestRoot " + dir_ + "/spool\nCacheDir " + dir_ +
                      "/cache\nStateDir " + dir_ + "/state\nTempDir " + dir_ + "/spool\nAccessLog " +
                      dir_ + "/log/access_log\nErrorLog " + dir_ + "/log/error_log\nPageLog " + dir_ +
                      "/log/page_log\nPrintcap " + dir_ + "/printcap\nFileDevice Yes\n"
                      "Sandboxing Relaxed\n";
  if (geteuid() != 0) {
    // Not root: the scheduler and its filters run as this user.
    if (const passwd* pw = getpwuid(geteuid())) files += std::string("User ") + pw->pw_name + "\n";
    if (const group* gr = getgrgid(getegid())) files += std::string("Group ") + gr->gr_name + "\n";
  }
  writeFile(dir_ + "/cups-files.conf", files);

  const std::string conf = dir_ + "/cupsd.conf";
  const std::string filesConf = dir_ + "/cups-files.conf";
  std::vector<char*> argv{const_cast<char*>(cupsd.c_str()), const_cast<char*>("-f"),
                          const_cast<char*>("-c"), const_cast<char*>(conf.c_str()),
                          const_cast<char*>("-s"), const_cast<char*>(filesConf.c_str()), nullptr};
  if (posix_spawn(&pid_, cupsd.c_str(), nullptr, nullptr, argv.data(), environ) != 0) {
    pid_ = -1;
    throw std::runtime_error("cannot start " + cupsd);
  }
  bool up = false;
  for (int attempt = 0; attempt < 100 && !up; ++attempt) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    up = std::system(("CUPS_SERVER=" + shellQuoted(socket_) + " lpstat -r > /dev/null 2>&1").c_str()) == 0;
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) == pid_) {
      pid_ = -1;
      throw std::runtime_error("the CUPS scheduler stopped at start:\n" + log());
    }
  }
  if (!up) throw std::runtime_error("the CUPS scheduler did not answer:\n" + log());
  // A PDF printer whose device is a file; lpadmin warns that drivers are deprecated.
  run(std::string("lpadmin -p ") + kQueue + " -E -v " + shellQuoted("file://" + outputFile()) +
      " -m lsb/usr/cupsfilters/Generic-PDF_Printer-PDF.ppd");
  run(std::string("lpadmin -d ") + kQueue);
}

CupsServer::~CupsServer() {
  if (pid_ > 0) {
    kill(pid_, SIGTERM);
    int status = 0;
    waitpid(pid_, &status, 0);
  }
  std::error_code ec;
  fs::remove_all(dir_, ec);
}

std::string CupsServer::log() const { return readFile(dir_ + "/log/error_log"); }

std::string CupsServer::run(const std::string& command) const {
  const std::string out = dir_ + "/command.out";
  const int rc = std::system(
      ("CUPS_SERVER=" + shellQuoted(socket_) + " " + command + " > " + out + " 2>&1").c_str());
  const std::string output = readFile(out);
  if (rc != 0) throw std::runtime_error("\"" + command + "\" failed:\n" + output + log());
  return output;
}

bool CupsServer::waitUntilIdle(int seconds) const {
  for (int i = 0; i < seconds * 10; ++i) {
    if (run(std::string("lpstat -o ") + kQueue).empty() && fs::exists(outputFile())) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  return false;
}

}  // namespace orlix::test
