// Feeds arbitrary bytes to the ADO XML reader. Every input must either give
// a table or a DataError; what is read must write and read back unchanged.
#include <cstdint>
#include <string_view>

#include "fuzz/adoxml/round_trip.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::shared_ptr<orlix::ado::Table> table;
  try {
    table = orlix::ado::readAdoXml(std::string_view(reinterpret_cast<const char*>(data), size), "fuzz.xml");
  } catch (const orlix::ado::DataError&) {
    return 0;
  }
  orlix::fuzz::checkXmlRoundTrip(*table);
  return 0;
}
