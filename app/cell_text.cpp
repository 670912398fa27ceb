#include "app/cell_text.h"

#include <charconv>

namespace orlix::app {

namespace {

QString shortestFloat(float value) {
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return QString::fromLatin1(buffer, static_cast<int>(result.ptr - buffer));
}

}  // namespace

QString cellText(const com::Variant& value) {
  switch (value.type()) {
    case com::VT_EMPTY:
    case com::VT_NULL:
      return {};
    case com::VT_R8:
      return QString::fromStdString(com::formatDouble(value.realBits()));
    case com::VT_R4:
      return shortestFloat(static_cast<float>(value.realBits()));
    default:
      // Integers, dates, currency, booleans and text convert without the locale.
      try {
        return QString::fromStdString(value.toString());
      } catch (const com::TypeMismatch&) {
        return {};  // a value with no text form (an object) shows as an empty cell
      }
  }
}

}  // namespace orlix::app
