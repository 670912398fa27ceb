// Qt's platform plugins and the libraries below them (fontconfig, D-Bus, the
// CUPS client's cached printer data) keep a few allocations for the life of
// the process; those are theirs.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\nleak:libdbus-1.so\nleak:libQt6DBus.so\nleak:libfreexl.so\nleak:libmdb.so\nleak:libcups.so\n";
}
