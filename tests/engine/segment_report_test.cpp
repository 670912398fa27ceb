#include "engine/segment_report.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace orlix::engine {
namespace {

std::tm pinnedTime() {
  std::tm t{};
  t.tm_year = 126;  // 2026
  t.tm_mon = 11;
  t.tm_mday = 8;
  t.tm_wday = 2;
  t.tm_hour = 1;
  t.tm_min = 32;
  t.tm_sec = 47;
  return t;
}

const std::string kDashes56 = std::string(56, '-') + "\n";

// The regression tree of the worked example: AGE at 35, then INCOME at 5000 on the left.
const char* const kAgeIncomeTree =
    "root,\"ALL CASES\",200,41.5,12.25,3,98\n"
    "root_L,\"AGE <= 35.000000\",120,30.2,8.5,3,70\n"
    "root_L_L,\"INCOME <= 5000.000000\",50,20.4,5.75,3,40\n"
    "root_L_R,\"INCOME >  5000.000000\",70,37.1429,6.01,10,70\n"
    "root_R,\"AGE >  35.000000\",80,58.3,10.0625,20,98\n";

class SegmentReportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    input_.nodeFileName = (std::filesystem::path(::testing::TempDir()) /
                           (std::string("report_") +
                            ::testing::UnitTest::GetInstance()->current_test_info()->name()))
                              .string();
    input_.sourceTable = "Survey";
    input_.targetName = "SPEND";
    input_.variableCount = 3;
    input_.minimumCount = 25;
  }
  void TearDown() override { std::filesystem::remove(input_.nodeFileName); }

  void writeNodes(const std::string& content) {
    std::ofstream(input_.nodeFileName, std::ios::binary) << content;
  }
  GeneratedText report() { return makeSegmentReport(input_, pinnedTime); }
  // The report after its header (which ends with the minimum count and two empty lines).
  std::string body() {
    std::string text = report().text;
    const std::string end = "Minimum Segment Count: 25\n\n\n";
    std::size_t at = text.find(end);
    EXPECT_NE(at, std::string::npos);
    return at == std::string::npos ? text : text.substr(at + end.size());
  }

  SegmentReportInput input_;
};

TEST_F(SegmentReportTest, WorkedRegressionExampleLineByLine) {
  writeNodes(kAgeIncomeTree);
  GeneratedText result = report();
  const std::string dashes85 = std::string(85, '-') + "\n";
  const std::string expected =
      "Regression Map\n"
      " Wendmoor Project Manager, Tue Dec  8 01:32:47 2026\n"
      " Copyright (c) 2026 Quorvane Inc. All rights reserved.\n"
      " Segment Summary Report\n"
      "\n" +
      dashes85 + "Specification\n" + dashes85 +
      " Source File:           Survey\n"
      " Target Variable:       SPEND\n"
      " Number of Predictors:  2\n"
      " Minimum Segment Count: 25\n"
      "\n\n" +
      kDashes56 + "SEGMENT 0\n" + kDashes56 +
      "Classification rule:\n"
      "AGE <= 35.000000 \n"
      "   AND INCOME <= 5000.000000 \n"
      "\n"
      "Segment statistics for SPEND:\n"
      "Count:  50\n"
      "Mean:   20.40\n"
      "SD:     5.75\n"
      "Min:    3.00\n"
      "Max:    40.00\n"
      "\n\n" +
      kDashes56 + "SEGMENT 1\n" + kDashes56 +
      "Classification rule:\n"
      "AGE <= 35.000000 \n"
      "   AND INCOME >  5000.000000 \n"
      "\n"
      "Segment statistics for SPEND:\n"
      "Count:  70\n"
      "Mean:   37.14\n"
      "SD:     6.01\n"
      "Min:    10.00\n"
      "Max:    70.00\n"
      "\n\n" +
      kDashes56 + "SEGMENT 2\n" + kDashes56 +
      "Classification rule:\n"
      "AGE >  35.000000 \n"
      "\n"
      "Segment statistics for SPEND:\n"
      "Count:  80\n"
      "Mean:   58.30\n"
      "SD:     10.06\n"
      "Min:    20.00\n"
      "Max:    98.00\n"
      "\n\n";
  EXPECT_EQ(result.text, expected);
  EXPECT_EQ(result.status, 0);
  EXPECT_TRUE(result.problems.empty());
}

