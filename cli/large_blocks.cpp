// The global allocation functions of orlix-cli: malloc and free, as the
// standard library's own, except that a block of 4 MiB or more is asked to
// be backed by transparent huge pages. The arrays of a large analysis (the
// source's columns, the analysis table, the sorted orders) are written once,
// right after they are allocated; touching fresh memory in 4 KiB pages costs
// more kernel time than most of the analysis does (one fault per page), and
// in 2 MiB pages a fraction of it. Where the system gives no huge pages
// (transparent huge pages off), the advice is ignored and nothing changes.
// Left out under AddressSanitizer, which brings allocation functions of its own.
#if !defined(__SANITIZE_ADDRESS__)

#include <sys/mman.h>

#include <cstdint>
#include <cstdlib>
#include <new>

namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;
constexpr std::size_t kAdvisedFrom = 2 * kHugePage;

// Advises the whole huge pages inside [block, block + size).
void adviseHugePages(void* block, std::size_t size) {
  const auto start = reinterpret_cast<std::uintptr_t>(block);
  const std::uintptr_t first = (start + kHugePage - 1) & ~(kHugePage - 1);
  const std::uintptr_t last = (start + size) & ~(kHugePage - 1);
  if (last > first) madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
}

void* allocate(std::size_t size) {
  void* block = std::malloc(size == 0 ? 1 : size);
  if (!block) throw std::bad_alloc();
  if (size >= kAdvisedFrom) adviseHugePages(block, size);
  return block;
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
void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { std::free(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { std::free(block); }

#endif
