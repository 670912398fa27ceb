// Fuzzes the HTML table reader: every table of the input as an .htm.
#include "fuzz/file_formats/fuzz_file_input.h"
#include "platform/ado/files/html_table_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace orlix::ado;
  std::string path = fuzzing::WriteInput(data, size, "input.htm");
  fuzzing::Expect([&] {
    int tables = countHtmlTables(path);
    for (int i = 0; i < tables && i < 8; ++i) {
      fuzzing::CheckedSink t;
      fuzzing::Expect([&] { readHtmlTable(path, i, t); });
    }
  });
  return 0;
}
