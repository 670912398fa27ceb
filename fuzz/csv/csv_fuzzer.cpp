// Feeds arbitrary bytes to the CSV reader. Every input must either give a
// table or a DataError; a table that is read must also survive being saved
// as ADO XML and read back with the same cells. Read again in small windows
// split between two threads, as large files are read, it must give the same
// table or the same error.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "fuzz/adoxml/round_trip.h"
#include "platform/ado/text/csv_reader.h"

namespace {

std::shared_ptr<orlix::ado::Table> read(std::string_view bytes, const orlix::ado::CsvReading& reading,
                                        std::string& error) {
  try {
    return orlix::ado::readCsv(bytes, "fuzz.csv", reading);
  } catch (const orlix::ado::DataError& e) {
    error = e.what();
    return nullptr;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::string error, windowedError;
  const auto table = read(bytes, {}, error);
  const auto windowed = read(bytes, {7, 16}, windowedError);
  if (!table) {
    if (windowed || windowedError != error) std::abort();
    return 0;
  }
  if (!windowed || windowed->rowCount() != table->rowCount() || windowed->fieldCount() != table->fieldCount())
    std::abort();
  for (size_t c = 0; c < table->fieldCount(); ++c) {
    if (windowed->field(c).type != table->field(c).type) std::abort();
    for (size_t r = 0; r < table->rowCount(); ++r)
      if (!(windowed->value(r, c) == table->value(r, c))) std::abort();
  }
  orlix::fuzz::checkXmlRoundTrip(*table);
  return 0;
}
