#include "engine/scoring_code.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <time.h>

#include "engine/segment_report.h"

namespace orlix::engine {
namespace {

std::tm pinnedTime() {
  std::tm t{};
  strptime("2026-12-08 01:32:47", "%Y-%m-%d %H:%M:%S", &t);  // also sets the weekday
  return t;
}

const std::string kStars78 = "/" + std::string(78, '*') + "\n";

class ScoringCodeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    input_.nodeFileName = (std::filesystem::path(::testing::TempDir()) /
                           (std::string("code_") +
                            ::testing::UnitTest::GetInstance()->current_test_info()->name()))
                              .string();
    input_.variables = {{"AGE", false, {}}, {"INCOME", false, {}}, {"SPEND", false, {}}};
  }
  void TearDown() override { std::filesystem::remove(input_.nodeFileName); }

  void writeNodes(const std::string& content) {
    std::ofstream(input_.nodeFileName, std::ios::binary) << content;
  }
  GeneratedText code() { return makeScoringCode(input_, pinnedTime); }
  // The code after its banner.
  std::string body() {
    std::string text = code().text;
    const std::string end = "Quorvane Inc. All rights reserved.\n" + kStars78 + "\n";
    std::size_t at = text.find(end);
    EXPECT_NE(at, std::string::npos);
    return at == std::string::npos ? text : text.substr(at + end.size());
  }

  ScoringCodeInput input_;
};

TEST_F(ScoringCodeTest, WorkedRegressionExampleLineByLine) {
  writeNodes(
      "root,\"ALL CASES\",200,41.5,12.25,3,98\n"
      "root_L,\"AGE <= 35.000000\",120,30.2,8.5,3,70\n"
      "root_L_L,\"INCOME <= 5000.000000\",50,20.4,5.75,3,40\n"
      "root_L_R,\"INCOME >  5000.000000\",70,37.1429,6.01,10,70\n"
      "root_R,\"AGE >  35.000000\",80,58.3,10.0625,20,98\n");
  GeneratedText result = code();
  EXPECT_EQ(result.text,
            kStars78 +
                "/ Scoring Code for Regression Map\n"
                "/ Predictors: 2\n"
                "/\n"
                "/ Coded by Wendmoor Project Manager on Tue Dec  8 01:32:47 2026\n"
                "/ Copyright (c) 2026 Quorvane Inc. All rights reserved.\n" +
                kStars78 +
                "\n"
                "IF AGE <= 35.000000 \n"
                "   AND INCOME <= 5000.000000 \n"
                "THEN SEGMENT = 0;\n"
                "\n"
                "ELSE IF AGE <= 35.000000 \n"
                "   AND INCOME >  5000.000000 \n"
                "THEN SEGMENT = 1;\n"
                "\n"
                "ELSE IF AGE >  35.000000 \n"
                "THEN SEGMENT = 2;\n"
                "\n"
                "ELSE IF  1 \n"
                "THEN SEGMENT = -999;\n");
  EXPECT_EQ(result.status, 0);
  EXPECT_TRUE(result.problems.empty());
}

TEST_F(ScoringCodeTest, CategoryMapDiffersOnlyInTheTitle) {
  const std::string nodes =
      "root,ALL CASES,100,no,60,yes,40\n"
      "root_L,AGE <= 35.000000,40,no,30,yes,10\n"
      "root_R,AGE >  35.000000,60,no,30,yes,30\n";
  writeNodes(nodes);
  std::string regression = code().text;
  input_.kind = MapKind::Category;
  std::string category = code().text;
  std::size_t title = regression.find("Regression Map\n");
  ASSERT_NE(title, std::string::npos);
  EXPECT_EQ(category, regression.replace(title, 14, "Category Map"));
  EXPECT_EQ(body(),
            "IF AGE <= 35.000000 \nTHEN SEGMENT = 0;\n\n"
            "ELSE IF AGE >  35.000000 \nTHEN SEGMENT = 1;\n\n"
            "ELSE IF  1 \nTHEN SEGMENT = -999;\n");
}

std::string decileBlock(const std::string& x, const std::vector<std::string>& cuts) {
  std::string block = "/" + std::string(69, '*') + "\n/ Decile conversion\n/" +
                      std::string(69, '*') + "/\n";
  block += "IF " + x + " <= " + cuts[0] + " THEN " + x + " = 0;\n";
  for (int d = 1; d <= 8; ++d)
    block += "ELSE IF " + x + " <= " + cuts[d] + " THEN " + x + " = " + std::to_string(d) + ";\n";
  return block + "ELSE IF  1 THEN " + x + " = 9;\n\n";
}

