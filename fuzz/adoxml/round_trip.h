// The oracle both fuzzers share: a table that was read must save as ADO XML
// (or be refused with a DataError) and read back with the same cells.
#pragma once

#include <cstdlib>

#include "platform/ado/adoxml/adoxml.h"
#include "platform/ado/error.h"

namespace orlix::fuzz {

inline void checkXmlRoundTrip(const ado::Table& table) {
  std::string xml;
  try {
    xml = ado::adoXmlText(table);
  } catch (const ado::DataError&) {
    return;  // text XML cannot carry, refused with a message
  }
  auto back = ado::readAdoXml(xml, "again.xml");  // must not throw: we wrote it
  if (back->rowCount() != table.rowCount() || back->fieldCount() != table.fieldCount()) std::abort();
  for (size_t r = 0; r < table.rowCount(); ++r)
    for (size_t c = 0; c < table.fieldCount(); ++c)
      if (!(back->value(r, c) == table.value(r, c))) std::abort();
  if (ado::adoXmlText(*back) != xml) std::abort();
}

}  // namespace orlix::fuzz
