// Fuzzes the .xlsx reader: every sheet of the input as a zipped workbook.
#include "fuzz/file_formats/fuzz_file_input.h"
#include "platform/ado/files/excel/excel_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace orlix::ado;
  std::string path = fuzzing::WriteInput(data, size, "input.xlsx");
  fuzzing::Expect([&] {
    for (const auto& sheet : listExcelSheets(path)) {
      fuzzing::CheckedSink t;
      fuzzing::Expect([&] { readExcelSheet(path, sheet, t); });
    }
  });
  return 0;
}
