// Fuzzes the dBase reader: the input as a .dbf, read as Windows-1252 and as CP866.
#include "fuzz/file_formats/fuzz_file_input.h"
#include "platform/ado/files/dbase_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace orlix::ado;
  std::string path = fuzzing::WriteInput(data, size, "input.dbf");
  for (const char* charset : {"", "CP866"}) {
    fuzzing::CheckedSink t;
    fuzzing::Expect([&] { readDbaseTable(path, charset, t); });
  }
  return 0;
}
