// Every test process works in a fresh folder of its own: CTest runs the cases
// of one executable in parallel, and the engine writes files (node files, the
// split trace) relative to the current folder.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

namespace {

class PrivateWorkingDir : public ::testing::Environment {
 public:
  void SetUp() override {
    previous_ = std::filesystem::current_path();
    std::string pattern = (std::filesystem::temp_directory_path() / "orlix-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) GTEST_FAIL() << "cannot make a private working folder";
    dir_ = pattern;
    std::filesystem::current_path(dir_);
  }
  void TearDown() override {
    std::error_code ec;
    std::filesystem::current_path(previous_, ec);
    if (!dir_.empty()) std::filesystem::remove_all(dir_, ec);
  }

 private:
  std::filesystem::path previous_, dir_;
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new PrivateWorkingDir);

}  // namespace
