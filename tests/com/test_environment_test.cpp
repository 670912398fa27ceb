// What every test relies on: CTest hands it all the sanitizers' settings, and
// a repository file that is missing fails the test instead of reading as nothing.
#include <gtest/gtest.h>

#include <cstdlib>
#include <stdexcept>
#include <string>

#include "tests/support/test_files.h"

namespace {

TEST(TestEnvironment, EverySanitizerSettingReachesTheTest) {
  const char* asan = std::getenv("ASAN_OPTIONS");
  if (!asan) GTEST_SKIP() << "not run by CTest";
  const char* ubsan = std::getenv("UBSAN_OPTIONS");
  ASSERT_NE(ubsan, nullptr) << "ASAN_OPTIONS=" << asan;
  EXPECT_EQ(std::string(ubsan), "print_stacktrace=1");
  EXPECT_EQ(std::string(asan), "detect_leaks=1");
}

TEST(TestEnvironment, AMissingRepositoryFileIsAnErrorNamingIt) {
  EXPECT_EQ(orlix::test::readFile(orlix::test::sampleFile("penguins.csv")).rfind("species,island,", 0), 0u);
  try {
    orlix::test::sampleFile("excel/no-such-workbook.xls");
    ADD_FAILURE() << "no error";
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find("samples/excel/no-such-workbook.xls"), std::string::npos) << e.what();
  }
  EXPECT_THROW(orlix::test::readFile("no-such-file.csv"), std::runtime_error);
  EXPECT_THROW(orlix::test::readFile(orlix::test::repositoryFile("samples")), std::runtime_error);  // a folder
}

}  // namespace
