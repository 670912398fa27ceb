#include "platform/com/variant.h"

#include "platform/com/ole_date.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>
#include <ostream>

namespace orlix::com {

namespace {

const char* typeName(VarType t) {
  switch (t) {
    case VT_EMPTY: return "Empty";
    case VT_NULL: return "Null";
    case VT_I2: return "Integer";
    case VT_I4: return "Long";
    case VT_R4: return "Single";
    case VT_R8: return "Double";
    case VT_CY: return "Currency";
    case VT_DATE: return "Date";
    case VT_BSTR: return "String";
    case VT_DISPATCH: return "Object";
    case VT_BOOL: return "Boolean";
    case VT_DECIMAL: return "Decimal";
    case VT_I1: return "SByte";
    case VT_UI1: return "Byte";
    case VT_UI2: return "UShort";
    case VT_UI4: return "ULong";
    case VT_I8: return "LongLong";
    case VT_UI8: return "ULongLong";
    default: return "Variant";
  }
}

[[noreturn]] void failConversion(VarType from, VarType to, std::string_view detail = {}) {
  std::string msg = std::string("Type mismatch: cannot convert ") + typeName(from) + " to " +
                    typeName(to);
  if (!detail.empty()) msg += " (" + std::string(detail) + ")";
  throw TypeMismatch(msg);
}

[[noreturn]] void overflow(VarType to, std::string_view value) {
  throw TypeMismatch(std::string("Overflow: ") + std::string(value) + " does not fit " +
                     typeName(to));
}

bool isIntegerType(VarType t) {
  switch (t) {
    case VT_I1: case VT_I2: case VT_I4: case VT_I8:
    case VT_UI1: case VT_UI2: case VT_UI4: case VT_UI8: case VT_BOOL:
      return true;
    default:
      return false;
  }
}

std::string_view trimBlanks(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

// Parses the whole of `s` as a number in the C locale; no hex, inf or nan.
bool parseNumber(std::string_view s, double& out) {
  s = trimBlanks(s);
  if (s.empty()) return false;
  if (s.front() == '+') s.remove_prefix(1);
  for (char c : s)
    if (!(std::isdigit(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == 'e' ||
          c == 'E' || c == '+'))
      return false;
  auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
  return ec == std::errc() && end == s.data() + s.size();
}

int64_t roundToInt64(double v, VarType to) {
  double r = std::nearbyint(v);  // the default rounding mode is half to even
  if (!(r >= -9223372036854775808.0 && r < 9223372036854775808.0)) overflow(to, formatDouble(v));
  return static_cast<int64_t>(r);
}

// Division of currency by 10,000 with half-to-even rounding.
int64_t currencyToInteger(int64_t cy) {
  int64_t q = cy / 10000, r = cy % 10000;
  if (r > 5000 || (r == 5000 && (q & 1))) ++q;
  if (r < -5000 || (r == -5000 && (q & 1))) --q;
  return q;
}

void checkRange(int64_t v, int64_t lo, int64_t hi, VarType to) {
  if (v < lo || v > hi) overflow(to, std::to_string(v));
}

bool validDecimalText(std::string_view s) {
  size_t i = 0, digits = 0;
  if (i < s.size() && (s[i] == '-' || s[i] == '+')) ++i;
  for (; i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])); ++i) ++digits;
  if (i < s.size() && s[i] == '.')
    for (++i; i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])); ++i) ++digits;
  return digits > 0 && i == s.size();
}

std::string fixedText(double v) {
  char buf[400];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed);
  return std::string(buf, end);
}

}  // namespace

Variant Variant::null() {
  Variant v;
  v.type_ = VT_NULL;
  return v;
}

#define ORLIX_INT_FACTORY(fn, ctype, vt) \
  Variant Variant::fn(ctype x) {         \
    Variant v;                           \
    v.type_ = vt;                        \
    v.i_ = static_cast<int64_t>(x);      \
    return v;                            \
  }
ORLIX_INT_FACTORY(int16, int16_t, VT_I2)
ORLIX_INT_FACTORY(int64, int64_t, VT_I8)
ORLIX_INT_FACTORY(uint8, uint8_t, VT_UI1)
ORLIX_INT_FACTORY(int8, int8_t, VT_I1)
ORLIX_INT_FACTORY(uint16, uint16_t, VT_UI2)
ORLIX_INT_FACTORY(uint32, uint32_t, VT_UI4)
ORLIX_INT_FACTORY(uint64, uint64_t, VT_UI8)
ORLIX_INT_FACTORY(currency, int64_t, VT_CY)
#undef ORLIX_INT_FACTORY

Variant Variant::single(float x) {
  Variant v;
  v.type_ = VT_R4;
  v.d_ = x;
  return v;
}

Variant Variant::date(double oleDate) {
  Variant v;
  v.type_ = VT_DATE;
  v.d_ = oleDate;
  return v;
}

