// The reader of comma-separated text files (RFC 4180): the first line names
// the fields, every row is scanned to choose each field's type. Returns a new
// table the caller owns; any malformed input throws DataError naming the file
// and the line. A file is read in windows of a few megabytes, never whole,
// and a large one by two threads, one half each.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "platform/ado/cancel.h"
#include "platform/ado/table.h"

namespace orlix::ado {

// How the bytes are taken: in windows of `windowBytes` (0: the reader's
// choice, a few megabytes for a file and everything at once for bytes in
// memory; a window grows for a longer record), and by two threads when there
// are more than `splitAbove` bytes. The defaults serve every caller; tests
// make both small to reach every boundary. Once `cancel` is raised the read
// stops at the next window with ReadCancelled.
struct CsvReading {
  size_t windowBytes = 0;
  size_t splitAbove = 8u << 20;
  CancelFlag cancel = nullptr;
};

std::shared_ptr<Table> readCsvFile(const std::string& path, const CsvReading& reading = {});
// The same on bytes already in memory; `sourceName` names them in errors.
std::shared_ptr<Table> readCsv(std::string_view bytes, const std::string& sourceName, const CsvReading& reading = {});

// A record longer than this is refused: no analysis table has such lines,
// and a runaway quote must not swallow a whole file silently.
inline constexpr size_t kMaxCsvRecordBytes = 16u << 20;

}  // namespace orlix::ado
