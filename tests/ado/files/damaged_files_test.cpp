// Truncated, corrupt and mislabelled files: every reader answers with a
// DataError naming the file, never a crash and never a silently short table.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "platform/ado/files/access_reader.h"
#include "platform/ado/files/dbase_reader.h"
#include "platform/ado/error.h"
#include "platform/ado/files/excel/excel_reader.h"
#include "platform/ado/files/html_table_reader.h"
#include "tests/ado/files/collected_table.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_files.h"

namespace orlix::ado {
namespace {

using ::testing::HasSubstr;
using testing::CollectedTable;
using test::readFile;
using test::sampleFile;
using test::TempDir;

// Reads every table of the file as its format's catalog lists them; the number of rows read.
std::size_t ReadAll(const std::string& path) {
  std::string ext = std::filesystem::path(path).extension().string();
  std::size_t rows = 0;
  auto count = [&](const std::function<void(CollectedTable&)>& read) {
    CollectedTable t;
    read(t);
    rows += t.rows.size();
  };
  if (ext == ".mdb") {
    for (const auto& name : listAccessTables(path)) count([&](auto& t) { readAccessTable(path, name, t); });
  } else if (ext == ".xls" || ext == ".xlsx") {
    for (const auto& name : listExcelSheets(path)) count([&](auto& t) { readExcelSheet(path, name, t); });
  } else if (ext == ".dbf") {
    count([&](auto& t) { readDbaseTable(path, "", t); });
  } else {
    for (int i = 0; i < countHtmlTables(path); ++i) count([&](auto& t) { readHtmlTable(path, i, t); });
  }
  return rows;
}

void ExpectErrorNaming(const std::string& path, const std::string& what) {
  try {
    ReadAll(path);
    ADD_FAILURE() << what << ": no error for " << path;
  } catch (const DataError& e) {
    EXPECT_THAT(e.what(), HasSubstr(std::filesystem::path(path).filename().string())) << what;
  }
}

const char* kSamples[] = {"access/testV1997.mdb", "access/compIndexTestV2000.mdb", "excel/deaths.xls",
                          "excel/types.xls", "dbase/dbase_03.dbf", "dbase/blockgroups.dbf"};


// A truncated file is an error, unless all that was cut is unused space (an
// Access file's free pages): then every row must still be there.
TEST(DamagedFiles, TruncatedFilesAreErrorsNeverShortTables) {
  TempDir dir;
  for (const char* sample : kSamples) {
    std::size_t all_rows = ReadAll(sampleFile(sample));
    std::string bytes = readFile(sampleFile(sample));
    std::string name = std::filesystem::path(sample).filename().string();
    for (double part : {0.0, 0.05, 0.5, 0.9}) {
      std::string path = dir.write("cut-" + std::to_string(int(part * 100)) + "-" + name,
                                   bytes.substr(0, static_cast<std::size_t>(bytes.size() * part)));
      try {
        EXPECT_EQ(ReadAll(path), all_rows) << path;
      } catch (const DataError& e) {
        EXPECT_THAT(e.what(), HasSubstr(name));
      }
    }
    ExpectErrorNaming(dir.write("half-" + name, bytes.substr(0, bytes.size() / 2)), "half of " + name);
  }
}

TEST(DamagedFiles, CorruptBytesNeverCrash) {
  TempDir dir;
  for (const char* sample : kSamples) {  // some make libmdb loop: the reader's time limit ends that
    std::string bytes = readFile(sampleFile(sample));
    std::string name = std::filesystem::path(sample).filename().string();
    for (std::size_t seed = 1; seed <= 8; ++seed) {
      std::string copy = bytes;
      for (std::size_t i = seed * 97; i < copy.size(); i += 997 + seed * 13) copy[i] = static_cast<char>(copy[i] ^ (0x5A + seed));
      std::string path = dir.write("bad" + std::to_string(seed) + "-" + name, copy);
      try {
        ReadAll(path);  // damage in unused bytes may leave a readable file
      } catch (const DataError& e) {
        EXPECT_THAT(e.what(), HasSubstr(name));
      }
    }
  }
}

TEST(DamagedFiles, WrongFormatForTheExtension) {
  TempDir dir;
  std::string html = readFile(sampleFile("html/banklist.html"));
  for (const char* name : {"page.mdb", "page.xls", "page.dbf"}) ExpectErrorNaming(dir.write(name, html), name);
  ExpectErrorNaming(dir.write("book.dbf", readFile(sampleFile("excel/deaths.xls"))), "xls as dbf");
  ExpectErrorNaming(dir.write("table.mdb", readFile(sampleFile("dbase/dbase_03.dbf"))), "dbf as mdb");
  ExpectErrorNaming(dir.write("table.xls", readFile(sampleFile("access/testV1997.mdb"))), "mdb as xls");
  ExpectErrorNaming(dir.write("table.xlsx", "PK\x03\x04 not really a zip"), "broken zip");
}

TEST(DamagedFiles, DbaseHeaderPromisingMoreThanTheFileHolds) {
  TempDir dir;
  std::string bytes = readFile(sampleFile("formats/warpbreaks/warpbrk.dbf"));
  std::string more = bytes;
  more[4] = static_cast<char>(200);  // record count 200 instead of 54
  try {
    CollectedTable t;
    readDbaseTable(dir.write("more.dbf", more), "", t);
    FAIL();
  } catch (const DataError& e) {
    EXPECT_THAT(e.what(), HasSubstr("more.dbf"));
    EXPECT_THAT(e.what(), HasSubstr("truncated"));
  }
}

TEST(DamagedFiles, DbaseValueThatIsNoNumberNamesFieldAndRecord) {
  TempDir dir;
  std::string bytes = readFile(sampleFile("formats/warpbreaks/warpbrk.dbf"));
  std::size_t header = static_cast<unsigned char>(bytes[8]) | static_cast<unsigned char>(bytes[9]) << 8;
  std::size_t record = static_cast<unsigned char>(bytes[10]) | static_cast<unsigned char>(bytes[11]) << 8;
  bytes[header + 2 * record + 1] = 'x';  // BREAKS of record 3
  try {
    CollectedTable t;
    readDbaseTable(dir.write("garbled.dbf", bytes), "", t);
    FAIL();
  } catch (const DataError& e) {
    EXPECT_THAT(e.what(), HasSubstr("garbled.dbf"));
    EXPECT_THAT(e.what(), HasSubstr("BREAKS"));
    EXPECT_THAT(e.what(), HasSubstr("record 3"));
  }
}

TEST(DamagedFiles, MemoFileMissingOrDamaged) {
  TempDir dir;
  std::string dbf = readFile(sampleFile("dbase/dbase_8b.dbf"));
  ExpectErrorNaming(dir.write("lonely.dbf", dbf), "memo file missing");
  dir.write("short.dbf", dbf);
  std::string dbt = readFile(sampleFile("dbase/dbase_8b.dbt"));
  dir.write("short.dbt", dbt.substr(0, 1200));  // blocks 3 onwards are gone
  try {
    CollectedTable t;
    readDbaseTable(dir.file("short.dbf"), "", t);
    FAIL();
  } catch (const DataError& e) {
    EXPECT_THAT(e.what(), HasSubstr("short.dbt"));
  }
}

TEST(DamagedFiles, HugeValuesAreReadWholeOrRefused) {
  TempDir dir;
  std::string cell(5 << 20, 'x');
  std::string path = dir.write("big.htm", "<table><tr><th>t</th></tr><tr><td>" + cell + "</td></tr></table>");
  CollectedTable t;
  readHtmlTable(path, 0, t);
  EXPECT_EQ(t.Text(0, "t").size(), cell.size());  // whole, not cut
  EXPECT_EQ(t.fields[0].definedSize, static_cast<std::int32_t>(cell.size()));
}

}  // namespace
}  // namespace orlix::ado
