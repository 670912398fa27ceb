#include "platform/ado/files/dbase_reader.h"

#include <gmock/gmock.h>
#include "platform/ado/error.h"
#include <gtest/gtest.h>

#include "tests/ado/files/collected_table.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_files.h"

namespace orlix::ado {
namespace {

using testing::CollectedTable;
using test::sampleFile;

CollectedTable Read(const std::string& path, const std::string& charset = "") {
  CollectedTable table;
  readDbaseTable(path, charset, table);
  return table;
}

TEST(DbaseReader, BlockGroupsHasItsFieldsTypesAndRows) {
  auto t = Read(sampleFile("dbase/blockgroups.dbf"));
  ASSERT_EQ(t.fields.size(), 43u);
  EXPECT_EQ(t.rows.size(), 663u);
  EXPECT_EQ(t.fields[0].name, "AREA");
  EXPECT_EQ(t.fields[0].type, kFileDouble);
  EXPECT_EQ(t.fields[1].name, "BKG_KEY");
  EXPECT_EQ(t.fields[1].type, kFileVarWChar);
  EXPECT_EQ(t.fields[1].definedSize, 12);
  EXPECT_EQ(t.fields[2].type, kFileInteger);  // POP1990 N(9,0)
  EXPECT_EQ(t.fields[3].type, kFileDouble);   // POP90_SQMI N(10,1)
  EXPECT_EQ(t.Text(0, "BKG_KEY").size(), 12u);
}

TEST(DbaseReader, GpsSurveyKeepsBlanksAsNullAndRenamesTheDuplicateField) {
  auto t = Read(sampleFile("dbase/dbase_03.dbf"));
  ASSERT_EQ(t.fields.size(), 31u);
  EXPECT_EQ(t.rows.size(), 14u);
  EXPECT_EQ(t.fields[0].name, "Point_ID");
  EXPECT_EQ(t.fields[30].name, "Point_ID_2");
  EXPECT_EQ(t.fields[30].type, kFileInteger);
  EXPECT_EQ(t.fields[8].type, kFileDate);  // Date_Visit
  EXPECT_EQ(t.fields[10].type, kFileDouble);  // Max_PDOP N(5,1)
  EXPECT_TRUE(t.IsNull(1, "Std_Dev"));
  EXPECT_TRUE(t.IsNull(2, "Std_Dev"));
  EXPECT_FALSE(t.IsNull(0, "Point_ID"));
}

TEST(DbaseReader, DbaseFourWithMemoReadsEveryKind) {
  auto t = Read(sampleFile("dbase/dbase_8b.dbf"));
  ASSERT_EQ(t.Names(), (std::vector<std::string>{"CHARACTER", "NUMERICAL", "DATE", "LOGICAL", "FLOAT", "MEMO"}));
  ASSERT_EQ(t.rows.size(), 10u);
  EXPECT_EQ(t.fields[1].type, kFileDouble);
  EXPECT_EQ(t.fields[2].type, kFileDate);
  EXPECT_EQ(t.fields[3].type, kFileBoolean);
  EXPECT_EQ(t.fields[4].type, kFileDouble);
  EXPECT_EQ(t.fields[5].type, kFileLongVarWChar);
  EXPECT_EQ(t.Text(0, "MEMO"), "First memo\r\n");
  EXPECT_TRUE(t.IsNull(9, "MEMO"));
  EXPECT_EQ(std::get<bool>(t.At(0, "LOGICAL")), true);
  int null_logicals = 0, null_dates = 0;
  for (std::size_t r = 0; r < t.rows.size(); ++r) {
    null_logicals += t.IsNull(r, "LOGICAL");
    null_dates += t.IsNull(r, "DATE");
  }
  EXPECT_GT(null_logicals, 0);
  EXPECT_GT(null_dates, 0);
}

TEST(DbaseReader, CodePageComesFromTheUserWhenTheFileDoesNotSay) {
  auto cp866 = Read(sampleFile("dbase/cbrf_122019N1.dbf"), "CP866");
  ASSERT_EQ(cp866.rows.size(), 442u);
  bool found = false;
  for (std::size_t r = 0; r < cp866.rows.size(); ++r)
    if (cp866.Text(r, "NAME_B").find("Банк ВТБ (ПАО)") != std::string::npos) found = true;
  EXPECT_TRUE(found);
  // Without a choice the byte 0 means Windows-1252, where some of these bytes
  // mean nothing: a clear error, not mangled text.
  try {
    Read(sampleFile("dbase/cbrf_122019N1.dbf"));
    FAIL() << "read CP866 text as Windows-1252";
  } catch (const DataError& e) {
    EXPECT_THAT(e.what(), ::testing::HasSubstr("cbrf_122019N1.dbf"));
    EXPECT_THAT(e.what(), ::testing::HasSubstr("NAME_B"));
    EXPECT_THAT(e.what(), ::testing::HasSubstr("CP1252"));
  }
}

TEST(DbaseReader, LanguageDriverByteChoosesTheCodePage) {
  EXPECT_EQ(DbaseCharsetOfLanguageDriver(0x57), "CP1252");
  EXPECT_EQ(DbaseCharsetOfLanguageDriver(0x65), "CP866");
  EXPECT_EQ(DbaseCharsetOfLanguageDriver(0), "");
}

}  // namespace
}  // namespace orlix::ado
