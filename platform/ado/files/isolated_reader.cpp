#include "platform/ado/files/isolated_reader.h"

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/ado/error.h"

#if ORLIX_CHILD_LEAK_CHECK
#include <sanitizer/lsan_interface.h>
#endif

namespace orlix::ado {

namespace {

constexpr int kPipeBroken = 3;  // the child's exit status when the parent stopped listening
[[noreturn]] void ChildFault(const std::string& path, const std::string& what);

// Messages: 'F' fields, 'R' a row, 'E' a DataError's text, 'X' a fault's.
// Numbers little-endian as in memory.
class PipeSink : public FileTableSink {
 public:
  explicit PipeSink(int fd) : fd_(fd) {}
  ~PipeSink() override { Flush(); }

  void SetFields(std::vector<FileField> fields) override {
    buffer_.push_back('F');
    Put<std::uint32_t>(fields.size());
    for (const auto& f : fields) {
      PutText(f.name);
      Put<std::int32_t>(f.type);
      Put<std::int32_t>(f.definedSize);
    }
    MaybeFlush();
  }
  void AddRow(std::span<const FileCell> cells) override {
    buffer_.push_back('R');
    for (const auto& cell : cells) {
      buffer_.push_back(static_cast<char>(cell.index()));
      std::visit([this](const auto& v) { PutValue(v); }, cell);
    }
    MaybeFlush();
  }
  void Error(const std::string& text) {
    buffer_.push_back('E');
    PutText(text);
  }
  void Fault(const std::string& text) {
    buffer_.push_back('X');
    PutText(text);
  }
  void Flush() {
    std::size_t done = 0;
    while (done < buffer_.size()) {
      ssize_t n = write(fd_, buffer_.data() + done, buffer_.size() - done);
      if (n <= 0) _exit(kPipeBroken);
      done += n;
    }
    buffer_.clear();
  }

 private:
  template <typename T>
  void Put(T v) { buffer_.append(reinterpret_cast<const char*>(&v), sizeof v); }
  void PutText(const std::string& s) {
    Put<std::uint64_t>(s.size());
    buffer_ += s;
  }
  void PutValue(std::monostate) {}
  void PutValue(bool v) { Put<std::uint8_t>(v); }
  void PutValue(std::int32_t v) { Put(v); }
  void PutValue(double v) { Put(v); }
  void PutValue(std::int64_t v) { Put(v); }
  void PutValue(const std::string& v) { PutText(v); }
  void MaybeFlush() {
    if (buffer_.size() > (1 << 16)) Flush();
  }
  int fd_;
  std::string buffer_;
};

class Decoder {
 public:
  Decoder(const std::string& bytes, const std::string& path) : b_(bytes), path_(path) {}
  void Into(FileTableSink& sink) {
    std::size_t columns = 0;
    std::vector<FileCell> cells;
    while (at_ < b_.size()) {
      char kind = b_[at_++];
      if (kind == 'E') throw DataError(path_, Text());
      if (kind == 'X') ChildFault(path_, Text());
      if (kind == 'F') {
        std::vector<FileField> fields(Get<std::uint32_t>());
        for (auto& f : fields) {
          f.name = Text();
          f.type = Get<std::int32_t>();
          f.definedSize = Get<std::int32_t>();
        }
        columns = fields.size();
        cells.assign(columns, FileCell{});
        sink.SetFields(std::move(fields));
      } else if (kind == 'R') {
        for (auto& cell : cells) cell = Cell();
        sink.AddRow(cells);
      } else {
        Broken();
      }
    }
  }

