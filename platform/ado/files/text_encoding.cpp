#include "platform/ado/files/text_encoding.h"

#include <iconv.h>

#include <cerrno>
#include <memory>

#include "platform/ado/files/file_table.h"

namespace orlix::ado {

namespace {

bool IsAscii(std::string_view bytes) {
  for (unsigned char c : bytes)
    if (c >= 0x80) return false;
  return true;
}

struct IconvCloser {
  void operator()(void* cd) const { iconv_close(static_cast<iconv_t>(cd)); }
};

}  // namespace

std::string ToUtf8(std::string_view bytes, const std::string& charset, const std::string& path,
                   const std::string& what) {
  if (IsAscii(bytes)) return std::string(bytes);
  iconv_t cd = iconv_open("UTF-8", charset.c_str());
  if (cd == reinterpret_cast<iconv_t>(-1)) ThrowFileError(path, "unknown code page " + charset);
  std::unique_ptr<void, IconvCloser> guard(cd);
  std::string out(bytes.size() * 4 + 4, '\0');
  char* in = const_cast<char*>(bytes.data());
  std::size_t in_left = bytes.size();
  char* dst = out.data();
  std::size_t out_left = out.size();
  if (iconv(cd, &in, &in_left, &dst, &out_left) == static_cast<std::size_t>(-1))
    ThrowFileError(path, "text of " + what + " is not valid " + charset);
  out.resize(out.size() - out_left);
  return out;
}

bool IsValidUtf8(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    unsigned char c = text[i];
    std::size_t extra = c < 0x80 ? 0 : (c >> 5) == 0x6 ? 1 : (c >> 4) == 0xE ? 2 : (c >> 3) == 0x1E ? 3 : 9;
    if (extra == 9 || (c >= 0x80 && c < 0xC2) || c > 0xF4 || i + extra >= text.size() + (extra == 0))
      return false;
    unsigned cp = extra == 0 ? c : c & (0x3F >> extra);
    for (std::size_t k = 1; k <= extra; ++k) {
      unsigned char cc = text[i + k];
      if ((cc & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (cc & 0x3F);
    }
    if ((extra == 2 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))) || (extra == 3 && (cp < 0x10000 || cp > 0x10FFFF)))
      return false;
    i += extra + 1;
  }
  return true;
}

}  // namespace orlix::ado
