// Runs a file reader in a child process and relays its fields and rows through
// a pipe, so that a library that loops or crashes on a damaged file (libmdb
// does on some) costs an error message, not the program.
//
// The reader's own faults are bugs, not damaged files. In sanitizer and fuzz
// builds a child that dies of a signal, ends with a sanitizer's exit status
// (its report is on standard error, which the child shares), leaks memory
// (sanitizer builds; not under a fuzzer) or throws anything but DataError
// stops this process with abort(), so that a test or a fuzzer fails with the
// report in view. In release builds the same ends as a DataError naming the file.
#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "platform/ado/files/file_table.h"

namespace orlix::ado {

// Calls `reader` in a child process and hands what it produced to `sink`.
// A DataError in the child is thrown again here. A child that sends nothing for
// `silence_limit` is ended and reported as a DataError naming `path`; a child
// that fails otherwise is handled as above.
void RunIsolated(const std::string& path, const std::function<void(FileTableSink&)>& reader, FileTableSink& sink,
                 std::chrono::milliseconds silence_limit);

// The same for a reader of names (tables, sheets): `list` runs in a child process.
std::vector<std::string> ListIsolated(const std::string& path, const std::function<std::vector<std::string>()>& list,
                                      std::chrono::milliseconds silence_limit);

// True in the builds where the child's faults abort this process (sanitizer and fuzz builds).
bool ChildFaultsAbort();

}  // namespace orlix::ado
