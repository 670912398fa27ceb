// The Access reader's tests feed libmdb damaged databases: its own known
// leaks are suppressed by function, every other leak fails the test.
#include "tests/support/libmdb_leaks.h"

extern "C" const char* __lsan_default_suppressions() { return orlix::test::kLibmdbLeaks; }
extern "C" const char* __asan_default_options() { return orlix::test::kWholeAllocationStacks; }
