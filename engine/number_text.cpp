#include "engine/number_text.h"

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <locale.h>

namespace orlix::engine {
namespace {

std::string ToChars(double value, std::chars_format format, int precision) {
  char buffer[400];  // "%f" of the largest double has 309 digits before the point
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value, format, precision);
  return std::string(buffer, result.ptr);
}

// The C locale as an object, so parsing never depends on setlocale.
locale_t CLocale() {
  static const locale_t c_locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  return c_locale;
}

}  // namespace

std::string FormatFixed6(double value) { return ToChars(value, std::chars_format::fixed, 6); }

std::string FormatFixed0(double value) { return ToChars(value, std::chars_format::fixed, 0); }

std::string FormatGeneral(double value) { return ToChars(value, std::chars_format::general, 6); }

std::string FormatStandard(double value) {
  return ToChars(value, std::chars_format::general, 15);
}

std::string FormatStandardFloat(float value) {
  return ToChars(static_cast<double>(value), std::chars_format::general, 7);
}

double ParseNumberPrefix(std::string_view text) {
  // Fast path: a plain decimal text that from_chars reads whole reads the same
  // through strtod (both round correctly).
  if (!text.empty() && (text.front() == '-' || (text.front() >= '0' && text.front() <= '9'))) {
    double value = 0;
    auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec == std::errc() && result.ptr == text.data() + text.size()) return value;
  }
  // strtod needs a terminated string; texts may hold anything, embedded NULs included.
  std::string copy(text.substr(0, text.find('\0')));
  return strtod_l(copy.c_str(), nullptr, CLocale());
}

bool ParseWholeNumber(std::string_view text, double& value) {
  auto is_blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!text.empty() && is_blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && is_blank(text.back())) text.remove_suffix(1);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  if (text.empty()) return false;
  double parsed = 0;
  auto result = std::from_chars(text.data(), text.data() + text.size(), parsed);
  if (result.ec != std::errc() || result.ptr != text.data() + text.size()) return false;
  if (!std::isfinite(parsed)) return false;
  value = parsed;
  return true;
}

}  // namespace orlix::engine
