// CTest hands every test the sanitizers' settings, all of them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

TEST(TestEnvironment, EverySanitizerSettingReachesTheTest) {
  const char* asan = std::getenv("ASAN_OPTIONS");
  if (!asan) GTEST_SKIP() << "not run by CTest";
  const char* ubsan = std::getenv("UBSAN_OPTIONS");
  ASSERT_NE(ubsan, nullptr) << "ASAN_OPTIONS=" << asan;
  EXPECT_EQ(std::string(ubsan), "print_stacktrace=1");
  EXPECT_EQ(std::string(asan), "detect_leaks=1");
}

}  // namespace
