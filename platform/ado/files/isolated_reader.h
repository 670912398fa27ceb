// Runs a file reader in a child process and relays its fields and rows through
// a pipe, so that a library that loops or crashes on a damaged file (libmdb
// does on some) costs an error message, not the program.
#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "platform/ado/files/file_table.h"

namespace orlix::ado {

// Calls `reader` in a child process and hands what it produced to `sink`.
// A DataError in the child is thrown again here. A child that sends nothing for
// `silence_limit`, or dies, is ended and reported as a DataError naming `path`.
void RunIsolated(const std::string& path, const std::function<void(FileTableSink&)>& reader, FileTableSink& sink,
                 std::chrono::milliseconds silence_limit);

// The same for a reader of names (tables, sheets): `list` runs in a child process.
std::vector<std::string> ListIsolated(const std::string& path, const std::function<std::vector<std::string>()>& list,
                                      std::chrono::milliseconds silence_limit);

}  // namespace orlix::ado
