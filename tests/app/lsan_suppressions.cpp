// Qt's platform plugins and the libraries below them (fontconfig, D-Bus, the
// CUPS client's cached printer data) keep a few allocations for the life of
// the process; those are theirs.
#include <string>

#include "tests/support/libmdb_leaks.h"

// libmdb's own known leaks on damaged databases are named by their function.
extern "C" const char* __lsan_default_suppressions() {
  static const std::string list =
      std::string("leak:libfontconfig.so\nleak:libdbus-1.so\nleak:libQt6DBus.so\nleak:libcups.so\n") +
      orlix::test::kLibmdbLeaks;
  return list.c_str();
}
