// Feeds every file named on the command line (or found in a named folder) to
// the fuzz target once: the regression corpus, replayed under the sanitizers.
// A corpus that is missing, empty or unreadable fails the replay.
#include <cstdint>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>

#include "tests/support/test_files.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace fs = std::filesystem;

static void replay(const fs::path& file) {
  std::string bytes = orlix::test::readFile(file);
  LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

int main(int argc, char** argv) {
  int count = 0;
  try {
    for (int i = 1; i < argc; ++i) {
      fs::path arg(argv[i]);
      int before = count;
      if (fs::is_directory(arg)) {
        for (const auto& entry : fs::recursive_directory_iterator(arg))
          if (entry.is_regular_file()) { replay(entry.path()); ++count; }
      } else {
        replay(arg);
        ++count;
      }
      if (count == before) throw std::runtime_error(std::string("the corpus ") + argv[i] + " holds no inputs");
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "replay: %s\n", e.what());
    return 1;
  }
  std::printf("replayed %d inputs\n", count);
  return 0;
}
