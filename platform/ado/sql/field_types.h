// Defined sizes and attributes of fields as ADO reports them for a type:
// shared by the SQL providers so that every source describes fields alike.
#pragma once

#include "platform/ado/constants.h"

namespace orlix::ado {

// The fixed size of a fixed-length type (adInteger 4, adDouble 8, dates 16, ...),
// otherwise `columnSize` (characters or bytes).
long definedSizeFor(DataType type, long columnSize);
// adFldFixed for fixed-length types, adFldLong for long text and binary,
// adFldIsNullable | adFldMayBeNull when the column may hold NULL.
long attributesFor(DataType type, bool nullable);
bool isLongType(DataType type);

}  // namespace orlix::ado
