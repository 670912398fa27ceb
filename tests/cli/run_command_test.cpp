// orlix-cli run end to end on the bundled penguins: the report, the project
// folder's files in their formats, and every failure in the "Error from" form.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/run_command.h"
#include "tests/cli/run_in_process.h"
#include "platform/ado/recordset.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_files.h"

namespace orlix::cli {
namespace {

namespace fs = std::filesystem;

using test::readFile;

const std::string kPenguins = test::sampleFile("penguins.csv");

// The segments of a summary report: each one's rule lines, in segment order.
std::vector<std::string> segmentRules(const std::string& report) {
  std::vector<std::string> rules;
  const std::string start = "Classification rule:\n", end = "\nSegment statistics";
  for (size_t at = report.find(start); at != std::string::npos; at = report.find(start, at)) {
    at += start.size();
    rules.push_back(report.substr(at, report.find(end, at) - at));
  }
  return rules;
}

class RunCommandTest : public ::testing::Test {
 protected:
  RunCommandTest() : dir(temp.path()) {}

  int run(std::vector<std::string> args) {
    out.str("");
    err.str("");
    return testing::runInProcess(args, out, err);
  }
  test::TempDir temp{"orlix-cli"};
  fs::path dir;
  std::ostringstream out, err;
};

TEST_F(RunCommandTest, RegressionRunWritesReportAndProjectFolder) {
  const fs::path project = dir / "project";
  ASSERT_EQ(run({"--data", kPenguins, "--target", "body_mass_g", "--project", project.string(), "--node-file",
                 (dir / "nodes.txt").string()}),
            0)
      << err.str();
  EXPECT_EQ(out.str().rfind("Regression Map\n", 0), 0u);
  EXPECT_NE(out.str().find(" Target Variable:       body_mass_g"), std::string::npos);
  EXPECT_EQ(err.str(), "");

  const std::string settings = readFile(project / "TreeParms.cfg");
  EXPECT_EQ(settings.rfind("PrjDir:\t" + project.string() + "\r\nCstring:\tDriver={Microsoft Text Driver (*.txt; *.csv)};DBQ=", 0), 0u);
  EXPECT_NE(settings.find("\r\nSrc:\t[penguins.csv]\r\nRawF:\trawdata.csv\r\nDesc:\tdescriptives.csv\r\nCode:\tscoring.txt\r\n"
                          "Rules:\tsummary.txt\r\nTreelist:\trules.csv\r\nTreeDisp:\tgraphTree.jpg\r\nTarget:\tbody_mass_g\r\n"
                          "Selvars:\tspecies,island,bill_length_mm,bill_depth_mm,flipper_length_mm,body_mass_g,sex,year\r\n"),
            std::string::npos);
  // The report on standard output is the summary file, whole.
  EXPECT_EQ(readFile(project / "summary.txt"), out.str());
  // The scoring code assigns each segment of the report by the same rule.
  const std::string scoring = readFile(project / "scoring.txt");
  EXPECT_NE(scoring.find("/ Scoring Code for Regression Map\n/ Predictors: 7\n"), std::string::npos);
  const std::vector<std::string> rules = segmentRules(out.str());
  ASSERT_GE(rules.size(), 2u);
  for (size_t n = 0; n < rules.size(); ++n) {
    EXPECT_NE(scoring.find((n ? "ELSE IF " : "IF ") + rules[n] + "THEN SEGMENT = " + std::to_string(n) + ";"),
              std::string::npos)
        << "segment " << n;
  }

  const std::string treeList = readFile(project / "rules.csv");
  EXPECT_EQ(treeList.rfind("\tID\tName\tRule\tN\tMean\tSD\tMin\tMax\tParent\tLeftChild\tRightChild\r\n\t1\troot\tALL CASES\t342\t", 0), 0u);
  // Single-precision statistics printed with 15 significant digits.
  EXPECT_NE(treeList.find("\t800.781005859375\t"), std::string::npos);
  // The node file holds the tree list's nodes in its order: name, quoted rule, N.
  std::istringstream nodes(readFile(dir / "nodes.txt")), listed(treeList);
  std::string node, row;
  std::getline(listed, row);  // heading
  int count = 0;
  for (; std::getline(listed, row); ++count) {
    std::vector<std::string> cells;
    std::istringstream split(row.substr(1, row.size() - 2));  // without the leading tab and the CR
    for (std::string cell; std::getline(split, cell, '\t');) cells.push_back(cell);
    ASSERT_TRUE(std::getline(nodes, node)) << "no node line for " << row;
    EXPECT_EQ(node.rfind(cells[1] + ",\"" + cells[2] + "\"," + cells[3] + ",", 0), 0u) << node;
  }
  EXPECT_FALSE(std::getline(nodes, node)) << "a node line beyond the tree list: " << node;
  EXPECT_EQ(count, 21);
  const std::string descriptives = readFile(project / "descriptives.csv");
  EXPECT_EQ(descriptives.rfind("\tVarName\tType\tMin\tMax\tMean\tSD\tCardinality\tUniques\r\n\tspecies\tCharacter\tZZZ\t   \t0\t0\t3\t", 0), 0u);
  // The XML files open again as record sets of the same rows.
  ado::Recordset saved;
  saved.Open((project / "treelist.xml").string());
  EXPECT_EQ(saved.Fields().Item(10L).Name(), "RightChild");
  EXPECT_EQ(saved.RecordCount(), static_cast<long>(std::count(treeList.begin(), treeList.end(), '\n') - 1));
  ado::Recordset descrip;
  descrip.Open((project / "descrip.xml").string());
  EXPECT_EQ(descrip.RecordCount(), 8);

  // A second save into the same folder replaces every file with the same text.
  ASSERT_EQ(run({"--data", kPenguins, "--target", "body_mass_g", "--project", project.string()}), 0);
  EXPECT_EQ(readFile(project / "rules.csv"), treeList);
  EXPECT_EQ(readFile(project / "descriptives.csv"), descriptives);
}

TEST_F(RunCommandTest, CharacterTargetTakesTheCategoryMap) {
  const fs::path project = dir / "p";
  ASSERT_EQ(run({"--data", kPenguins, "--target", "species", "--project", project.string()}), 0) << err.str();
  EXPECT_EQ(out.str().rfind("Category Map\n", 0), 0u);
  EXPECT_EQ(readFile(project / "rules.csv")
                .rfind("\tID\tName\tRule\tN\tVal_Adelie\tVal_Chinstrap\tVal_Gentoo\tParent\tLeftChild\tRightChild\r\n", 0),
            0u);
  // A numeric field named by --character is a character target too.
  ASSERT_EQ(run({"--data", kPenguins, "--target", "year", "--character", "year"}), 0) << err.str();
  EXPECT_EQ(out.str().rfind("Category Map\n", 0), 0u);
  EXPECT_EQ(run({"--data", kPenguins, "--target", "species", "--min-n", "0"}), 1);
  EXPECT_EQ(err.str(), "Error from Orlix.CategoryMap.1\nWarning - minimum stopping rule was improperly set\nHRESULT: 80020009\n");
}

TEST_F(RunCommandTest, ExcludedFieldsLeaveTheSelectionAndTheModel) {
  const fs::path project = dir / "p";
  ASSERT_EQ(run({"--data", kPenguins, "--target", "body_mass_g", "--exclude", "SPECIES", "--exclude", "year",
                 "--decile", "bill_depth_mm", "--project", project.string()}),
            0)
      << err.str();
  EXPECT_NE(out.str().find(" Number of Predictors:  5"), std::string::npos);
  EXPECT_NE(readFile(project / "TreeParms.cfg")
                .find("Selvars:\tisland,bill_length_mm,bill_depth_mm,flipper_length_mm,body_mass_g,sex\r\n"),
            std::string::npos);
}

TEST_F(RunCommandTest, LoneRootIsAResultWithTheTreeListErrorReported) {
  const fs::path project = dir / "p";
  EXPECT_EQ(run({"--data", kPenguins, "--target", "body_mass_g", "--min-n", "300", "--project", project.string()}), 0);
  EXPECT_EQ(err.str(), "Error from Orlix.RegressionMap.1\nNo splitting beyond the root node\nHRESULT: 80004005\n");
  EXPECT_TRUE(fs::exists(project / "descrip.xml"));
  EXPECT_TRUE(fs::exists(project / "summary.txt"));
  EXPECT_FALSE(fs::exists(project / "treelist.xml"));
  EXPECT_FALSE(fs::exists(project / "rules.csv"));
}

TEST_F(RunCommandTest, FailuresAreReportedInTheErrorFromForm) {
  EXPECT_EQ(run({"--data", kPenguins, "--target", "nope"}), 1);
  EXPECT_EQ(err.str(), "Error from Orlix.RegressionMap.1\nSpecified target variable does not exist: nope\nHRESULT: 80020009\n");
  EXPECT_EQ(out.str(), "");

  EXPECT_EQ(run({"--data", kPenguins, "--target", "body_mass_g", "--min-n", "0"}), 1);
  EXPECT_EQ(err.str(), "Error from Orlix.RegressionMap.1\nWarning - minimum stopping rule was improperly set\nHRESULT: 80020009\n");

  EXPECT_EQ(run({"--data", kPenguins, "--target", "body_mass_g", "--decile", "island"}), 1);
  EXPECT_EQ(err.str(), "Error from Orlix.RegressionMap.1\nAttempting to decile non-numeric field island\nHRESULT: 80004005\n");

  EXPECT_EQ(run({"--data", (dir / "absent.csv").string(), "--target", "x"}), 1);
  EXPECT_EQ(err.str().rfind("Error from orlix-cli\nPlease select a valid database to convert from...", 0), 0u);

  EXPECT_EQ(run({"--connect", "Provider=Nothing;", "--table", "[t]", "--target", "x"}), 1);
  EXPECT_EQ(err.str().rfind("Error from Orlix.RegressionMap.1\nFailed to connect to source data: ", 0), 0u);
  EXPECT_NE(err.str().find("\nHRESULT: 80004005\n"), std::string::npos);

  EXPECT_EQ(run({"--data", kPenguins, "--target", "body_mass_g", "--min-n", "ten"}), 1);
  EXPECT_NE(err.str().find("--min-n needs a whole number"), std::string::npos);
  EXPECT_EQ(run({"--data", kPenguins, "--target"}), 1);
  EXPECT_EQ(run({"--data", kPenguins, "--target", "body_mass_g", "--colour", "red"}), 1);
  EXPECT_NE(err.str().find("unknown option --colour"), std::string::npos);
  EXPECT_NE(err.str().find("HRESULT: 80070057"), std::string::npos);

  const fs::path blocked = dir / "file";
  std::ofstream(blocked) << "x";
  EXPECT_EQ(run({"--data", kPenguins, "--target", "body_mass_g", "--project", blocked.string()}), 1);
  EXPECT_EQ(err.str(),
            "Error from Saving To Disk\nProject Directory missing or invalid. Check Project Options.\nHRESULT: 800403E8\n");
}

}  // namespace
}  // namespace orlix::cli