TEST_F(SegmentReportTest, RootAloneAndEmptyFileEndAfterTheHeader) {
  writeNodes("root,\"ALL CASES\",200,41.5,12.25,3,98\n");
  GeneratedText result = report();
  EXPECT_EQ(body(), "No splitting beyone the root node\n");
  EXPECT_EQ(result.status, 1);

  writeNodes("");
  EXPECT_EQ(body(), "");
  EXPECT_EQ(report().status, 1);
}

TEST_F(SegmentReportTest, UnreadableNodeFileGivesTheHeaderAndNamesTheFile) {
  input_.nodeFileName = "/nonexistent/zzz_out.dat";
  GeneratedText result = report();
  EXPECT_EQ(body(), "");
  EXPECT_EQ(result.status, 1);
  ASSERT_EQ(result.problems.size(), 1u);
  EXPECT_NE(result.problems[0].find("/nonexistent/zzz_out.dat"), std::string::npos);
}

// Three nodes: the left leaf is SEGMENT 0, the right one SEGMENT 1 (same depth, file order).
TEST_F(SegmentReportTest, ThreeNodeCategoryMapWithItsPercentages) {
  input_.kind = MapKind::Category;
  input_.targetName = "BOUGHT";
  input_.classCount = 2;
  writeNodes(
      "root,ALL CASES,100,no,60,yes,40\n"
      "root_L,AGE <= 35.000000,40,no,30,yes,10\n"
      "root_R,AGE >  35.000000,60,no,30,yes,30\n");
  GeneratedText result = report();
  EXPECT_EQ(result.text.substr(0, 13), "Category Map\n");
  EXPECT_EQ(body(),
            kDashes56 + "SEGMENT 0\n" + kDashes56 +
                "Classification rule:\n"
                "AGE <= 35.000000 \n"
                "\n"
                "Segment statistics for target BOUGHT:\n"
                "Count:  40\n"
                "          no:        30 (   75.00%)\n"
                "         yes:        10 (   25.00%)\n"
                "\n\n" +
                kDashes56 + "SEGMENT 1\n" + kDashes56 +
                "Classification rule:\n"
                "AGE >  35.000000 \n"
                "\n"
                "Segment statistics for target BOUGHT:\n"
                "Count:  60\n"
                "          no:        30 (   50.00%)\n"
                "         yes:        30 (   50.00%)\n"
                "\n\n");
}

TEST_F(SegmentReportTest, CategoryClassesInByteOrderWithZeroCounts) {
  input_.kind = MapKind::Category;
  input_.classCount = 3;
  writeNodes(
      "root,ALL CASES,3,b,1,a,1,ab,1\n"
      "root_L,X <= 1.000000,2,b,0,a,1,ab,1\n"
      "root_R,X >  1.000000,1,b,1,a,0,ab,0\n");
  std::string text = body();
  EXPECT_NE(text.find("Count:  2\n"
                      "           a:         1 (   50.00%)\n"
                      "          ab:         1 (   50.00%)\n"
                      "           b:         0 (    0.00%)\n"),
            std::string::npos);
  writeNodes(
      "root,ALL CASES,6,a,3,b,3\n"
      "root_L,X <= 1.000000,3,a,1,b,2\n"
      "root_R,X >  1.000000,3,a,2,b,1\n");
  input_.classCount = 2;
  EXPECT_NE(body().find("           a:         1 (   33.33%)\n"
                        "           b:         2 (   66.67%)\n"),
            std::string::npos);
}

