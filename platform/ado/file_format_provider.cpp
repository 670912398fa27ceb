#include "platform/ado/file_format_provider.h"

#include "platform/ado/error.h"

namespace orlix::ado {

std::unique_ptr<Provider> openFileFormatProvider(const FileSource& source) {
  throw DataError(source.path, "format not supported yet");
}

}  // namespace orlix::ado
