// A temporary directory for one test, removed with everything in it when
// the object goes away. Throws std::runtime_error when it cannot be made.
#pragma once

#include <string>

namespace orlix::test {

class TempDir {
 public:
  explicit TempDir(const std::string& prefix = "orlix-test");
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& path() const { return path_; }
  // path() + "/" + name
  std::string file(const std::string& name) const { return path_ + "/" + name; }
  // Writes `bytes` to file(name) and returns its path.
  std::string write(const std::string& name, const std::string& bytes) const;

 private:
  std::string path_;
};

}  // namespace orlix::test
