#include "platform/ado/sql/field_types.h"

namespace orlix::ado {

long definedSizeFor(DataType type, long columnSize) {
  switch (type) {
    case adTinyInt: case adUnsignedTinyInt: return 1;
    case adSmallInt: case adUnsignedSmallInt: case adBoolean: return 2;
    case adInteger: case adUnsignedInt: case adSingle: return 4;
    case adBigInt: case adUnsignedBigInt: case adDouble: case adCurrency: return 8;
    case adDate: case adDBTimeStamp: return 16;
    case adDBDate: return 6;
    case adDBTime: return 6;
    case adNumeric: case adDecimal: return 19;
    case adGUID: return 16;
    default: return columnSize;
  }
}

bool isLongType(DataType type) {
  return type == adLongVarChar || type == adLongVarWChar || type == adLongVarBinary;
}

long attributesFor(DataType type, bool nullable) {
  long a = 0;
  switch (type) {
    case adChar: case adWChar: case adBinary: a |= adFldFixed; break;
    case adVarChar: case adVarWChar: case adVarBinary: case adBSTR: break;
    default:
      if (!isLongType(type)) a |= adFldFixed;
  }
  if (isLongType(type)) a |= adFldLong;
  if (nullable) a |= adFldIsNullable | adFldMayBeNull;
  return a;
}

}  // namespace orlix::ado
