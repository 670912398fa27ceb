#include "platform/ado/files/isolated_reader.h"

#include <signal.h>

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

TEST(IsolatedReader, AReaderThatHangsOrDiesIsAnError) {
  CollectedTable t;
  try {
    RunIsolated("loop.mdb", [](FileTableSink&) { for (;;) pause(); }, t, 200ms);
    FAIL();
  } catch (const DataError& e) {
    EXPECT_THAT(e.what(), HasSubstr("loop.mdb"));
  }
  EXPECT_THROW(RunIsolated("dies.mdb", [](FileTableSink&) { raise(SIGKILL); }, t, 5s), DataError);
}

}  // namespace
}  // namespace orlix::ado
