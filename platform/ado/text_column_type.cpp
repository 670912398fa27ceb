#include "platform/ado/text_column_type.h"

#include <charconv>
#include <string>

namespace orlix::ado {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// An optional sign, digits with an optional point and digits (or a point and
// digits), then an optional exponent; no blanks, no inf/nan, no hex.
bool IsPlainNumber(std::string_view s) {
  std::size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  std::size_t digits = 0;
  while (i < s.size() && IsDigit(s[i])) { ++i; ++digits; }
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && IsDigit(s[i])) { ++i; ++digits; }
  }
  if (digits == 0) return false;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    std::size_t exp_digits = 0;
    while (i < s.size() && IsDigit(s[i])) { ++i; ++exp_digits; }
    if (exp_digits == 0) return false;
  }
  return i == s.size();
}

// A number that does not fit a double (1e999) is no number here: reading it
// would change the value.
bool ParseDouble(std::string_view s, double& value) {
  if (!IsPlainNumber(s)) return false;
  if (s[0] == '+') s.remove_prefix(1);
  auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
  return ec == std::errc() && end == s.data() + s.size();
}

bool ParseInt32(std::string_view s, std::int32_t& value) {
  std::size_t start = (!s.empty() && s[0] == '+') ? 1 : 0;
  if (start == s.size() || (s[start] == '-' && start == 1)) return false;
  auto [end, ec] = std::from_chars(s.data() + start, s.data() + s.size(), value);
  return ec == std::errc() && end == s.data() + s.size();
}

}  // namespace

void TextColumnTyper::See(std::string_view cell) {
  if (cell.empty()) return;
  any_ = true;
  std::int32_t ignored;
  if (all_int_ && !ParseInt32(cell, ignored)) all_int_ = false;
  double number;
  if (!all_int_ && all_number_ && !ParseDouble(cell, number)) all_number_ = false;
}

int TextColumnTyper::Type() const {
  if (!any_) return kFileVarWChar;
  if (all_int_) return kFileInteger;
  return all_number_ ? kFileDouble : kFileVarWChar;
}

FileCell TextCellValue(std::string_view text, int type) {
  if (text.empty()) return std::monostate{};
  if (type == kFileInteger) {
    std::int32_t value = 0;
    ParseInt32(text, value);
    return value;
  }
  if (type == kFileDouble) {
    double value = 0;
    ParseDouble(text, value);
    return value;
  }
  return std::string(text);
}

}  // namespace orlix::ado
