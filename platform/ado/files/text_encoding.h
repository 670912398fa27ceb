// Conversion of 8-bit text in a named code page to UTF-8, through iconv.
#pragma once

#include <string>
#include <string_view>

namespace orlix::ado {

// Converts `bytes` from the iconv charset `charset` (e.g. "CP1252", "CP866") to UTF-8.
// Throws DataError naming `path` and `what` (the field or cell) when a byte
// sequence has no meaning in that code page or the code page is unknown.
std::string ToUtf8(std::string_view bytes, const std::string& charset, const std::string& path,
                   const std::string& what);

// True when `text` is well-formed UTF-8.
bool IsValidUtf8(std::string_view text);

}  // namespace orlix::ado
