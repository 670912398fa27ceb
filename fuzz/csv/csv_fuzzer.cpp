// Feeds arbitrary bytes to the CSV reader. Every input must either give a
// table or a DataError; a table that is read must also survive being saved
// as ADO XML and read back with the same cells.
#include <cstdint>
#include <string_view>

#include "fuzz/adoxml/round_trip.h"
#include "platform/ado/text/csv_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::shared_ptr<orlix::ado::Table> table;
  try {
    table = orlix::ado::readCsv(std::string_view(reinterpret_cast<const char*>(data), size), "fuzz.csv");
  } catch (const orlix::ado::DataError&) {
    return 0;
  }
  orlix::fuzz::checkXmlRoundTrip(*table);
  return 0;
}
