// The ADO XML persistence format (the rowset schema that Recordset.Save
// writes with adPersistXML): writes exactly what ADO writes for a record set
// built in memory, and reads files written by ADO or by us. Errors are
// DataError naming the file (or sourceName), the field and the row.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/ado/table.h"

namespace orlix::ado {

// The whole document: CRLF line ends, single quotes, no XML declaration and
// no newline after the closing tag. Throws DataError for text that XML
// cannot carry (control characters other than tab, CR and LF; bad UTF-8).
std::string adoXmlText(const Table& table);

// Reads rows directly under rs:data and inside rs:insert and rs:update
// (original merged with the change); rows inside rs:delete are pending
// deletions and are left out. Rows of rs:insert stay pending inserts.
std::shared_ptr<Table> readAdoXml(std::string_view bytes, const std::string& sourceName);
std::shared_ptr<Table> readAdoXmlFile(const std::string& path);

}  // namespace orlix::ado
