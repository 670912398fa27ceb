#include "platform/ado/text/text_cell_kind.h"

#include <charconv>
#include <cmath>
#include <cstdint>

namespace orlix::ado {

namespace {

bool digit(char c) { return static_cast<unsigned char>(c - '0') < 10; }

// Exact powers of ten up to 10^22, the range where a double holds them exactly.
constexpr double kPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                             1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

}  // namespace

// One pass: the usual short decimals are converted exactly here (a mantissa
// below 2^53 times or divided by an exact power of ten is correctly rounded);
// anything longer goes to std::from_chars.
TextCellKind classifyTextCell(std::string_view s, double& value) {
  if (s.empty()) return TextCellKind::Text;
  const char* p = s.data();
  const char* const end = p + s.size();
  bool negative = false;
  if (*p == '+' || *p == '-') negative = *p++ == '-';
  uint64_t mantissa = 0;
  int digits = 0, fracDigits = 0;
  const char* const intStart = p;
  for (; p < end && digit(*p); ++p, ++digits)
    if (digits < 19) mantissa = mantissa * 10 + static_cast<uint64_t>(*p - '0');
  const bool hasInt = p > intStart;
  bool hasPoint = false, hasExp = false;
  if (p < end && *p == '.') {
    hasPoint = true;
    for (++p; p < end && digit(*p); ++p, ++digits, ++fracDigits)
      if (digits < 19) mantissa = mantissa * 10 + static_cast<uint64_t>(*p - '0');
  }
  if (digits == 0) return TextCellKind::Text;
  int exponent = 0;
  if (p < end && (*p == 'e' || *p == 'E')) {
    hasExp = true;
    ++p;
    bool expNegative = false;
    if (p < end && (*p == '+' || *p == '-')) expNegative = *p++ == '-';
    const char* const expStart = p;
    for (; p < end && digit(*p); ++p)
      if (exponent < 100000) exponent = exponent * 10 + (*p - '0');
    if (p == expStart) return TextCellKind::Text;
    if (expNegative) exponent = -exponent;
  }
  if (p != end) return TextCellKind::Text;
  if (hasInt && !hasPoint && !hasExp && digits <= 10) {
    const int64_t v = negative ? -static_cast<int64_t>(mantissa) : static_cast<int64_t>(mantissa);
    if (v >= INT32_MIN && v <= INT32_MAX) {
      value = static_cast<double>(v);
      return TextCellKind::Int32;
    }
  }
  const int scale = exponent - fracDigits;
  if (digits <= 19 && mantissa <= (uint64_t{1} << 53) && scale >= -22 && scale <= 22) {
    double m = static_cast<double>(mantissa);
    m = scale < 0 ? m / kPow10[-scale] : m * kPow10[scale];
    value = negative ? -m : m;
    return TextCellKind::Number;
  }
  const char* from = s.data() + (s[0] == '+' ? 1 : 0);
  auto [stop, ec] = std::from_chars(from, end, value);
  if (ec != std::errc() || stop != end || !std::isfinite(value)) return TextCellKind::Text;
  return TextCellKind::Number;
}


}  // namespace orlix::ado
