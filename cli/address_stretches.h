// Stretches of address space by start and size, as orlix-cli's allocation
// functions keep them: added stretches join their neighbours, and a block is
// taken from the first stretch that holds it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <map>

namespace orlix::cli {

using Stretches = std::map<std::uintptr_t, std::size_t>;

// Adds [at, at + size) to `stretches`, joined with its neighbours.
inline void addStretch(Stretches& stretches, std::uintptr_t at, std::size_t size) {
  auto next = stretches.lower_bound(at);
  if (next != stretches.end() && next->first == at + size) {
    size += next->second;
    next = stretches.erase(next);
  }
  if (next != stretches.begin()) {
    auto before = std::prev(next);
    if (before->first + before->second == at) {
      at = before->first;
      size += before->second;
      stretches.erase(before);
    }
  }
  stretches.emplace(at, size);
}

// Takes `size` bytes from the start of the first stretch that holds them and
// returns where they begin (the rest of that stretch stays, at begin + size);
// 0 when no stretch does.
inline std::uintptr_t takeStretch(Stretches& stretches, std::size_t size) {
  for (auto it = stretches.begin(); it != stretches.end(); ++it) {
    if (it->second < size) continue;
    const std::uintptr_t at = it->first;
    const std::size_t rest = it->second - size;
    stretches.erase(it);
    if (rest) stretches.emplace(at + size, rest);
    return at;
  }
  return 0;
}

}  // namespace orlix::cli
