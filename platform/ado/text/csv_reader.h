// The reader of comma-separated text files (RFC 4180): the first line names
// the fields, every row is scanned to choose each field's type. Returns a new
// table the caller owns; any malformed input throws DataError naming the file
// and the line.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/ado/table.h"

namespace orlix::ado {

std::shared_ptr<Table> readCsvFile(const std::string& path);
// The same on bytes already in memory; `sourceName` names them in errors.
std::shared_ptr<Table> readCsv(std::string_view bytes, const std::string& sourceName);

// A record longer than this is refused: no analysis table has such lines,
// and a runaway quote must not swallow a whole file silently.
inline constexpr size_t kMaxCsvRecordBytes = 16u << 20;

}  // namespace orlix::ado
