#include "platform/ado/provider.h"

#include <sys/stat.h>

#include <cerrno>

namespace orlix::ado {

std::vector<FileStamp> stampFiles(const std::vector<std::string>& paths) {
  std::vector<FileStamp> stamps;
  for (const std::string& path : paths) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
      if (errno == ENOENT) continue;
      stamps.push_back({path, 0, 0});
      continue;
    }
    const std::int64_t modified = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    stamps.push_back({path, static_cast<std::uintmax_t>(st.st_size), modified});
  }
  return stamps;
}

SourceShape Provider::describe(std::string_view source) {
  SourceShape shape;
  shape.rows = query(source);
  for (size_t i = 0; i < shape.rows->fieldCount(); ++i) shape.fields.push_back(shape.rows->field(i));
  return shape;
}

std::vector<FileStamp> Provider::stamps(std::string_view) { return {}; }

}  // namespace orlix::ado
