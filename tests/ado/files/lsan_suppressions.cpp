// freexl and libmdb leave a few allocations behind when they give up on a
// damaged file; those leaks are theirs, not ours.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfreexl.so\nleak:libmdb.so\n";
}
