// 128-bit identifiers of classes, interfaces and type libraries, written in the
// registry form "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}".
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orlix::com {

struct Guid {
  uint32_t data1 = 0;
  uint16_t data2 = 0;
  uint16_t data3 = 0;
  std::array<uint8_t, 8> data4{};

  // Parses the registry form, braces optional, hex digits of either case;
  // nullopt for anything else.
  static std::optional<Guid> parse(std::string_view text);
  // Parses a literal known to be valid (the identifiers in the code);
  // a malformed literal is a programming error and aborts.
  static Guid fromLiteral(std::string_view text);

  // Upper-case registry form with braces.
  std::string toString() const;
  bool isNull() const { return *this == Guid{}; }
  friend bool operator==(const Guid&, const Guid&) = default;
};

}  // namespace orlix::com
