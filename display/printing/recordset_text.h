#pragma once
// A record set as tab-separated text: the field names, then one line per
// record. Values are in the C locale; NULL is empty.
#include <QString>

namespace orlix::ado {
class Recordset;
}

namespace orlix::display {

// Empty when the record set is not open. Reads a clone, so the record set's
// own position stays where it is.
QString recordsetText(const ado::Recordset& recordset);

}  // namespace orlix::display
