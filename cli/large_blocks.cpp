// The global allocation functions of orlix-cli: malloc and free, as the
// standard library's own, except for blocks of 2 MiB or more, which are
// mapped on their own, start on a 2 MiB boundary and are asked to be backed
// by transparent huge pages. The arrays of a large analysis (the source's
// columns, the analysis table, the sorted orders) are written once, right
// after they are allocated; touching fresh memory in 4 KiB pages costs more
// kernel time than most of the analysis does (one fault per page), in 2 MiB
// pages a fraction of it. malloc cannot be trusted with that: in the arenas
// of other threads its large blocks come out in small pages.
//
// Large blocks are carved from one range of address space reserved at the
// first of them, so that a pointer tells by its address which free serves
// it, and freed ones are kept for the next (see Range). Where no range can
// be reserved, or the system gives no huge pages, the blocks come from
// malloc or in small pages and nothing else changes.
//
// Small blocks stay with malloc, which is told to keep freed memory for the
// next: blocks below 4 MiB come from its heaps, not from a mapping of their
// own that is faulted in afresh each time (a tree node's row mask is one),
// and the top of a heap stays resident rather than being trimmed at every
// free (an ODBC driver allocates and frees the cells of each batch of rows).
// Left out under AddressSanitizer, which brings allocation functions of its own.
#if !defined(__SANITIZE_ADDRESS__)

#include <malloc.h>
#include <sys/mman.h>

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <mutex>
#include <new>

#include "cli/address_stretches.h"

namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;
constexpr std::size_t kReserved = std::size_t{1} << 40;  // address space only: 1 TiB

// The reserved range: stretches never used or given back to the system
// (`fresh`), stretches freed but still resident (`kept`), and the blocks
// handed out (`used`), each by start and size. A block freed is kept, and a
// new one is carved from what is kept where it fits, so that the memory of
// one stage serves the next without being faulted in again (the readers'
// columns become the engine's sorted orders). What is left of a kept stretch
// after a block is carved from it goes back to the system, and when nothing
// kept fits, all that is kept goes back before fresh memory is taken; so the
// memory resident stays close to what it would be without keeping.
// Guarded by the mutex; constant-initialised, so that allocations before
// main find it ready.
using orlix::cli::Stretches;
struct Range {
  std::mutex mutex;
  std::atomic<std::uintptr_t> begin{0}, end{0};
  bool tried = false;
  Stretches* fresh = nullptr;
  Stretches* kept = nullptr;
  Stretches* used = nullptr;
};
constinit Range range;

bool inRange(const void* block) {
  const auto at = reinterpret_cast<std::uintptr_t>(block);
  return at >= range.begin.load(std::memory_order_acquire) && at < range.end.load(std::memory_order_acquire);
}

// Called with the mutex held, as every function below.
bool reserve() {
  if (range.tried) return range.begin.load() != 0;
  range.tried = true;
  void* base = mmap(nullptr, kReserved + kHugePage, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
  if (base == MAP_FAILED) return false;
  const auto start = (reinterpret_cast<std::uintptr_t>(base) + kHugePage - 1) & ~(kHugePage - 1);
  range.fresh = new Stretches{{start, kReserved}};
  range.kept = new Stretches;
  range.used = new Stretches;
  range.end.store(start + kReserved, std::memory_order_release);
  range.begin.store(start, std::memory_order_release);
  return true;
}

// Returns a kept stretch's memory to the system; its addresses become fresh.
void giveBack(std::uintptr_t at, std::size_t length) {
  madvise(reinterpret_cast<void*>(at), length, MADV_DONTNEED);
  orlix::cli::addStretch(*range.fresh, at, length);
}

// A block of whole huge pages from the range; null when there is none, or
// when the system will not commit that much (malloc then has its say).
void* mapLarge(std::size_t size) {
  const std::size_t whole = (size + kHugePage - 1) & ~(kHugePage - 1);
  std::lock_guard lock(range.mutex);
  if (!reserve()) return nullptr;
  if (const std::uintptr_t at = orlix::cli::takeStretch(*range.kept, whole)) {
    range.used->emplace(at, whole);
    // What is left of that stretch goes back: kept memory that no block
    // uses would raise the peak above what plain allocation reaches.
    if (const auto rest = range.kept->find(at + whole); rest != range.kept->end()) {
      giveBack(rest->first, rest->second);
      range.kept->erase(rest);
    }
    return reinterpret_cast<void*>(at);
  }
  for (const auto& [at, length] : *range.kept) giveBack(at, length);
  range.kept->clear();
  const std::uintptr_t at = orlix::cli::takeStretch(*range.fresh, whole);
  if (!at) return nullptr;
  void* block = mmap(reinterpret_cast<void*>(at), whole, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED,
                     -1, 0);
  if (block == MAP_FAILED) {
    orlix::cli::addStretch(*range.fresh, at, whole);
    return nullptr;
  }
  madvise(block, whole, MADV_HUGEPAGE);
  range.used->emplace(at, whole);
  return block;
}

void unmapLarge(void* block) {
  const auto at = reinterpret_cast<std::uintptr_t>(block);
  std::lock_guard lock(range.mutex);
  const auto used = range.used->find(at);
  if (used == range.used->end()) std::abort();  // not a block of ours: a double free
  const std::size_t size = used->second;
  range.used->erase(used);
  orlix::cli::addStretch(*range.kept, at, size);
}

void* allocate(std::size_t size) {
  if (size >= kHugePage)
    if (void* block = mapLarge(size)) return block;
  if (void* block = std::malloc(size == 0 ? 1 : size)) return block;
  throw std::bad_alloc();
}

void release(void* block) noexcept {
  if (block && inRange(block))
    unmapLarge(block);
  else
    std::free(block);
}

// Before main, so that the policy holds from the first allocation of any thread.
[[gnu::constructor]] void keepFreedMemory() {
  mallopt(M_MMAP_THRESHOLD, 4 << 20);
  mallopt(M_TRIM_THRESHOLD, 64 << 20);
  mallopt(M_TOP_PAD, 8 << 20);
}

}  // namespace

void* operator new(std::size_t size) { return allocate(size); }
void* operator new[](std::size_t size) { return allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  try {
    return allocate(size);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept { return operator new(size, tag); }
void operator delete(void* block) noexcept { release(block); }
void operator delete[](void* block) noexcept { release(block); }
void operator delete(void* block, std::size_t) noexcept { release(block); }
void operator delete[](void* block, std::size_t) noexcept { release(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { release(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { release(block); }

#endif
