#include "platform/ado/file_table.h"

namespace orlix::ado {

void ThrowFileError(const std::string& path, const std::string& what) {
  throw FileFormatError(path + ": " + what);
}

}  // namespace orlix::ado
