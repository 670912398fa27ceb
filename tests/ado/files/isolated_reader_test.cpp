#include "platform/ado/files/isolated_reader.h"

#include <signal.h>

#include <cstring>
#include <cstring>
#include <stdexcept>
#include <thread>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/ado/error.h"
#include "tests/ado/files/collected_table.h"

namespace orlix::ado {
namespace {

using namespace std::chrono_literals;
using ::testing::HasSubstr;
using testing::CollectedTable;

TEST(IsolatedReader, RelaysEveryKindOfCellUnchanged) {
  std::vector<FileCell> row = {std::monostate{}, true, std::int32_t{-7}, 2.5, std::int64_t{35000},
                               std::string("Gábor\0x", 8)};
  CollectedTable t;
  RunIsolated("f", [&](FileTableSink& s) {
    s.SetFields({{"a", kFileVarWChar, 1}, {"b", kFileBoolean, 2}, {"c", kFileInteger, 4}, {"d", kFileDouble, 8},
                 {"e", kFileCurrency, 8}, {"f", kFileVarWChar, 9}});
    for (int i = 0; i < 5000; ++i) s.AddRow(row);
  }, t, 5s);
  ASSERT_EQ(t.fields.size(), 6u);
  EXPECT_EQ(t.fields[5].definedSize, 9);
  ASSERT_EQ(t.rows.size(), 5000u);
  EXPECT_EQ(t.rows[4999], row);
}

TEST(IsolatedReader, ErrorsOfTheReaderComeBackAsTheyWere) {
  CollectedTable t;
  try {
    RunIsolated("some.mdb", [](FileTableSink&) { throw DataError("some.mdb", "has no table X"); }, t, 5s);
    FAIL();
  } catch (const DataError& e) {
    EXPECT_STREQ(e.what(), "some.mdb: has no table X");
  }
}

TEST(IsolatedReader, AReaderThatHangsIsAnErrorNamingTheFile) {
  CollectedTable t;
  try {
    RunIsolated("loop.mdb", [](FileTableSink&) { for (;;) pause(); }, t, 200ms);
    FAIL();
  } catch (const DataError& e) {
    EXPECT_THAT(e.what(), HasSubstr("loop.mdb"));
  }
}

// A fault of the reader itself: in sanitizer builds it stops the process with
// the child's report in view; in release builds it is an error naming the file.
void ExpectFault(const std::function<void(FileTableSink&)>& reader, const std::string& report) {
  CollectedTable t;
  if (ChildFaultsAbort()) {
    EXPECT_DEATH(RunIsolated("faulty.mdb", reader, t, 5s), report);
  } else {
    try {
      RunIsolated("faulty.mdb", reader, t, 5s);
      ADD_FAILURE() << "no error";
    } catch (const DataError& e) {
      EXPECT_THAT(e.what(), HasSubstr("faulty.mdb"));
    }
  }
}

TEST(IsolatedReaderDeathTest, AReaderKilledByASignalIsAFault) {
  ExpectFault([](FileTableSink&) { raise(SIGKILL); }, "faulty.mdb failed in its child process: it was ended by signal 9");
}

TEST(IsolatedReaderDeathTest, AnExceptionOtherThanDataErrorIsAFault) {
  ExpectFault([](FileTableSink&) { throw std::out_of_range("index 7"); },
              "an exception escaped the reader: index 7");
}

TEST(IsolatedReaderDeathTest, AHeapOverflowInTheChildFailsTheTestWithItsReport) {
  if (!ChildFaultsAbort()) GTEST_SKIP() << "needs a sanitizer build";
  volatile int past = 16;
  ExpectFault(
      [&](FileTableSink&) {
        std::vector<char> buffer(16, 'x');
        volatile char c = buffer.data()[past];  // one byte past the heap block
        (void)c;
      },
      "heap-buffer-overflow(.|\n)*faulty.mdb failed in its child process: it ended with exit status");
}

// Memory whose only pointers lived on the stack of a thread that has ended,
// where LeakSanitizer no longer looks. Each block is filled so that no stale
// pointer in reused memory leads from one to another.
void LoseMemory() {
  std::thread([] {
    for (int i = 0; i < 16; ++i) {
      char* volatile block = new char[64];
      std::memset(block, 1, 64);
    }
  }).join();
}

TEST(IsolatedReaderDeathTest, MemoryTheChildLosesIsALeak) {
  if (!ChildFaultsAbort()) GTEST_SKIP() << "needs a sanitizer build";
  ExpectFault([](FileTableSink&) { LoseMemory(); },
              "detected memory leaks(.|\n)*faulty.mdb failed in its child process: it leaked memory");
}

}  // namespace
}  // namespace orlix::ado
