#include "tests/support/test_files.h"

#include <fstream>
#include <stdexcept>

namespace orlix::test {

std::string repositoryFile(const std::string& relative) {
  std::filesystem::path path = std::filesystem::path(ORLIX_SOURCE_DIR) / relative;
  std::error_code ec;
  if (!std::filesystem::exists(path, ec))
    throw std::runtime_error("the repository has no " + relative + " (looked for " + path.string() + ")");
  return path.string();
}

std::string sampleFile(const std::string& relative) { return repositoryFile("samples/" + relative); }

std::string readFile(const std::filesystem::path& path) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) throw std::runtime_error("no such file: " + path.string());
  auto size = std::filesystem::file_size(path, ec);
  std::ifstream in(path, std::ios::binary);
  if (ec || !in) throw std::runtime_error("cannot read " + path.string());
  std::string bytes(size, '\0');
  if (!in.read(bytes.data(), static_cast<std::streamsize>(size)))
    throw std::runtime_error("cannot read " + path.string());
  return bytes;
}

}  // namespace orlix::test
