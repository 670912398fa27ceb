// The narrow path from a file-format reader to a table: a reader describes its
// fields once, then hands over rows of typed cells, one row at a time.
// Readers report every failure by throwing DataError with the file as its source.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <variant>
#include <vector>

namespace orlix::ado {

// ADO data type codes the file readers produce.
enum FileFieldType : int {
  kFileSmallInt = 2,          // adSmallInt
  kFileInteger = 3,           // adInteger
  kFileSingle = 4,            // adSingle
  kFileDouble = 5,            // adDouble
  kFileCurrency = 6,          // adCurrency
  kFileDate = 7,              // adDate
  kFileBoolean = 11,          // adBoolean
  kFileUnsignedTinyInt = 17,  // adUnsignedTinyInt
  kFileGuid = 72,             // adGUID
  kFileNumeric = 131,         // adNumeric
  kFileVarBinary = 204,       // adVarBinary
  kFileLongVarBinary = 205,   // adLongVarBinary
  kFileVarWChar = 202,        // adVarWChar
  kFileLongVarWChar = 203,    // adLongVarWChar
};

struct FileField {
  std::string name;  // UTF-8, unique within the table (ignoring ASCII case)
  int type = kFileVarWChar;
  std::int32_t definedSize = 0;  // characters for text, bytes otherwise
};

// One cell. Which alternative a field's cells hold follows from its type:
//   adBoolean -> bool; adSmallInt, adInteger, adUnsignedTinyInt -> int32;
//   adSingle, adDouble -> double; adDate -> double (days since 1899-12-30);
//   adCurrency -> int64 (value times 10000); adNumeric -> string (decimal text);
//   text, GUID and binary -> string (UTF-8, or raw bytes for binary). std::monostate is NULL.
using FileCell = std::variant<std::monostate, bool, std::int32_t, double, std::int64_t, std::string>;

class FileTableSink {
 public:
  virtual ~FileTableSink() = default;
  // Called once, before any row.
  virtual void SetFields(std::vector<FileField> fields) = 0;
  // One cell per field, in field order; the span is only valid during the call.
  virtual void AddRow(std::span<const FileCell> cells) = 0;
  // How many rows will follow, where a reader knows: room is made for them.
  virtual void ReserveRows(std::size_t) {}
};

// Throws DataError(path, what): the file is the source every reader's message names.
[[noreturn]] void ThrowFileError(const std::string& path, const std::string& what);

}  // namespace orlix::ado