Variant Variant::decimal(std::string_view text) {
  if (!validDecimalText(text)) failConversion(VT_BSTR, VT_DECIMAL, text);
  // Kept in one canonical form so that equal values compare equal:
  // no sign for zero, no leading or trailing zeros ("0.5", "-12.34", "0").
  if (text[0] == '+') text.remove_prefix(1);
  const bool negative = text[0] == '-';
  if (negative) text.remove_prefix(1);
  const size_t point = text.find('.');
  std::string whole(text.substr(0, point));
  std::string frac(point == std::string_view::npos ? "" : text.substr(point + 1));
  while (!frac.empty() && frac.back() == '0') frac.pop_back();
  whole.erase(0, std::min(whole.find_first_not_of('0'), whole.size()));
  if (whole.empty()) whole = "0";
  Variant v;
  v.type_ = VT_DECIMAL;
  v.s_ = (negative && (whole != "0" || !frac.empty()) ? "-" : "") + whole + (frac.empty() ? "" : "." + frac);
  return v;
}

Variant Variant::dispatch(std::shared_ptr<void> object) {
  Variant v;
  v.type_ = VT_DISPATCH;
  v.obj_ = std::move(object);
  return v;
}

bool Variant::isNumeric() const {
  return isIntegerType(type_) || type_ == VT_R4 || type_ == VT_R8 || type_ == VT_CY ||
         type_ == VT_DECIMAL;
}

int64_t Variant::integerBits() const {
  if (!isIntegerType(type_) && type_ != VT_CY) failConversion(type_, VT_I8);
  return i_;
}

double Variant::realBits() const {
  if (type_ != VT_R4 && type_ != VT_R8 && type_ != VT_DATE) failConversion(type_, VT_R8);
  return d_;
}

const std::string& Variant::text() const {
  if (type_ != VT_BSTR && type_ != VT_DECIMAL) failConversion(type_, VT_BSTR);
  return s_;
}

const std::shared_ptr<void>& Variant::object() const {
  if (type_ != VT_DISPATCH && type_ != VT_UNKNOWN) failConversion(type_, VT_DISPATCH);
  return obj_;
}

double Variant::toDouble() const {
  if (isIntegerType(type_)) return static_cast<double>(i_);
  switch (type_) {
    case VT_EMPTY: return 0;
    case VT_R4: case VT_R8: case VT_DATE: return d_;
    case VT_CY: return static_cast<double>(i_) / 10000.0;
    case VT_BSTR: case VT_DECIMAL: {
      double v;
      if (!parseNumber(s_, v)) failConversion(type_, VT_R8, "\"" + s_ + "\"");
      if (!std::isfinite(v)) overflow(VT_R8, s_);
      return v;
    }
    default: failConversion(type_, VT_R8);
  }
}

int64_t Variant::toInt64() const {
  if (isIntegerType(type_)) return i_;
  switch (type_) {
    case VT_EMPTY: return 0;
    case VT_CY: return currencyToInteger(i_);
    case VT_BSTR: case VT_DECIMAL: {
      std::string_view s = trimBlanks(s_);
      if (!s.empty() && s.front() == '+') s.remove_prefix(1);
      int64_t v;
      auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
      if (ec == std::errc() && end == s.data() + s.size()) return v;
      if (ec == std::errc::result_out_of_range) overflow(VT_I8, s_);
      return roundToInt64(toDouble(), VT_I8);
    }
    default: return roundToInt64(toDouble(), VT_I8);
  }
}

int32_t Variant::toInt32() const {
  int64_t v = toInt64();
  checkRange(v, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max(), VT_I4);
  return static_cast<int32_t>(v);
}

bool Variant::toBool() const {
  if (type_ == VT_BSTR) {
    std::string_view s = trimBlanks(s_);
    auto same = [&](std::string_view w) {
      if (s.size() != w.size()) return false;
      for (size_t i = 0; i < s.size(); ++i)
        if ((s[i] >= 'A' && s[i] <= 'Z' ? s[i] - 'A' + 'a' : s[i]) != w[i]) return false;
      return true;
    };
    if (same("true")) return true;
    if (same("false")) return false;
  }
  return toDouble() != 0;
}

int64_t Variant::toCurrency() const {
  if (type_ == VT_CY) return i_;
  if (isIntegerType(type_)) {
    if (i_ > std::numeric_limits<int64_t>::max() / 10000 ||
        i_ < std::numeric_limits<int64_t>::min() / 10000)
      overflow(VT_CY, std::to_string(i_));
    return i_ * 10000;
  }
  if (type_ == VT_BSTR || type_ == VT_DECIMAL) {
    int64_t cy;
    if (parseCurrency(trimBlanks(s_), cy)) return cy;
  }
  double v = toDouble();
  return roundToInt64(v * 10000.0, VT_CY);
}

std::string Variant::toString() const {
  if (type_ == VT_BOOL) return i_ ? "True" : "False";
  if (isIntegerType(type_)) return std::to_string(i_);
  switch (type_) {
    case VT_EMPTY: return "";
    case VT_BSTR: case VT_DECIMAL: return s_;
    case VT_R8: return formatSignificant(d_, 15);
    case VT_R4: return formatSignificant(d_, 7);
    case VT_CY: return formatCurrency(i_);
    case VT_DATE: return formatOleDate(d_);
    default: failConversion(type_, VT_BSTR);
  }
}

