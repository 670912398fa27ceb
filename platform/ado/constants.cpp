#include "platform/ado/constants.h"

namespace orlix::ado {

bool isCharacterType(DataType type) {
  switch (type) {
    case adBSTR:
    case adChar:
    case adWChar:
    case adVarChar:
    case adVarWChar:
    case adLongVarChar:
    case adLongVarWChar:
      return true;
    default:
      return false;
  }
}

const char* dataTypeName(DataType type) {
  switch (type) {
    case adEmpty: return "adEmpty";
    case adSmallInt: return "adSmallInt";
    case adInteger: return "adInteger";
    case adSingle: return "adSingle";
    case adDouble: return "adDouble";
    case adCurrency: return "adCurrency";
    case adDate: return "adDate";
    case adBSTR: return "adBSTR";
    case adBoolean: return "adBoolean";
    case adVariant: return "adVariant";
    case adDecimal: return "adDecimal";
    case adTinyInt: return "adTinyInt";
    case adUnsignedTinyInt: return "adUnsignedTinyInt";
    case adUnsignedSmallInt: return "adUnsignedSmallInt";
    case adUnsignedInt: return "adUnsignedInt";
    case adBigInt: return "adBigInt";
    case adUnsignedBigInt: return "adUnsignedBigInt";
    case adGUID: return "adGUID";
    case adBinary: return "adBinary";
    case adChar: return "adChar";
    case adWChar: return "adWChar";
    case adNumeric: return "adNumeric";
    case adDBDate: return "adDBDate";
    case adDBTime: return "adDBTime";
    case adDBTimeStamp: return "adDBTimeStamp";
    case adVarNumeric: return "adVarNumeric";
    case adVarChar: return "adVarChar";
    case adLongVarChar: return "adLongVarChar";
    case adVarWChar: return "adVarWChar";
    case adLongVarWChar: return "adLongVarWChar";
    case adVarBinary: return "adVarBinary";
    case adLongVarBinary: return "adLongVarBinary";
    default: return "unsupported type";
  }
}

}  // namespace orlix::ado