TEST_F(SegmentReportTest, RegressionValuesAreReadBackAsFloats) {
  // 12.345 as a float lies just above 12.345, so it prints 12.35.
  writeNodes(
      "root,\"ALL CASES\",60,12.345,1,1,9\n"
      "root_L,\"X <= 2.000000\",30,12.345,0.125001,-3.5,1e+06\n"
      "root_R,\"X >  2.000000\",30,7,1,5,9\n");
  std::string text = body();
  EXPECT_NE(text.find("Mean:   12.35\nSD:     0.13\nMin:    -3.50\nMax:    1000000.00\n"),
            std::string::npos);
}

// The full tree of ten splits: 21 nodes in file (pre-)order.
const std::vector<std::string> kFullTree = {
    "root",           "root_L",         "root_L_L",       "root_L_L_L",     "root_L_L_L_L",
    "root_L_L_L_R",   "root_L_L_R",     "root_L_R",       "root_L_R_L",     "root_L_R_L_L",
    "root_L_R_L_R",   "root_L_R_R",     "root_R",         "root_R_L",       "root_R_L_L",
    "root_R_L_L_L",   "root_R_L_L_R",   "root_R_L_R",     "root_R_R",       "root_R_R_L",
    "root_R_R_R"};
// Its leaves, deepest first and in file order within a depth.
const std::vector<std::string> kFullTreeSegments = {
    "root_L_L_L_L", "root_L_L_L_R", "root_L_R_L_L", "root_L_R_L_R", "root_R_L_L_L", "root_R_L_L_R",
    "root_L_L_R",   "root_L_R_R",   "root_R_L_R",   "root_R_R_L",   "root_R_R_R"};

TEST_F(SegmentReportTest, FullTreeGivesElevenSegmentsDeepestFirst) {
  std::string nodes;
  for (const std::string& name : kFullTree)
    nodes += name + ",\"" + (name == "root" ? "ALL CASES" : "V" + name.substr(4) + " <= 1") +
             "\"," + std::to_string(name.size()) + ",1,1,1,1\n";
  writeNodes(nodes);
  std::string text = body();
  std::size_t at = 0;
  for (std::size_t k = 0; k < kFullTreeSegments.size(); ++k) {
    const std::string& leaf = kFullTreeSegments[k];
    std::string rule;
    for (std::size_t end = 6; end <= leaf.size(); end += 2)
      rule += "V" + leaf.substr(4, end - 4) + " <= 1" + (end == leaf.size() ? " \n" : " \n   AND ");
    std::string block = "SEGMENT " + std::to_string(k) + "\n" + kDashes56 +
                        "Classification rule:\n" + rule + "\nSegment statistics for SPEND:\n" +
                        "Count:  " + std::to_string(leaf.size()) + "\n";
    std::size_t found = text.find(block, at);
    ASSERT_NE(found, std::string::npos) << "segment " << k << " (" << leaf << ")";
    at = found + block.size();
  }
  EXPECT_EQ(text.find("SEGMENT 11"), std::string::npos);
}

TEST_F(SegmentReportTest, ValuesWithSeparatorsSurviveWhole) {
  input_.kind = MapKind::Category;
  input_.targetName = "NAME|X";
  input_.classCount = 2;
  writeNodes(
      "root,ALL CASES,50,\"Smith, John\",20,\"x\"\"y\",30\n"
      "root_L,\"NAME|X IS_IN { Smith, John }\",20,\"Smith, John\",20,\"x\"\"y\",0\n"
      "root_R,\"NAME|X IS_IN { x\"\"y }\",30,\"Smith, John\",0,\"x\"\"y\",30\n");
  GeneratedText result = report();
  EXPECT_TRUE(result.problems.empty());
  EXPECT_NE(result.text.find("Classification rule:\n"
                             "NAME|X IS_IN { Smith, John } \n"
                             "\n"
                             "Segment statistics for target NAME|X:\n"
                             "Count:  20\n"
                             " Smith, John:        20 (  100.00%)\n"
                             "         x\"y:         0 (    0.00%)\n"),
            std::string::npos);
  EXPECT_NE(result.text.find("NAME|X IS_IN { x\"y } \n"), std::string::npos);
}