 private:
  [[noreturn]] void Broken() { throw DataError(path_, "the reader's output was cut off"); }
  template <typename T>
  T Get() {
    T v;
    if (b_.size() - at_ < sizeof v) Broken();
    std::memcpy(&v, b_.data() + at_, sizeof v);
    at_ += sizeof v;
    return v;
  }
  std::string Text() {
    auto n = Get<std::uint64_t>();
    if (b_.size() - at_ < n) Broken();
    std::string s = b_.substr(at_, n);
    at_ += n;
    return s;
  }
  FileCell Cell() {
    switch (Get<std::uint8_t>()) {
      case 0: return std::monostate{};
      case 1: return Get<std::uint8_t>() != 0;
      case 2: return Get<std::int32_t>();
      case 3: return Get<double>();
      case 4: return Get<std::int64_t>();
      case 5: return Text();
      default: Broken();
    }
  }
  const std::string& b_;
  std::string path_;
  std::size_t at_ = 0;
};

// The child's exit statuses besides 0 (done; its output may still carry a
// DataError) and kPipeBroken: kLeaked when LeakSanitizer found memory the
// reader lost.
constexpr int kLeaked = 23;

// True when the calling process runs one thread. A child forked from a
// process of several threads has only the forking one: what the others hold
// on their stacks looks lost to LeakSanitizer there, so only the child of a
// single-threaded parent is leak-checked.
bool SingleThreaded() {
  std::FILE* status = std::fopen("/proc/self/status", "r");
  if (!status) return false;
  char line[256];
  bool single = false;
  while (std::fgets(line, sizeof line, status))
    if (std::strncmp(line, "Threads:", 8) == 0) single = std::atoi(line + 8) == 1;
  std::fclose(status);
  return single;
}

// Ends the child without running the parent's exit handlers (they belong to
// the parent), after LeakSanitizer has looked at the child in sanitizer builds.
[[noreturn]] void EndChild(int status, bool checkLeaks) {
#if ORLIX_CHILD_LEAK_CHECK
  if (checkLeaks && status == 0 && __lsan_do_recoverable_leak_check() != 0) status = kLeaked;
#endif
  _exit(status);
}

[[noreturn]] void RunChild(int fd, const std::function<void(FileTableSink&)>& reader, bool checkLeaks) {
  {
    PipeSink sink(fd);
    try {
      reader(sink);
    } catch (const DataError& e) {
      sink.Error(e.message());
    } catch (const std::exception& e) {
      sink.Fault(std::string("an exception escaped the reader: ") + e.what());
    } catch (...) {
      sink.Fault("an exception of unknown type escaped the reader");
    }
    sink.Flush();
  }
  close(fd);
  EndChild(0, checkLeaks);
}

std::string EndOf(int status) {
  if (WIFSIGNALED(status)) return "was ended by signal " + std::to_string(WTERMSIG(status));
  if (WEXITSTATUS(status) == kLeaked) return "leaked memory (LeakSanitizer's report is above)";
  return "ended with exit status " + std::to_string(WEXITSTATUS(status)) +
         " (a sanitizer's report, if any, is above)";
}

// The reader failed by itself, not because of the file: a bug.
[[noreturn]] void ChildFault(const std::string& path, const std::string& what) {
  if (ChildFaultsAbort()) {
    std::fprintf(stderr, "orlix: the reader of %s failed in its child process: %s\n", path.c_str(), what.c_str());
    std::abort();
  }
  throw DataError(path, "the reader failed on this file; it is probably damaged");
}

// Reads the child's output until it closes the pipe; false when it fell
// silent for `silence_limit` first.
bool Collect(int fd, std::chrono::milliseconds silence_limit, std::string& bytes) {
  char chunk[1 << 16];
  for (;;) {
    pollfd p{fd, POLLIN, 0};
    int ready = poll(&p, 1, static_cast<int>(silence_limit.count()));
    if (ready == 0) return false;
    if (ready < 0) continue;
    ssize_t n = read(fd, chunk, sizeof chunk);
    if (n <= 0) return true;
    bytes.append(chunk, n);
  }
}

}  // namespace

bool ChildFaultsAbort() { return ORLIX_CHECKED_BUILD != 0; }

void RunIsolated(const std::string& path, const std::function<void(FileTableSink&)>& reader, FileTableSink& sink,
                 std::chrono::milliseconds silence_limit) {
  int fds[2];
  if (pipe(fds) != 0) throw DataError(path, "cannot start the reader (no pipe)");
  std::fflush(nullptr);  // what this process has buffered is not the child's to write
  const bool checkLeaks = SingleThreaded();
  pid_t child = fork();
  if (child < 0) {
    close(fds[0]);
    close(fds[1]);
    throw DataError(path, "cannot start the reader (no process)");
  }
  if (child == 0) {
    close(fds[0]);
    RunChild(fds[1], reader, checkLeaks);
  }
  close(fds[1]);
  std::string bytes;
  bool answered = Collect(fds[0], silence_limit, bytes);
  close(fds[0]);
  if (!answered) kill(child, SIGKILL);
  int status = 0;
  waitpid(child, &status, 0);
  if (!answered) throw DataError(path, "reading stopped making progress; the file is probably damaged");
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) ChildFault(path, "it " + EndOf(status));
  Decoder(bytes, path).Into(sink);
}

std::vector<std::string> ListIsolated(const std::string& path, const std::function<std::vector<std::string>()>& list,
                                      std::chrono::milliseconds silence_limit) {
  struct Names : FileTableSink {
    std::vector<std::string> names;
    void SetFields(std::vector<FileField>) override {}
    void AddRow(std::span<const FileCell> cells) override { names.push_back(std::get<std::string>(cells[0])); }
  } names;
  auto produce = [&list](FileTableSink& sink) {
    std::vector<std::string> found = list();
    sink.SetFields({{"NAME", kFileVarWChar, 255}});
    for (auto& name : found) {
      FileCell cell = std::move(name);
      sink.AddRow({&cell, 1});
    }
  };
  RunIsolated(path, produce, names, silence_limit);
  return names.names;
}

}  // namespace orlix::ado
