// Stopping a long read on request: a reader given a cancel flag looks at it
// between the windows or rows it reads and, once the flag is raised, throws
// ReadCancelled. ReadCancelled is no DataError: nothing is wrong with the
// source, so no caller mistakes it for a damaged file.
#pragma once

#include <atomic>
#include <stdexcept>

namespace orlix::ado {

// Raised by whoever started the read (the program's Cancel); null: never cancelled.
using CancelFlag = const std::atomic<bool>*;

class ReadCancelled : public std::runtime_error {
 public:
  ReadCancelled() : std::runtime_error("Reading the data was cancelled") {}
};

inline bool isCancelled(CancelFlag flag) { return flag && flag->load(std::memory_order_relaxed); }

inline void throwIfCancelled(CancelFlag flag) {
  if (isCancelled(flag)) throw ReadCancelled();
}

}  // namespace orlix::ado
