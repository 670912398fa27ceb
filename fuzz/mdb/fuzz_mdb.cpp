// Fuzzes the Access reader: the catalog and every table of the input as a .mdb.
#include "fuzz/file_formats/fuzz_file_input.h"
#include "platform/ado/files/access_reader.h"
#include "tests/ado/files/collected_table.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace orlix::ado;
  std::string path = fuzzing::WriteInput(data, size, "input.mdb");
  fuzzing::Expect([&] {
    for (const auto& table : listAccessTables(path)) {
      testing::CollectedTable t;
      fuzzing::Expect([&] { readAccessTable(path, table, t); });
    }
  });
  return 0;
}
