#include "platform/ado/text/csv_reader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "platform/ado/error.h"
#include "tests/support/test_files.h"

using namespace orlix::ado;
using orlix::com::Variant;

namespace {

std::shared_ptr<Table> csv(const std::string& text) { return readCsv(text, "test.csv"); }

std::string errorOf(const std::string& text) {
  try {
    csv(text);
  } catch (const DataError& e) {
    return e.what();
  }
  return "no error";
}

}  // namespace

TEST(CsvReaderTest, ChoosesTypesFromEveryRow) {
  auto t = csv(
      "int,dbl,text,empty,late,big,signs\n"
      "1,1.5,a,,1,2147483647,+3\n"
      "-2,.5,1,,2,-2147483648,-.5e-3\n"
      "3,7,x y,,z,2147483648,5.\n");
  ASSERT_EQ(t->fieldCount(), 7u);
  EXPECT_EQ(t->field(0).type, adInteger);
  EXPECT_EQ(t->field(0).definedSize, 4);
  EXPECT_EQ(t->field(1).type, adDouble);
  EXPECT_EQ(t->field(2).type, adVarWChar);   // "a" makes the column text
  EXPECT_EQ(t->field(3).type, adVarWChar);   // no value at all
  EXPECT_EQ(t->field(4).type, adVarWChar);   // numbers first, text in the last row
  EXPECT_EQ(t->field(5).type, adDouble);     // 2147483648 does not fit 32 bits
  EXPECT_EQ(t->field(6).type, adDouble);
  EXPECT_EQ(t->value(0, 0), Variant(1));
  EXPECT_EQ(t->value(1, 1), Variant(0.5));
  EXPECT_EQ(t->value(1, 2), Variant("1"));
  EXPECT_TRUE(t->isNull(0, 3));
  EXPECT_EQ(t->value(0, 4), Variant("1"));   // the text of earlier numbers is kept as written
  EXPECT_EQ(t->value(2, 4), Variant("z"));
  EXPECT_EQ(t->value(2, 5), Variant(2147483648.0));
  EXPECT_EQ(t->value(1, 6), Variant(-0.0005));
}

TEST(CsvReaderTest, NumberLookalikesAreText) {
  for (const char* cell : {" 1", "1 ", "0x10", "inf", "nan", "1e", "1e+", ".", "-", "1,5", "1e999",
                           "+-1", "1.2.3"}) {
    std::string text = std::string("v\n\"") + cell + "\"\n2\n";
    auto t = csv(text);
    EXPECT_EQ(t->field(0).type, adVarWChar) << cell;
  }
}

TEST(CsvReaderTest, QuotingBlankLinesAndShortRows) {
  auto t = csv(
      "\xEF\xBB\xBF\"name\",\"note\",n\r\n"
      "\r\n"
      "\"Smith, J\",\"said \"\"hi\"\"\nthen left\",1\r\n"
      "   \n"
      "solo\n"
      "\"\",\"\",\n");
  ASSERT_EQ(t->fieldCount(), 3u);
  EXPECT_EQ(t->field(0).name, "name");  // byte-order mark ignored
  ASSERT_EQ(t->rowCount(), 3u);
  EXPECT_EQ(t->value(0, 0), Variant("Smith, J"));
  EXPECT_EQ(t->value(0, 1), Variant("said \"hi\"\nthen left"));
  EXPECT_EQ(t->field(2).type, adInteger);
  EXPECT_EQ(t->value(1, 0), Variant("solo"));
  EXPECT_TRUE(t->isNull(1, 1));  // short row padded with NULLs
  EXPECT_TRUE(t->isNull(1, 2));
  EXPECT_TRUE(t->isNull(2, 0));  // quoted empty cells are NULL too
}

TEST(CsvReaderTest, EmptyAndRepeatedHeaderNamesAndTrailingEmptyCells) {
  auto t = csv("a,,c,A,a\n1,2,3,,\n");
  EXPECT_EQ(t->field(1).name, "F2");
  EXPECT_EQ(t->field(3).name, "A4");
  EXPECT_EQ(t->field(4).name, "a5");
  EXPECT_EQ(t->rowCount(), 1u);
}

