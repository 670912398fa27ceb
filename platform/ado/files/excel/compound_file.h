// Reads one stream (such as "Workbook") out of an OLE compound file, the
// container of .xls workbooks.
#pragma once

#include <optional>
#include <string>

namespace orlix::ado {

// The bytes of the stream named `name` (ASCII, matched ignoring case), or nullopt
// when the file has no such stream. Throws DataError naming `path` when
// `bytes` is no compound file or its sector chains are damaged.
std::optional<std::string> ReadCompoundStream(const std::string& bytes, const std::string& name,
                                              const std::string& path);

}  // namespace orlix::ado