TEST_F(ScoringCodeTest, DecileBlocksInColumnOrderThenTheLoneRoot) {
  input_.variables[0].decile = true;
  input_.variables[0].cuts = {10, 20, 30, 40, 50, 60, 70, 80, 90, 100};
  input_.variables[2].decile = true;  // the target's column may be marked too
  input_.variables[2].cuts = {0.1f, 1234567.f, -999, 2.5e-7f, 1.5f, 3, 1e20f, 8, 9, 10};
  writeNodes("root,\"ALL CASES\",200,41.5,12.25,3,98\n");
  GeneratedText result = code();
  EXPECT_EQ(body(), decileBlock("AGE", {"10", "20", "30", "40", "50", "60", "70", "80", "90"}) +
                        decileBlock("SPEND", {"0.1", "1.23457e+06", "-999", "2.5e-07", "1.5", "3",
                                              "1e+20", "8", "9"}) +
                        "SEGMENT = 0\n");
  EXPECT_EQ(result.status, 1);
}

TEST_F(ScoringCodeTest, UnreadableNodeFileGivesBannerAndDecileBlocksOnly) {
  input_.variables[1].decile = true;
  input_.variables[1].cuts = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
  input_.nodeFileName = "/nonexistent/zzz_out.dat";
  GeneratedText result = code();
  EXPECT_EQ(body(), decileBlock("INCOME", {"1", "2", "3", "4", "5", "6", "7", "8", "9"}));
  EXPECT_EQ(result.status, 1);
  ASSERT_EQ(result.problems.size(), 1u);
  EXPECT_NE(result.problems[0].find("/nonexistent/zzz_out.dat"), std::string::npos);
}

TEST_F(ScoringCodeTest, SegmentsNumberedAsInTheReport) {
  // The full tree of ten splits; each rule names its node.
  const std::vector<std::string> tree = {
      "root",         "root_L",       "root_L_L",   "root_L_L_L",   "root_L_L_L_L", "root_L_L_L_R",
      "root_L_L_R",   "root_L_R",     "root_L_R_L", "root_L_R_L_L", "root_L_R_L_R", "root_L_R_R",
      "root_R",       "root_R_L",     "root_R_L_L", "root_R_L_L_L", "root_R_L_L_R", "root_R_L_R",
      "root_R_R",     "root_R_R_L",   "root_R_R_R"};
  std::string nodes;
  for (const std::string& name : tree) nodes += name + ",\"" + name + " rule\",30,1,1,1,1\n";
  writeNodes(nodes);
  std::string codeText = body();

  SegmentReportInput report;
  report.nodeFileName = input_.nodeFileName;
  report.variableCount = 3;
  std::string reportText = makeSegmentReport(report, pinnedTime).text;

  for (int k = 0; k <= 10; ++k) {
    // The leaf's rule line ends each segment's condition in both texts.
    std::string then = "THEN SEGMENT = " + std::to_string(k) + ";\n";
    std::size_t codeEnd = codeText.find(then);
    ASSERT_NE(codeEnd, std::string::npos) << k;
    std::size_t codeStart = codeText.rfind("IF ", codeEnd);
    std::string condition = codeText.substr(codeStart + 3, codeEnd - codeStart - 3);

    std::string title = "SEGMENT " + std::to_string(k) + "\n" + std::string(56, '-') +
                        "\nClassification rule:\n";
    std::size_t reportStart = reportText.find(title);
    ASSERT_NE(reportStart, std::string::npos) << k;
    EXPECT_EQ(reportText.substr(reportStart + title.size(), condition.size()), condition) << k;
  }
  EXPECT_EQ(codeText.find("THEN SEGMENT = 11;"), std::string::npos);
  EXPECT_NE(codeText.find("IF root_L rule \n   AND root_L_L rule \n   AND root_L_L_L rule \n"
                          "   AND root_L_L_L_L rule \nTHEN SEGMENT = 0;"),
            std::string::npos);
  EXPECT_NE(codeText.find("ELSE IF root_R rule \n   AND root_R_R rule \n   AND root_R_R_R rule \n"
                          "THEN SEGMENT = 10;\n\nELSE IF  1 \nTHEN SEGMENT = -999;\n"),
            std::string::npos);
}

TEST_F(ScoringCodeTest, RulesWithSeparatorsSurviveWhole) {
  input_.variables[0].name = "Last, First";
  writeNodes(
      "root,ALL CASES,50,\"Smith, John\",20,\"x\"\"y\",30\n"
      "root_L,\"NAME IS_IN { Smith, John }\",20,\"Smith, John\",20,\"x\"\"y\",0\n"
      "root_R,\"NAME IS_IN { x\"\"y; z|w }\",30,\"Smith, John\",0,\"x\"\"y\",30\n");
  EXPECT_EQ(body(),
            "IF NAME IS_IN { Smith, John } \nTHEN SEGMENT = 0;\n\n"
            "ELSE IF NAME IS_IN { x\"y; z|w } \nTHEN SEGMENT = 1;\n\n"
            "ELSE IF  1 \nTHEN SEGMENT = -999;\n");
}

}  // namespace
}  // namespace orlix::engine