TEST_F(SegmentReportTest, DamagedLinesAreNamedNotFatal) {
  writeNodes(
      "root,\"ALL CASES\",60,5,1,1,9\n"
      "root_L,\"X <= 2.000000\",thirty,abc,1,1\n"
      "root_R,\"X >  2.000000\",30,7,1,5,9\n"
      "tail without a line end");
  GeneratedText result = report();
  EXPECT_EQ(result.status, 0);
  ASSERT_EQ(result.problems.size(), 4u);  // N, mean, max, the unterminated line
  EXPECT_NE(result.problems[0].find(input_.nodeFileName + " line 2: N"), std::string::npos);
  EXPECT_NE(result.text.find("Count:  0\nMean:   0.00\n"), std::string::npos);
  EXPECT_NE(result.problems[3].find("no line end"), std::string::npos);
}

std::size_t Occurrences(const std::string& text, const std::string& part) {
  std::size_t n = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

// Every call reads the node file as it is then: one header and one section
// per leaf, never the text of an earlier call added to it.
TEST_F(SegmentReportTest, EachReadGivesOneWholeReportOfTheFileAsItIsNow) {
  writeNodes(kAgeIncomeTree);
  for (int read = 0; read < 2; ++read) {
    const std::string text = report().text;
    EXPECT_EQ(Occurrences(text, "Segment Summary Report"), 1u);
    EXPECT_EQ(Occurrences(text, "\nSEGMENT "), 3u);  // root_L_L, root_L_R, root_R
    EXPECT_NE(text.find("SEGMENT 2\n-"), std::string::npos);
  }
  writeNodes(
      "root,\"ALL CASES\",60,5,1,1,9\n"
      "root_L,\"X <= 2.000000\",30,3,1,1,4\n"
      "root_R,\"X >  2.000000\",30,7,1,5,9\n");
  const std::string text = report().text;
  EXPECT_EQ(Occurrences(text, "Segment Summary Report"), 1u);
  EXPECT_EQ(Occurrences(text, "\nSEGMENT "), 2u);
  EXPECT_NE(text.find("X >  2.000000"), std::string::npos);
  EXPECT_EQ(text.find("AGE"), std::string::npos);
}

// With the system clock only the stamp on the second line may differ between reads.
TEST_F(SegmentReportTest, TheSystemClockStampsTheSecondLineOnly) {
  writeNodes(kAgeIncomeTree);
  std::string first = makeSegmentReport(input_).text;
  std::string second = makeSegmentReport(input_).text;
  ASSERT_EQ(first.size(), second.size());
  std::size_t dateStart = first.find('\n') + 1;
  std::size_t dateEnd = first.find('\n', dateStart);
  EXPECT_EQ(dateEnd - dateStart, 27u + 24u);
  EXPECT_EQ(first.substr(dateEnd), second.substr(dateEnd));
  EXPECT_EQ(first.substr(0, dateStart + 27), second.substr(0, dateStart + 27));
  std::string pinned = report().text;
  EXPECT_EQ(first.substr(dateEnd), pinned.substr(pinned.find('\n', dateStart)));
}

TEST(DateTimeText, FixedTwentyFourCharacterForm) {
  EXPECT_EQ(dateTimeText(pinnedTime()), "Tue Dec  8 01:32:47 2026");
  std::tm t = pinnedTime();
  t.tm_mday = 28;
  t.tm_mon = 0;
  t.tm_wday = 0;
  t.tm_hour = 23;
  EXPECT_EQ(dateTimeText(t), "Sun Jan 28 23:32:47 2026");
  EXPECT_EQ(dateTimeText(systemLocalTime()).size(), 24u);
  EXPECT_EQ(noticeText(pinnedTime()), "Copyright (c) 2026 Quorvane Inc. All rights reserved.");
}

}  // namespace
}  // namespace orlix::engine
