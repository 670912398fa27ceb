// ParallelFor: runs body(i) for i in [0, count) on up to two threads. Each i
// must write only its own results, so the outcome does not depend on timing.
// A body taking (i, worker) also learns which worker (0 .. kParallelWorkers-1)
// runs it, to reuse that worker's scratch memory.
// An exception from body(i) is rethrown after all threads end; when several
// indexes throw, the one of the lowest index wins, as in a plain loop.
#pragma once

#include <atomic>
#include <exception>
#include <thread>
#include <type_traits>
#include <vector>

namespace orlix::engine {

inline constexpr int kParallelWorkers = 2;

template <typename Body>
void ParallelFor(int count, Body&& body) {
  std::vector<std::exception_ptr> errors(static_cast<std::size_t>(count > 0 ? count : 0));
  std::atomic<int> next{0};
  auto worker = [&](int id) {
    for (int i = next++; i < count; i = next++) {
      try {
        if constexpr (std::is_invocable_v<Body&, int, int>) {
          body(i, id);
        } else {
          body(i);
        }
      } catch (...) {
        errors[static_cast<std::size_t>(i)] = std::current_exception();
      }
    }
  };
  const unsigned cores = std::thread::hardware_concurrency();
  if (count > 1 && cores > 1) {
    std::thread helper(worker, 1);
    worker(0);
    helper.join();
  } else {
    worker(0);
  }
  for (const auto& error : errors) {
    if (error) std::rethrow_exception(error);
  }
}

}  // namespace orlix::engine
