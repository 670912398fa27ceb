#include "engine/delimited_reader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace orlix::engine {
namespace {

using Fields = std::vector<std::string>;

class DelimitedReaderTest : public ::testing::Test {
 protected:
  // Opens a reader on a fresh file with this content, header read, lines counted.
  DelimitedReader& openWith(const std::string& content) {
    path_ = std::filesystem::path(::testing::TempDir()) /
            (std::string("reader_") +
             ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".txt");
    std::ofstream(path_, std::ios::binary) << content;
    EXPECT_TRUE(reader_.open(path_.string()));
    reader_.readHeader();
    reader_.countLines();
    return reader_;
  }
  void TearDown() override { std::filesystem::remove(path_); }

  std::filesystem::path path_;
  DelimitedReader reader_;
};

TEST_F(DelimitedReaderTest, DelimiterIsTheMostFrequentTheEarlierOnATie) {
  EXPECT_EQ(openWith("a,b,c\n").delimiter(), ',');
  EXPECT_EQ(reader_.fieldCount(), 3u);
  EXPECT_EQ(openWith("a\tb;c;d|e\n").delimiter(), ';');
  EXPECT_EQ(reader_.fieldCount(), 3u);
  EXPECT_EQ(openWith("a|b\tc\n").delimiter(), '\t');  // tie: tab comes before bar
  EXPECT_EQ(openWith("a;b,c\n").delimiter(), ',');
  EXPECT_EQ(openWith("abc\n").delimiter(), ',');
  EXPECT_EQ(reader_.fieldCount(), 1u);
}

TEST_F(DelimitedReaderTest, TrailingDelimiterAddsNoField) {
  EXPECT_EQ(openWith("a,b,\nx\n").fieldCount(), 2u);
  EXPECT_EQ(openWith("a,b\n").fieldCount(), 2u);
}

TEST_F(DelimitedReaderTest, HeaderLineIsAlsoTheFirstRecord) {
  DelimitedReader& reader = openWith("root,ALL CASES\nroot_L,X\n");
  std::string line;
  ASSERT_TRUE(reader.readLine(line));
  EXPECT_EQ(line, "root,ALL CASES");
  ASSERT_TRUE(reader.readLine(line));
  EXPECT_EQ(line, "root_L,X");
  EXPECT_FALSE(reader.readLine(line));
}

TEST_F(DelimitedReaderTest, RecordCountCountsLinesEndedByANewline) {
  EXPECT_EQ(openWith("").recordCount(), 0u);
  EXPECT_EQ(openWith("a\nb\n").recordCount(), 2u);
  EXPECT_FALSE(reader_.unterminatedLastLine());
  EXPECT_EQ(openWith("a\nb").recordCount(), 1u);
  EXPECT_TRUE(reader_.unterminatedLastLine());
  EXPECT_EQ(openWith("\n\n\n").recordCount(), 3u);
}

TEST_F(DelimitedReaderTest, SplitCollapsesRunsOfBreaksAndDropsQuotes) {
  DelimitedReader& reader = openWith("a,b,c,d,e,f\n");
  EXPECT_EQ(reader.split("root,\"ALL CASES\",200,41.5"),
            (Fields{"root", "ALL CASES", "200", "41.5", " ", " "}));
  EXPECT_EQ(reader.split(",,a;;b|\tc,,,d,e,f"), (Fields{"a", "b", "c", "d", "e", "f"}));
  // A quote inside an unquoted field breaks it, as every separator does.
  EXPECT_EQ(reader.split("AB\"C,D\",E,F,G,H"), (Fields{"AB", "C", "D", "E", "F", "G", "H"}));
}

TEST_F(DelimitedReaderTest, SplitPadsMissingFieldsWithABlankUpToFieldCount) {
  DelimitedReader& reader = openWith("a,b,c,d\n");
  EXPECT_EQ(reader.split("x"), (Fields{"x", " ", " ", " "}));
  EXPECT_EQ(reader.split(""), (Fields{" ", " ", " ", " "}));
  EXPECT_EQ(reader.split("1,2,3,4,5"), (Fields{"1", "2", "3", "4", "5"}));
}

TEST_F(DelimitedReaderTest, QuotedFieldKeepsItsSeparatorsAndDoubledQuotes) {
  DelimitedReader& reader = openWith("root,ALL CASES,3,\"Smith, John\",3\n");
  EXPECT_EQ(reader.fieldCount(), 5u);  // the comma inside quotes adds no field
  EXPECT_EQ(reader.split("root,ALL CASES,3,\"Smith, John\",3"),
            (Fields{"root", "ALL CASES", "3", "Smith, John", "3"}));
  EXPECT_EQ(reader.split("\"a;b|c\td\",\"say \"\"hi\"\"\",\"\",x,y"),
            (Fields{"a;b|c\td", "say \"hi\"", "", "x", "y"}));
  // An unclosed quote runs to the end of the line.
  EXPECT_EQ(reader.split("a,\"b,c"), (Fields{"a", "b,c", " ", " ", " "}));
}

TEST_F(DelimitedReaderTest, WindowsLineEndsAreLineEnds) {
  DelimitedReader& reader = openWith("a,b\r\nc,d\r\n");
  EXPECT_EQ(reader.fieldCount(), 2u);
  std::string line;
  ASSERT_TRUE(reader.readLine(line));
  EXPECT_EQ(line, "a,b");
  EXPECT_EQ(reader.recordCount(), 2u);
}

TEST_F(DelimitedReaderTest, OverlongLineIsCutAndItsRestIsNotANewLine) {
  const std::string longLine(5000, 'x');
  DelimitedReader& reader = openWith("a,b\n" + longLine + "\nnext\n");
  std::string line;
  ASSERT_TRUE(reader.readLine(line));
  ASSERT_TRUE(reader.readLine(line));
  EXPECT_EQ(line, std::string(DelimitedReader::kMaxLineLength, 'x'));
  ASSERT_TRUE(reader.readLine(line));
  EXPECT_EQ(line, "next");
  ASSERT_EQ(reader.problems().size(), 1u);
  EXPECT_NE(reader.problems()[0].find(path_.string() + " line 2"), std::string::npos);
  // A line of exactly the limit is whole, its CR not counted.
  std::ofstream(path_, std::ios::binary) << std::string(4095, 'y') << "\r\n";
  reader.open(path_.string());
  ASSERT_TRUE(reader.readLine(line));
  EXPECT_EQ(line.size(), 4095u);
  EXPECT_TRUE(reader.problems().empty());
}

TEST_F(DelimitedReaderTest, FieldsAreLimitedInNumberAndLength) {
  DelimitedReader& reader = openWith("a\n");
  std::string many;
  for (int i = 0; i < 300; ++i) many += std::to_string(i) + ",";
  Fields fields = reader.split(many);
  ASSERT_EQ(fields.size(), DelimitedReader::kMaxFields);
  EXPECT_EQ(fields.back(), "249");
  fields = reader.split("\"" + std::string(5000, 'q') + "\",z");
  ASSERT_EQ(fields.size(), 2u);
  EXPECT_EQ(fields[0].size(), DelimitedReader::kMaxFieldLength);
  EXPECT_EQ(fields[1], "z");
  EXPECT_EQ(reader.problems().size(), 2u);
}

TEST(DelimitedReaderOpen, MissingFileOrFolderDoesNotOpen) {
  DelimitedReader reader;
  EXPECT_FALSE(reader.open("/nonexistent/zzz_out.dat"));
  EXPECT_FALSE(reader.open(::testing::TempDir()));
  reader.readHeader();
  reader.countLines();
  std::string line;
  EXPECT_FALSE(reader.readLine(line));
  EXPECT_EQ(reader.recordCount(), 0u);
}

}  // namespace
}  // namespace orlix::engine
