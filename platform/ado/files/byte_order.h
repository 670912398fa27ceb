// Little-endian numbers inside a byte string, as binary file formats store them.
// The caller checks that the bytes exist.
#pragma once

#include <cstdint>
#include <string>

namespace orlix::ado {

inline std::uint16_t Le16(const std::string& b, std::size_t at) {
  return static_cast<std::uint16_t>(static_cast<std::uint8_t>(b[at]) | static_cast<std::uint8_t>(b[at + 1]) << 8);
}

inline std::uint32_t Le32(const std::string& b, std::size_t at) {
  return Le16(b, at) | static_cast<std::uint32_t>(Le16(b, at + 2)) << 16;
}

}  // namespace orlix::ado
