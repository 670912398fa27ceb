// Feeds arbitrary bytes to the CSV reader. Every input must either give a
// table or a DataError; a table that is read must also survive being saved
// as ADO XML and read back with the same cells.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/ado/adoxml.h"
#include "platform/ado/csv_reader.h"
#include "platform/ado/error.h"

using namespace orlix::ado;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::shared_ptr<Table> table;
  try {
    table = readCsv(std::string_view(reinterpret_cast<const char*>(data), size), "fuzz.csv");
  } catch (const DataError&) {
    return 0;
  }
  std::string xml;
  try {
    xml = adoXmlText(*table);
  } catch (const DataError&) {
    return 0;  // text XML cannot carry, refused with a message
  }
  auto back = readAdoXml(xml, "fuzz.xml");  // must not throw: we wrote it
  if (back->rowCount() != table->rowCount() || back->fieldCount() != table->fieldCount()) std::abort();
  for (size_t r = 0; r < table->rowCount(); ++r)
    for (size_t c = 0; c < table->fieldCount(); ++c)
      if (!(back->value(r, c) == table->value(r, c))) std::abort();
  return 0;
}
