// Stopping a run on request: the engine looks at a cancel flag between two
// splits, between the predictors of a split search and between the variables
// of the statistics pass, and throws RunCancelled once it is raised.
// RunCancelled is no _cart_error: operations let it through to their caller.
#pragma once

#include <atomic>
#include <stdexcept>

namespace orlix::engine {

// Raised by whoever started the run; null: never cancelled.
using CancelFlag = const std::atomic<bool>*;

class RunCancelled : public std::runtime_error {
 public:
  RunCancelled() : std::runtime_error("The run was cancelled") {}
};

inline void ThrowIfCancelled(CancelFlag flag) {
  if (flag && flag->load(std::memory_order_relaxed)) throw RunCancelled();
}

}  // namespace orlix::engine
