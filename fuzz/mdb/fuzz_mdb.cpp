// Fuzzes the Access reader: the catalog and every table of the input as a .mdb.
#include "fuzz/file_formats/fuzz_file_input.h"
#include "platform/ado/files/access_reader.h"

// libmdb's leaks can only be told by their function from whole allocation
// stacks. Only the replay looks for leaks in the reader's child process.
#ifndef ORLIX_FUZZING
extern "C" const char* __asan_default_options() { return orlix::test::kWholeAllocationStacks; }
#endif

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace orlix::ado;
  std::string path = fuzzing::WriteInput(data, size, "input.mdb");
  fuzzing::Expect([&] {
    for (const auto& table : listAccessTables(path)) {
      fuzzing::CheckedSink t;
      fuzzing::Expect([&] { readAccessTable(path, table, t); });
    }
  });
  return 0;
}