TEST(CsvReaderTest, MalformedInputNamesFileAndLine) {
  EXPECT_EQ(errorOf(""), "test.csv: the file is empty: no header line");
  EXPECT_NE(errorOf("a,b\n1,2\n3,\"open\n4,5\n").find("test.csv: line 3: a quoted field has no closing quote"),
            std::string::npos);
  EXPECT_NE(errorOf("a\n\"x\"y\n").find("line 2: text after the closing quote"), std::string::npos);
  EXPECT_NE(errorOf(std::string("a\nx\0y\n", 6)).find("line 2: a NUL byte in field 'a'"),
            std::string::npos);
  EXPECT_NE(errorOf("a\n\xC3\x28\n").find("line 2: invalid UTF-8 in field 'a'"), std::string::npos);
  EXPECT_NE(errorOf("a\n1\n2\n\xFF\n").find("line 4: invalid UTF-8"), std::string::npos);
  EXPECT_NE(errorOf("a,b\n1,2,3\n").find("line 2: the row has 3 fields, the header 2"),
            std::string::npos);
  EXPECT_NE(errorOf("a\xE2\x82\n1\n").find("line 1: invalid UTF-8 in the header"), std::string::npos);
}

// A column that turns to text after numbers keeps its text in a second
// pass; a bad field in it still comes before a later line's bad field.
TEST(CsvReaderTest, TheFirstBadFieldOfTheFileIsReported) {
  EXPECT_NE(errorOf(std::string("a,b\n1,x\n2,y\nz\0,w\n3,\xC3\x28\n", 22)).find("line 4: a NUL byte in field 'a'"),
            std::string::npos);
  EXPECT_NE(errorOf("a,b\n1,x\nz,y\n\xFF,w\n3,\xC3\x28\n").find("line 4: invalid UTF-8 in field 'a'"),
            std::string::npos);
}

TEST(CsvReaderTest, RefusesAHundredMegabyteLine) {
  std::string text = "a\n" + std::string(100u << 20, 'x') + "\n";
  EXPECT_NE(errorOf(text).find("line 2: a record is longer than 16 MiB"), std::string::npos);
  std::string quoted = "a\n\"" + std::string(20u << 20, 'x') + "\"\n";
  EXPECT_NE(errorOf(quoted).find("longer than 16 MiB"), std::string::npos);
}

TEST(CsvReaderTest, ReadsTheToothGrowthSample) {
  auto t = readCsvFile(orlix::test::sampleFile("formats/toothgrowth/toothgr.csv"));
  ASSERT_EQ(t->fieldCount(), 3u);
  EXPECT_EQ(t->rowCount(), 60u);
  EXPECT_EQ(t->field(0).name, "len");
  EXPECT_EQ(t->field(0).type, adDouble);
  EXPECT_EQ(t->field(1).type, adVarWChar);
  EXPECT_EQ(t->field(2).type, adDouble);
  EXPECT_EQ(t->value(0, 0), Variant(4.2));
  EXPECT_EQ(t->value(0, 1), Variant("VC"));
  EXPECT_EQ(t->value(59, 2), Variant(2.0));
  auto w = readCsvFile(orlix::test::sampleFile("formats/warpbreaks/warpbrk.txt"));
  EXPECT_EQ(w->field(0).type, adInteger);
  EXPECT_EQ(w->rowCount(), 54u);
}

TEST(CsvReaderTest, MissingFileIsAnError) {
  EXPECT_THROW(readCsvFile("/nonexistent/x.csv"), DataError);
}

