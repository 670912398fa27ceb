// What every file-format fuzzer shares: the input written to a file of the
// format's extension (the readers open paths), the reader run on it, and its
// one accepted failure, DataError.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "platform/ado/error.h"
#include "platform/ado/files/file_table.h"
#include "tests/support/libmdb_leaks.h"
#include "tests/support/temp_dir.h"

// libmdb's own known leaks on damaged files, by function; every other leak is a finding.
extern "C" const char* __lsan_default_suppressions() { return orlix::test::kLibmdbLeaks; }

namespace orlix::ado::fuzzing {

// One folder per process, removed when the process ends.
inline std::string InputPath(const std::string& name) {
  static const test::TempDir folder("orlix-fuzz");
  return folder.file(name);
}

inline std::string WriteInput(const uint8_t* data, size_t size, const std::string& name) {
  std::string path = InputPath(name);
  std::ofstream(path, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data), size);
  return path;
}

// Takes a reader's output without keeping it (a small file may describe a
// large sparse table), checking what every reader promises: the fields come
// once, before any row, and every row has one cell per field.
class CheckedSink : public FileTableSink {
 public:
  void SetFields(std::vector<FileField> fields) override {
    if (fields_ >= 0) Fail("fields given twice");
    fields_ = static_cast<long>(fields.size());
  }
  void AddRow(std::span<const FileCell> cells) override {
    if (fields_ < 0) Fail("a row before the fields");
    if (static_cast<long>(cells.size()) != fields_) Fail("a row whose cells do not match the fields");
  }

 private:
  [[noreturn]] static void Fail(const char* what) {
    std::fprintf(stderr, "reader broke its promise: %s\n", what);
    std::abort();
  }
  long fields_ = -1;
};

// Runs `read`; a DataError is the reader doing its job, anything else is a bug.
inline void Expect(const std::function<void()>& read) {
  try {
    read();
  } catch (const DataError&) {
  } catch (const std::exception& e) {
    std::fprintf(stderr, "reader threw something other than DataError: %s\n", e.what());
    std::abort();
  }
}

}  // namespace orlix::ado::fuzzing
