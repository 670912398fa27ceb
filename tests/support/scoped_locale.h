// Switches the process to another locale for a test: the C library's
// (setlocale) and the standard library's global locale, which new streams
// take. Every writer and reader must give the same bytes under both.
#pragma once

#include <locale>
#include <string>

namespace orlix::test {

// A locale with a decimal comma and "." grouping thousands; scripts/install-deps generates it.
inline constexpr const char* kDecimalCommaLocale = "de_DE.UTF-8";

class ScopedLocale {
 public:
  // Throws std::runtime_error naming the locale when the machine does not have it.
  explicit ScopedLocale(const std::string& name = kDecimalCommaLocale);
  ~ScopedLocale();
  ScopedLocale(const ScopedLocale&) = delete;
  ScopedLocale& operator=(const ScopedLocale&) = delete;

 private:
  std::locale previous_;
  std::string previousC_;
};

// What `produce` returns in the C locale and under kDecimalCommaLocale, in that order.
template <typename Produce>
auto InBothLocales(Produce produce) {
  auto inC = produce();
  ScopedLocale decimalComma;
  auto inOther = produce();
  return std::make_pair(std::move(inC), std::move(inOther));
}

}  // namespace orlix::test
