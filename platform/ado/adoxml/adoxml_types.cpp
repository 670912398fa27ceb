#include "platform/ado/adoxml/adoxml_types.h"

namespace orlix::ado {

namespace {

constexpr long long kUnlimited = 4294967295LL;

const XmlType kTypes[] = {
    {adSmallInt, "i2", "", 2, false},
    {adInteger, "int", "", 4, false},
    {adBigInt, "i8", "", 8, false},
    {adTinyInt, "i1", "", 1, false},
    {adUnsignedTinyInt, "ui1", "", 1, false},
    {adUnsignedSmallInt, "ui2", "", 2, false},
    {adUnsignedInt, "ui4", "", 4, false},
    {adUnsignedBigInt, "ui8", "", 8, false},
    {adSingle, "r4", "", 4, false},
    {adDouble, "float", "", 8, false},
    {adCurrency, "number", "currency", 8, false},
    {adNumeric, "number", "numeric", 19, false},
    {adDecimal, "number", "decimal", 16, false},
    {adVarNumeric, "number", "varnumeric", 0, false},
    {adDate, "dateTime", "variantdate", 16, false},
    {adDBTimeStamp, "dateTime", "timestamp", 16, false},
    {adDBDate, "date", "", 6, false},
    {adDBTime, "time", "", 6, false},
    {adBoolean, "boolean", "", 2, false},
    {adGUID, "uuid", "", 16, false},
    {adBSTR, "string", "", 0, true},
    {adWChar, "string", "", 0, false},
    {adVarWChar, "string", "", 0, false},
    {adLongVarWChar, "string", "", 0, true},
    {adChar, "string", "str", 0, false},
    {adVarChar, "string", "str", 0, false},
    {adLongVarChar, "string", "str", 0, true},
    {adBinary, "bin.hex", "", 0, false},
    {adVarBinary, "bin.hex", "", 0, false},
    {adLongVarBinary, "bin.hex", "", 0, true},
};

}  // namespace

const XmlType& xmlTypeOf(DataType type) {
  for (const XmlType& t : kTypes)
    if (t.type == type) return t;
  for (const XmlType& t : kTypes)
    if (t.type == adVarWChar) return t;
  return kTypes[0];
}

DataType dataTypeOfXml(std::string_view dt, std::string_view db, bool isLong, bool isFixed,
                       long long maxLength) {
  if (dt == "string") {
    if (db == "str") return isLong ? adLongVarChar : isFixed ? adChar : adVarChar;
    if (isLong) return maxLength == kUnlimited ? adBSTR : adLongVarWChar;
    return isFixed ? adWChar : adVarWChar;
  }
  if (dt == "bin.hex" || dt == "bin.base64")
    return isLong ? adLongVarBinary : isFixed ? adBinary : adVarBinary;
  if (dt == "number" && db.empty()) return adNumeric;
  if (dt == "dateTime" && db.empty()) return adDBTimeStamp;
  if (dt == "r8") return adDouble;
  if (dt == "i4") return adInteger;
  for (const XmlType& t : kTypes)
    if (dt == t.dtType && db == t.dbType) return t.type;
  return adVarWChar;
}

}  // namespace orlix::ado
