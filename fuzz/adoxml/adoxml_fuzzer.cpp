// Feeds arbitrary bytes to the ADO XML reader. Every input must either give
// a table or a DataError; what is read must write and read back unchanged.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/ado/adoxml.h"
#include "platform/ado/error.h"

using namespace orlix::ado;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::shared_ptr<Table> table;
  try {
    table = readAdoXml(std::string_view(reinterpret_cast<const char*>(data), size), "fuzz.xml");
  } catch (const DataError&) {
    return 0;
  }
  std::string xml;
  try {
    xml = adoXmlText(*table);
  } catch (const DataError&) {
    return 0;
  }
  auto back = readAdoXml(xml, "again.xml");
  if (back->rowCount() != table->rowCount() || back->fieldCount() != table->fieldCount()) std::abort();
  for (size_t r = 0; r < table->rowCount(); ++r)
    for (size_t c = 0; c < table->fieldCount(); ++c)
      if (!(back->value(r, c) == table->value(r, c))) std::abort();
  if (adoXmlText(*back) != xml) std::abort();
  return 0;
}
