#include "platform/ado/files/isolated_reader.h"

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>

#include "platform/ado/error.h"

namespace orlix::ado {

namespace {

// Messages: 'F' fields, 'R' a row, 'E' an error text. Numbers little-endian as in memory.
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
  void Flush() {
    std::size_t done = 0;
    while (done < buffer_.size()) {
      ssize_t n = write(fd_, buffer_.data() + done, buffer_.size() - done);
      if (n <= 0) _exit(3);
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

[[noreturn]] void RunChild(int fd, const std::function<void(FileTableSink&)>& reader) {
  int status = 0;
  {
    PipeSink sink(fd);
    try {
      reader(sink);
    } catch (const DataError& e) {
      sink.Error(e.message());
    } catch (const std::exception& e) {
      sink.Error(e.what());
    }
    sink.Flush();
  }
  close(fd);
  _exit(status);
}

}  // namespace

void RunIsolated(const std::string& path, const std::function<void(FileTableSink&)>& reader, FileTableSink& sink,
                 std::chrono::milliseconds silence_limit) {
  int fds[2];
  if (pipe(fds) != 0) throw DataError(path, "cannot start the reader (no pipe)");
  pid_t child = fork();
  if (child < 0) {
    close(fds[0]);
    close(fds[1]);
    throw DataError(path, "cannot start the reader (no process)");
  }
  if (child == 0) {
    close(fds[0]);
    RunChild(fds[1], reader);
  }
  close(fds[1]);
  std::string bytes;
  bool silent = false;
  char chunk[1 << 16];
  for (;;) {
    pollfd p{fds[0], POLLIN, 0};
    int ready = poll(&p, 1, static_cast<int>(silence_limit.count()));
    if (ready == 0) { silent = true; break; }
    if (ready < 0) continue;
    ssize_t n = read(fds[0], chunk, sizeof chunk);
    if (n <= 0) break;
    bytes.append(chunk, n);
  }
  close(fds[0]);
  if (silent) kill(child, SIGKILL);
  int status = 0;
  waitpid(child, &status, 0);
  if (silent) throw DataError(path, "reading stopped making progress; the file is probably damaged");
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
    throw DataError(path, "the reader failed on this file; it is probably damaged");
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
