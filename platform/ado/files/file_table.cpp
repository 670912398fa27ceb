#include "platform/ado/files/file_table.h"

#include "platform/ado/error.h"

namespace orlix::ado {

void ThrowFileError(const std::string& path, const std::string& what) {
  throw DataError(path, what);
}

}  // namespace orlix::ado