// Files above 8 MiB are read in two halves on two threads: the halves must
// join into the same table a single pass would give.
TEST(CsvReaderTest, LargeFilesReadInHalvesGiveTheSameTable) {
  const size_t rows = 400000;
  std::string text = "a,note,b,c\n";
  for (size_t i = 0; i < rows; ++i) {
    const bool firstHalf = i < rows / 2;
    text += (i == rows - 1) ? std::string("last") : std::to_string(i);  // text only at the very end
    text += ",\"line one\nline \"\"two\"\"\",";
    text += firstHalf ? "" : std::to_string(i);  // NULL in the first half, integers after
    text += ",";
    text += firstHalf ? "t" + std::to_string(i) : "";  // text first, NULL after
    text += "\n";
  }
  ASSERT_GT(text.size(), 8u << 20);
  auto t = csv(text);
  ASSERT_EQ(t->rowCount(), rows);
  EXPECT_EQ(t->field(0).type, adVarWChar);
  EXPECT_EQ(t->value(0, 0), Variant("0"));
  EXPECT_EQ(t->value(rows / 2 + 1, 0), Variant(std::to_string(rows / 2 + 1)));
  EXPECT_EQ(t->value(rows - 1, 0), Variant("last"));
  EXPECT_EQ(t->value(rows / 2, 1), Variant("line one\nline \"two\""));
  EXPECT_EQ(t->field(2).type, adInteger);
  EXPECT_TRUE(t->isNull(0, 2));
  EXPECT_EQ(t->value(rows - 2, 2), Variant(static_cast<int32_t>(rows - 2)));
  EXPECT_EQ(t->field(3).type, adVarWChar);
  EXPECT_EQ(t->value(rows / 2 - 1, 3), Variant("t" + std::to_string(rows / 2 - 1)));
  EXPECT_TRUE(t->isNull(rows - 1, 3));

  // A quote inside an unquoted cell of the first half cannot mislead the split.
  std::string bare = "a,note,b,c\n5'11\",x,,\n" + text.substr(text.find('\n') + 1);
  auto withBare = csv(bare);
  EXPECT_EQ(withBare->rowCount(), rows + 1);
  EXPECT_EQ(withBare->value(0, 0), Variant("5'11\""));
  EXPECT_EQ(withBare->value(rows / 2 + 1, 1), Variant("line one\nline \"two\""));

  // An error in the second half names its line counted from the top.
  std::string bad = text + "x,\xFF,1,2\n";
  const size_t badLine = 1 + rows * 2 + 1;
  EXPECT_NE(errorOf(bad).find("line " + std::to_string(badLine) + ": invalid UTF-8 in field 'note'"),
            std::string::npos)
      << errorOf(bad);
}

namespace {

// Every cell of two tables, with the field names and types.
void expectSameTable(const Table& a, const Table& b, const std::string& what) {
  ASSERT_EQ(a.fieldCount(), b.fieldCount()) << what;
  ASSERT_EQ(a.rowCount(), b.rowCount()) << what;
  for (size_t c = 0; c < a.fieldCount(); ++c) {
    EXPECT_EQ(a.field(c).name, b.field(c).name) << what;
    EXPECT_EQ(a.field(c).type, b.field(c).type) << what << ", field " << c;
    for (size_t r = 0; r < a.rowCount(); ++r) EXPECT_EQ(a.value(r, c), b.value(r, c)) << what << ", " << r << "/" << c;
  }
}

std::string errorWith(const std::string& text, const CsvReading& reading) {
  try {
    readCsv(text, "test.csv", reading);
  } catch (const DataError& e) {
    return e.what();
  }
  return "no error";
}

// Records that end, or whose quotes, "" pairs and \r\n pairs fall, at any
// byte of a window: what a file read in windows must still take whole.
const std::string kAwkward =
    "\xEF\xBB\xBF" "id,\"quoted, name\",n,mix\r\n"
    "1,\"a \"\"b\"\"\",10,x\r\n"
    "\r\n"
    "2,\"two\nlines\",,1\n"
    "3,plain,-7,2.5\r"
    "4,\"\",2147483647,\n"
    "   \n"
    "5,\"end \"\"\",0,\"q\"\n"
    "6,last,1,3";

}  // namespace

