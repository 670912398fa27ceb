// Every test process works in a fresh folder of its own: CTest runs the cases
// of one executable in parallel, and the engine writes files (node files, the
// split trace) relative to the current folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <system_error>

#include "tests/support/temp_dir.h"

namespace {

class PrivateWorkingDir : public ::testing::Environment {
 public:
  void SetUp() override {
    previous_ = std::filesystem::current_path();
    dir_ = std::make_unique<orlix::test::TempDir>("orlix-test");
    std::filesystem::current_path(dir_->path());
  }
  void TearDown() override {
    std::error_code ec;
    std::filesystem::current_path(previous_, ec);
    dir_.reset();
  }

 private:
  std::filesystem::path previous_;
  std::unique_ptr<orlix::test::TempDir> dir_;
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new PrivateWorkingDir);

}  // namespace
