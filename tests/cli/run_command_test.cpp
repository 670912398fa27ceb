// orlix-cli run end to end on the bundled penguins: the report, the project
// folder's files in their formats, and every failure in the "Error from" form.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/run_command.h"
#include "platform/ado/recordset.h"

namespace orlix::cli {
namespace {

namespace fs = std::filesystem;

const std::string kPenguins = std::string(ORLIX_SOURCE_DIR) + "/samples/penguins.csv";

std::string readFile(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

class RunCommandTest : public ::testing::Test {
 protected:
  RunCommandTest() {
    std::string pattern = (fs::temp_directory_path() / "orlix-cli-XXXXXX").string();
    dir = mkdtemp(pattern.data());
  }
  ~RunCommandTest() override { fs::remove_all(dir); }

  int run(std::vector<std::string> args) {
    out.str("");
    err.str("");
    try {
      return runAnalysis(parseRunOptions(args), out, err);
    } catch (const CliFailure& failure) {
      printFailure(failure, err);
      return 1;
    }
  }
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
  EXPECT_FALSE(readFile(dir / "nodes.txt").empty());

  const std::string settings = readFile(project / "TreeParms.cfg");
  EXPECT_EQ(settings.rfind("PrjDir:\t" + project.string() + "\r\nCstring:\tDriver={Microsoft Text Driver (*.txt; *.csv)};DBQ=", 0), 0u);
  EXPECT_NE(settings.find("\r\nSrc:\t[penguins.csv]\r\nRawF:\trawdata.csv\r\nDesc:\tdescriptives.csv\r\nCode:\tscoring.txt\r\n"
                          "Rules:\tsummary.txt\r\nTreelist:\trules.csv\r\nTreeDisp:\tgraphTree.jpg\r\nTarget:\tbody_mass_g\r\n"
                          "Selvars:\tspecies,island,bill_length_mm,bill_depth_mm,flipper_length_mm,body_mass_g,sex,year\r\n"),
            std::string::npos);
  EXPECT_EQ(readFile(project / "summary.txt"), out.str().substr(0, readFile(project / "summary.txt").size()));
  EXPECT_EQ(readFile(project / "scoring.txt").empty(), false);

  const std::string treeList = readFile(project / "rules.csv");
  EXPECT_EQ(treeList.rfind("\tID\tName\tRule\tN\tMean\tSD\tMin\tMax\tParent\tLeftChild\tRightChild\r\n\t1\troot\tALL CASES\t342\t", 0), 0u);
  // Single-precision statistics printed with 15 significant digits.
  EXPECT_NE(treeList.find("\t800.781005859375\t"), std::string::npos);
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