Variant Variant::changeType(VarType target) const {
  if (target == type_) return *this;
  if (type_ == VT_NULL) {
    if (target == VT_NULL) return *this;
    failConversion(type_, target);
  }
  switch (target) {
    case VT_EMPTY: return Variant();
    case VT_NULL: return null();
    case VT_I1: { int64_t v = toInt64(); checkRange(v, INT8_MIN, INT8_MAX, target); return int8(static_cast<int8_t>(v)); }
    case VT_I2: { int64_t v = toInt64(); checkRange(v, INT16_MIN, INT16_MAX, target); return int16(static_cast<int16_t>(v)); }
    case VT_I4: return Variant(toInt32());
    case VT_I8: return int64(toInt64());
    case VT_UI1: { int64_t v = toInt64(); checkRange(v, 0, UINT8_MAX, target); return uint8(static_cast<uint8_t>(v)); }
    case VT_UI2: { int64_t v = toInt64(); checkRange(v, 0, UINT16_MAX, target); return uint16(static_cast<uint16_t>(v)); }
    case VT_UI4: { int64_t v = toInt64(); checkRange(v, 0, UINT32_MAX, target); return uint32(static_cast<uint32_t>(v)); }
    case VT_UI8: { int64_t v = toInt64(); checkRange(v, 0, INT64_MAX, target); return uint64(static_cast<uint64_t>(v)); }
    case VT_R4: {
      double v = toDouble();
      if (std::fabs(v) > std::numeric_limits<float>::max()) overflow(target, formatDouble(v));
      return single(static_cast<float>(v));
    }
    case VT_R8: return Variant(toDouble());
    case VT_CY: return currency(toCurrency());
    case VT_DATE: {
      if (type_ == VT_BSTR)
        if (auto d = parseIsoDate(trimBlanks(s_))) return date(*d);
      return date(toDouble());
    }
    case VT_BSTR: return Variant(toString());
    case VT_BOOL: return Variant(toBool());
    case VT_DECIMAL: {
      if (type_ == VT_CY) return decimal(formatCurrency(i_));
      if (isIntegerType(type_)) return decimal(std::to_string(type_ == VT_BOOL ? i_ : i_));
      if (type_ == VT_BSTR) {
        std::string_view s = trimBlanks(s_);
        if (validDecimalText(s)) return decimal(s);
      }
      double v = toDouble();
      if (!std::isfinite(v)) overflow(target, s_);
      return decimal(fixedText(v));
    }
    default: failConversion(type_, target);
  }
}

bool operator==(const Variant& a, const Variant& b) {
  return a.type_ == b.type_ && a.i_ == b.i_ &&
         (a.d_ == b.d_ || (std::isnan(a.d_) && std::isnan(b.d_))) && a.s_ == b.s_ &&
         a.obj_ == b.obj_;
}

std::ostream& operator<<(std::ostream& out, const Variant& v) {
  if (v.isNull()) return out << "Null";
  if (v.isEmpty()) return out << "Empty";
  if (v.type() == VT_DISPATCH || v.type() == VT_UNKNOWN) return out << v.type() << ":object";
  try {
    return out << v.type() << ":" << v.toString();
  } catch (const TypeMismatch&) {
    return out << v.type() << ":?";
  }
}

std::string formatDouble(double v) {
  char buf[64];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v);
  return std::string(buf, end);
}

std::string formatSignificant(double v, int precision) {
  char buf[64];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, precision);
  std::string out(buf, end);
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return out;
}

std::string formatCurrency(int64_t cy) {
  bool negative = cy < 0;
  // Work in unsigned so that the most negative value does not overflow.
  uint64_t mag = negative ? 0 - static_cast<uint64_t>(cy) : static_cast<uint64_t>(cy);
  std::string out = (negative ? "-" : "") + std::to_string(mag / 10000);
  unsigned frac = static_cast<unsigned>(mag % 10000);
  if (frac) {
    std::string f = std::to_string(frac + 10000);  // "1xxxx": four digits with their leading zeros
    f[0] = '.';
    while (f.back() == '0') f.pop_back();
    out += f;
  }
  return out;
}

bool parseCurrency(std::string_view s, int64_t& out) {
  if (!validDecimalText(s)) return false;
  bool negative = false;
  size_t i = 0;
  if (s[i] == '-' || s[i] == '+') negative = s[i++] == '-';
  __int128 v = 0;
  int decimals = -1;
  int roundDigit = -1;
  for (; i < s.size(); ++i) {
    if (s[i] == '.') {
      decimals = 0;
      continue;
    }
    if (decimals >= 4) {
      if (roundDigit < 0) roundDigit = s[i] - '0';
      continue;
    }
    v = v * 10 + (s[i] - '0');
    if (decimals >= 0) ++decimals;
    if (v > static_cast<__int128>(INT64_MAX) * 10) return false;
  }
  for (int d = decimals < 0 ? 0 : decimals; d < 4; ++d) v *= 10;
  if (roundDigit >= 5) ++v;
  if (negative) v = -v;
  if (v > INT64_MAX || v < INT64_MIN) return false;
  out = static_cast<int64_t>(v);
  return true;
}

}  // namespace orlix::com
