// The stages a map component reports as it works, for a front end that shows
// them (the batch front end on a terminal, the program's progress window).
#pragma once

#include <atomic>
#include <functional>

namespace orlix::server {

enum class RunStage {
  Reading,     // the source is being read
  Read,        // the source has been read; count: its rows
  Statistics,  // the variables' statistics are being computed; count: the variables
  Growing,     // the tree is being grown
};

// Called as a stage begins (Read: as reading ends), on the caller's thread;
// count as above, 0 where none is given.
using RunProgress = std::function<void(RunStage stage, long count)>;

// A flag the front end raises to stop ConnectOLEDB or Run (its Cancel button).
// It is looked at as each stage begins, every few thousand rows or every read
// window while reading, between variables of the statistics and between two
// splits while growing. A stopped call fails with E_ABORT and the description
// kRunCancelled; what it had built is discarded.
using RunCancel = const std::atomic<bool>*;
inline constexpr const char* kRunCancelled = "The run was cancelled";

}  // namespace orlix::server
