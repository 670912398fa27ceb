#include "platform/com/hresult.h"

#include <cstdio>

namespace orlix::com {

std::string hresultHex(HRESULT h) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%X", static_cast<uint32_t>(h));
  return buf;
}

}  // namespace orlix::com
