// Variant: the automation value type, a tagged value with the VARTYPE codes.
// A value type; conversions throw TypeMismatch (the DISP_E_TYPEMISMATCH and
// DISP_E_OVERFLOW cases of the component model) with a clear message.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/com/ole_date.h"

namespace orlix::com {

// VARTYPE codes, numbered as the automation types number them.
enum VarType : uint16_t {
  VT_EMPTY = 0,
  VT_NULL = 1,
  VT_I2 = 2,
  VT_I4 = 3,
  VT_R4 = 4,
  VT_R8 = 5,
  VT_CY = 6,
  VT_DATE = 7,
  VT_BSTR = 8,
  VT_DISPATCH = 9,
  VT_ERROR = 10,
  VT_BOOL = 11,
  VT_VARIANT = 12,
  VT_UNKNOWN = 13,
  VT_DECIMAL = 14,
  VT_I1 = 16,
  VT_UI1 = 17,
  VT_UI2 = 18,
  VT_UI4 = 19,
  VT_I8 = 20,
  VT_UI8 = 21,
};

// A value that cannot be converted to the type asked for, or overflows it.
class TypeMismatch : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Currency (VT_CY) is a 64-bit integer scaled by 10,000. Dates (VT_DATE) are
// days since 1899-12-30 with the time as the fraction (ole_date.h). Decimals (VT_DECIMAL)
// keep their exact value as canonical decimal text ("-12.34", "0.5", "0").
// VT_DISPATCH holds a shared object.
class Variant {
 public:
  Variant() = default;  // VT_EMPTY
  Variant(int32_t v) : type_(VT_I4), i_(v) {}
  Variant(double v) : type_(VT_R8), d_(v) {}
  Variant(bool v) : type_(VT_BOOL), i_(v ? -1 : 0) {}
  Variant(std::string v) : type_(VT_BSTR), s_(std::move(v)) {}
  Variant(const char* v) : type_(VT_BSTR), s_(v) {}

  static Variant null();
  static Variant int16(int16_t v);
  static Variant int32(int32_t v) { return Variant(v); }
  static Variant int64(int64_t v);
  static Variant uint8(uint8_t v);
  static Variant int8(int8_t v);
  static Variant uint16(uint16_t v);
  static Variant uint32(uint32_t v);
  static Variant uint64(uint64_t v);
  static Variant single(float v);
  static Variant real(double v) { return Variant(v); }
  static Variant currency(int64_t scaledBy10000);
  static Variant date(double oleDate);
  static Variant string(std::string v) { return Variant(std::move(v)); }
  static Variant boolean(bool v) { return Variant(v); }
  // Throws TypeMismatch when `text` is not a plain decimal number.
  static Variant decimal(std::string_view text);
  static Variant dispatch(std::shared_ptr<void> object);

  VarType type() const { return type_; }
  bool isEmpty() const { return type_ == VT_EMPTY; }
  bool isNull() const { return type_ == VT_NULL; }
  bool isNumeric() const;

  // Raw access; the caller checks type() first (wrong type: TypeMismatch).
  int64_t integerBits() const;          // I1..I8, UI1..UI8, BOOL (-1/0), CY (scaled)
  double realBits() const;              // R4, R8, DATE
  const std::string& text() const;      // BSTR, DECIMAL
  const std::shared_ptr<void>& object() const;  // DISPATCH, UNKNOWN

  // Conversions as VariantChangeType does them, in the C locale: numbers
  // round half to even when narrowed, strings are parsed, out of range or
  // unparsable values throw TypeMismatch. NULL and EMPTY convert to nothing
  // but EMPTY -> 0 / "" (NULL throws).
  int32_t toInt32() const;
  int64_t toInt64() const;
  double toDouble() const;
  bool toBool() const;
  int64_t toCurrency() const;  // scaled by 10,000
  std::string toString() const;
  Variant changeType(VarType target) const;

  friend bool operator==(const Variant& a, const Variant& b);

 private:
  VarType type_ = VT_EMPTY;
  int64_t i_ = 0;
  double d_ = 0;
  std::string s_;
  std::shared_ptr<void> obj_;
};

// "Null", "Empty" or the type code and text ("3:42"), for messages and test output.
std::ostream& operator<<(std::ostream& out, const Variant& v);

// Shortest text that reads back as the same double ("0.1", "1e+300"), C locale.
std::string formatDouble(double v);
// "%.<precision>G" in the C locale: up to `precision` significant digits, an
// upper-case exponent ("1E+20"), "INF" and "NAN".
std::string formatSignificant(double v, int precision);
// Currency as decimal text without trailing zeros ("1234.56", "-7.89", "3").
std::string formatCurrency(int64_t scaledBy10000);
// Parses a decimal number into currency; false on bad text or overflow.
bool parseCurrency(std::string_view text, int64_t& scaledBy10000);

}  // namespace orlix::com
