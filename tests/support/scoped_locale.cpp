#include "tests/support/scoped_locale.h"

#include <clocale>
#include <stdexcept>

namespace orlix::test {

ScopedLocale::ScopedLocale(const std::string& name) : previous_(std::locale()) {
  const char* c = std::setlocale(LC_ALL, nullptr);
  previousC_ = c ? c : "C";
  try {
    std::locale::global(std::locale(name));  // sets the C library's locale too
  } catch (const std::runtime_error&) {
    throw std::runtime_error("the locale " + name + " is not installed (scripts/install-deps generates it)");
  }
}

ScopedLocale::~ScopedLocale() {
  std::locale::global(previous_);
  std::setlocale(LC_ALL, previousC_.c_str());
}

}  // namespace orlix::test
