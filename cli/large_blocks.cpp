// The global allocation functions of orlix-cli: malloc and free, as the
// standard library's own, except that a block of 4 MiB or more starts on a
// 2 MiB boundary and is asked to be backed by transparent huge pages. The arrays of a large analysis (the
// source's columns, the analysis table, the sorted orders) are written once,
// right after they are allocated; touching fresh memory in 4 KiB pages costs
// more kernel time than most of the analysis does (one fault per page), and
// in 2 MiB pages a fraction of it. Where the system gives no huge pages
// (transparent huge pages off), the advice is ignored and nothing changes.
// Left out under AddressSanitizer, which brings allocation functions of its own.
#if !defined(__SANITIZE_ADDRESS__)

#include <sys/mman.h>

#include <cstdlib>
#include <new>

namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;
constexpr std::size_t kAdvisedFrom = 2 * kHugePage;

// A large block starts on a huge page and fills its last one, so that all
// of it can be backed by huge pages; the unused end of the last one is
// only resident when the block is used up to it.
void* allocate(std::size_t size) {
  if (size < kAdvisedFrom) {
    if (void* block = std::malloc(size == 0 ? 1 : size)) return block;
    throw std::bad_alloc();
  }
  const std::size_t whole = (size + kHugePage - 1) & ~(kHugePage - 1);
  void* block = std::aligned_alloc(kHugePage, whole);
  if (!block) throw std::bad_alloc();
  madvise(block, whole, MADV_HUGEPAGE);
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
