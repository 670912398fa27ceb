// A throwaway CUPS scheduler for tests: configuration, spool, logs and its
// socket in a temporary directory, and one queue, "OrlixFile", whose device
// is a file: every job lands as PDF in outputFile(). The destructor stops the
// scheduler it started and removes the directory. Throws std::runtime_error
// with the scheduler's log when it cannot start.
#pragma once

#include <string>
#include <sys/types.h>

namespace orlix::test {

class CupsServer {
 public:
  CupsServer();
  ~CupsServer();
  CupsServer(const CupsServer&) = delete;
  CupsServer& operator=(const CupsServer&) = delete;

  // For CUPS_SERVER: the scheduler's local socket.
  const std::string& socketPath() const { return socket_; }
  static constexpr const char* kQueue = "OrlixFile";
  std::string outputFile() const { return dir_ + "/queue-output.pdf"; }
  // Runs a CUPS command-line tool against this scheduler; returns its output,
  // throws with it when the tool fails.
  std::string run(const std::string& command) const;
  // Waits until the queue has no job left; false after `seconds`.
  bool waitUntilIdle(int seconds) const;
  // Why no scheduler can be started here, or empty when one can.
  static std::string unavailableReason();

 private:
  std::string log() const;

  std::string dir_;
  std::string socket_;
  pid_t pid_ = -1;
};

}  // namespace orlix::test
