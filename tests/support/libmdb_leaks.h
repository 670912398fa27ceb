// The allocations libmdb itself loses when it gives up on a damaged database,
// by the libmdb function that makes them, for LeakSanitizer's suppressions.
// Naming them needs whole allocation stacks: glib and libmdb are built
// without frame pointers, so the fast unwinder stops at g_malloc.
#pragma once

namespace orlix::test {

inline constexpr const char* kLibmdbLeaks = "leak:mdb_kkd_to_props\n";
inline constexpr const char* kWholeAllocationStacks = "fast_unwind_on_malloc=0";

}  // namespace orlix::test