// A file is read a window at a time: whatever the window's size, and
// whether or not two threads take a half each, the table is the same.
TEST(CsvReaderTest, AnyWindowGivesTheSameTable) {
  const auto whole = csv(kAwkward);
  ASSERT_EQ(whole->rowCount(), 6u);
  EXPECT_EQ(whole->field(2).type, adInteger);
  EXPECT_EQ(whole->field(3).type, adVarWChar);
  for (size_t window = 1; window <= kAwkward.size() + 1; ++window)
    for (size_t split : {size_t{1}, size_t{8} << 20}) {
      const std::string what = "window " + std::to_string(window) + ", split above " + std::to_string(split);
      expectSameTable(*whole, *readCsv(kAwkward, "test.csv", {window, split}), what);
    }
}

TEST(CsvReaderTest, AnyWindowNamesTheSameLine) {
  for (const std::string& bad : {std::string("a,b\n1,2\n\n3,\"open\n4,5\n"), std::string("a\r\n1\r\n2\r\n\"x\"y\r\n"),
                                 std::string("a,b\n1,2\n3,4,5\n"), std::string("a\n1\n2\n3\n\xFF\n")}) {
    const std::string expected = errorOf(bad);
    ASSERT_NE(expected, "no error");
    for (size_t window = 1; window <= bad.size() + 1; ++window)
      for (size_t split : {size_t{1}, size_t{8} << 20})
        EXPECT_EQ(errorWith(bad, {window, split}), expected) << "window " << window << ", split above " << split;
  }
}

TEST(CsvReaderTest, ALongRecordGrowsTheWindowUpToTheLimit) {
  const std::string text = "a,b\n" + std::string(100000, 'x') + ",1\n\"" + std::string(70000, 'y') + "\",2\n";
  expectSameTable(*csv(text), *readCsv(text, "test.csv", {4096, 1}), "long records");
  const std::string tooLong = "a\n\"" + std::string(kMaxCsvRecordBytes + 10, 'z') + "\"\n";
  EXPECT_NE(errorWith(tooLong, {1u << 20, 8u << 20}).find("line 2: a record is longer than 16 MiB"), std::string::npos);
}

// The halves are split at a line end after the middle; one inside a quoted
// field makes the first half fail, and the whole is read in one pass.
TEST(CsvReaderTest, ASplitInsideAQuotedFieldIsReadInOnePass) {
  std::string text = "k,v\n";
  for (int i = 0; i < 50; ++i) text += std::to_string(i) + ",\"" + std::string(30, 'a') + "\n" + std::string(30, 'b') + "\"\n";
  const auto whole = csv(text);
  ASSERT_EQ(whole->rowCount(), 50u);
  for (size_t split : {size_t{1}, size_t{100}, size_t{1000}}) expectSameTable(*whole, *readCsv(text, "test.csv", {0, split}), "split");
}

TEST(CsvReaderTest, FileAndBytesGiveTheSameTable) {
  const std::string path = testing::TempDir() + "/awkward.csv";
  {
    std::ofstream out(path, std::ios::binary);
    out << kAwkward;
  }
  expectSameTable(*csv(kAwkward), *readCsvFile(path), "file");
  expectSameTable(*csv(kAwkward), *readCsvFile(path, {3, 1}), "file in windows of 3");
  std::remove(path.c_str());
}

// A raised cancel flag stops a read at its next window, whether one thread
// reads or two, with ReadCancelled and never with a DataError (which would
// name the file as damaged, or make the halves be read again whole).
TEST(CsvReaderTest, ARaisedCancelFlagStopsTheReadWithReadCancelled) {
  std::string text = "k,v\n";
  for (int i = 0; i < 2000; ++i) text += std::to_string(i) + ",value " + std::to_string(i) + "\n";
  std::atomic<bool> cancel{true};
  for (size_t split : {size_t{1}, size_t{1} << 30}) {
    CsvReading reading{64, split, &cancel};
    EXPECT_THROW(readCsv(text, "test.csv", reading), ReadCancelled) << split;
  }
  cancel = false;
  EXPECT_EQ(readCsv(text, "test.csv", {64, 1, &cancel})->rowCount(), 2000u);
}
