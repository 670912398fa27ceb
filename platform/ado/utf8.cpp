#include "platform/ado/utf8.h"

#include <cstdint>
#include <cstring>

namespace orlix::ado {

size_t invalidUtf8Offset(std::string_view s) {
  const auto* p = reinterpret_cast<const unsigned char*>(s.data());
  const size_t n = s.size();
  size_t i = 0;
  while (i < n) {
    // Fast path: eight ASCII bytes, none of them NUL.
    if (i + 8 <= n) {
      uint64_t w;
      std::memcpy(&w, p + i, 8);
      const bool ascii = (w & 0x8080808080808080ull) == 0;
      const bool hasZero = ((w - 0x0101010101010101ull) & ~w & 0x8080808080808080ull) != 0;
      if (ascii && !hasZero) {
        i += 8;
        continue;
      }
    }
    const unsigned char c = p[i];
    if (c == 0) return i;
    if (c < 0x80) {
      ++i;
      continue;
    }
    size_t len;
    unsigned char lo = 0x80, hi = 0xBF;
    if (c >= 0xC2 && c <= 0xDF) {
      len = 2;
    } else if (c >= 0xE0 && c <= 0xEF) {
      len = 3;
      if (c == 0xE0) lo = 0xA0;
      if (c == 0xED) hi = 0x9F;
    } else if (c >= 0xF0 && c <= 0xF4) {
      len = 4;
      if (c == 0xF0) lo = 0x90;
      if (c == 0xF4) hi = 0x8F;
    } else {
      return i;
    }
    if (i + len > n) return i;
    if (p[i + 1] < lo || p[i + 1] > hi) return i;
    for (size_t k = 2; k < len; ++k)
      if (p[i + k] < 0x80 || p[i + k] > 0xBF) return i;
    i += len;
  }
  return std::string_view::npos;
}

}  // namespace orlix::ado
