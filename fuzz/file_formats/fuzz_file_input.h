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
#include "tests/support/temp_dir.h"

// freexl and libmdb leave allocations behind when they reject a damaged file.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfreexl.so\nleak:libmdb.so\n"; }

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
