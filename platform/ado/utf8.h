// UTF-8 checks shared by the readers.
#pragma once

#include <cstddef>
#include <string_view>

namespace orlix::ado {

// Offset of the first byte that is not part of well-formed UTF-8 (overlong
// forms, surrogates and NUL bytes included), or npos when all is well.
size_t invalidUtf8Offset(std::string_view s);

}  // namespace orlix::ado
