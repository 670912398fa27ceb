// How each ADO data type is described in the rowset schema (dt:type,
// rs:dbtype, fixed length, long): one table for the writer and the reader.
#pragma once

#include <string_view>

#include "platform/ado/constants.h"

namespace orlix::ado {

struct XmlType {
  DataType type;
  const char* dtType;
  const char* dbType;  // "" when the schema gives none
  long fixedSize;      // dt:maxLength of a fixed-length type, else 0 (the defined size)
  bool isLong;         // rs:long='true' by the type itself
};

// The description of `type`; types without one are written as strings.
const XmlType& xmlTypeOf(DataType type);
// The ADO type a schema entry stands for.
DataType dataTypeOfXml(std::string_view dtType, std::string_view dbType, bool isLong, bool isFixed,
                       long long maxLength);

}  // namespace orlix::ado
