// orlix-cli run --settings: a saved project's settings rerun, their
// data source, target, checked fields and output names taken as saved.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "cli/command_line.h"
#include "project/project_files.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_files.h"

namespace orlix::cli {
namespace {

namespace fs = std::filesystem;

struct Outcome {
  int status;
  std::string out, err;
};

Outcome commandLine(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  const int status = runCommandLine(args, out, err, false);
  return {status, out.str(), err.str()};
}

std::string textConnection() {
  const std::string samples = test::repositoryFile("samples");
  return "Driver={Microsoft Text Driver (*.txt; *.csv)};DBQ=" + samples + ";DefaultDir=" + samples + ";Uid=Admin;Pwd=;";
}

// A settings file as the program saves it: only some fields checked, the
// target among the unchecked ones, output names of the user's own.
std::string writeSettings(const test::TempDir& dir, const std::string& connection, const std::string& names = "") {
  project::ProjectSettings s;
  s.connectionString = connection;
  s.sourceTable = "[penguins.csv]";
  s.target = "body_mass_g";
  s.selected = {"species", "flipper_length_mm", "sex"};
  s.names.code = "code.txt";
  s.names.rules = "report.txt";
  if (!names.empty()) s.names.treeList = names;
  return dir.write("TreeParms.cfg", project::settingsText(dir.path(), s));
}

TEST(SettingsRerun, TheSavedSettingsGiveTheSameRunAsTheirOptionsSpelledOut) {
  test::TempDir dir("orlix-settings");
  const std::string settings = writeSettings(dir, textConnection());
  const fs::path out = fs::path(dir.path()) / "rerun";
  const Outcome rerun = commandLine({"run", "--settings", settings, "--min-n", "20", "--project", out.string()});
  ASSERT_EQ(rerun.status, 0) << rerun.err;
  const Outcome direct = commandLine({"run", "--connect", textConnection(), "--table", "[penguins.csv]", "--target",
                                      "body_mass_g", "--min-n", "20", "--exclude", "island", "--exclude",
                                      "bill_length_mm", "--exclude", "bill_depth_mm", "--exclude", "year"});
  ASSERT_EQ(direct.status, 0) << direct.err;
  const auto body = [](const std::string& report) { return report.substr(report.find("Segment Summary Report")); };
  EXPECT_EQ(body(rerun.out), body(direct.out));
  EXPECT_NE(rerun.out.find("Number of Predictors:  3"), std::string::npos) << rerun.out;
  // The outputs under the saved names, the selection and target as saved.
  EXPECT_TRUE(fs::exists(out / "code.txt"));
  EXPECT_TRUE(fs::exists(out / "report.txt"));
  const project::ProjectSettings written = project::readSettings((out / "TreeParms.cfg").string());
  EXPECT_EQ(written.selected, (std::vector<std::string>{"species", "flipper_length_mm", "sex"}));
  EXPECT_EQ(written.target, "body_mass_g");
  EXPECT_EQ(written.names.code, "code.txt");
}

TEST(SettingsRerun, UnsafeOrIncompleteSettingsAreRefusedNamingTheFile) {
  test::TempDir dir("orlix-settings");
  std::string settings = writeSettings(dir, "Driver=/tmp/evil.so;Database=x");
  Outcome o = commandLine({"run", "--settings", settings});
  EXPECT_EQ(o.status, 1);
  EXPECT_NE(o.err.find("registered by name"), std::string::npos) << o.err;

  settings = writeSettings(dir, textConnection(), "../rules.csv");
  o = commandLine({"run", "--settings", settings});
  EXPECT_EQ(o.status, 1);
  EXPECT_NE(o.err.find(settings), std::string::npos) << o.err;
  EXPECT_NE(o.err.find("plain file names"), std::string::npos) << o.err;

  settings = dir.write("TreeParms.cfg", "PrjDir:\t/p\r\nCstring:\t" + textConnection() + "\r\nSrc:\t[penguins.csv]\r\n");
  o = commandLine({"run", "--settings", settings});
  EXPECT_EQ(o.status, 1);
  EXPECT_NE(o.err.find("checks no variable (Selvars:)"), std::string::npos) << o.err;

  o = commandLine({"run", "--settings", settings, "--data", "x.csv"});
  EXPECT_NE(o.err.find("--settings gives the data source"), std::string::npos) << o.err;
  o = commandLine({"run", "--settings", dir.file("absent/TreeParms.cfg")});
  EXPECT_EQ(o.status, 1);
  EXPECT_NE(o.err.find("absent/TreeParms.cfg"), std::string::npos) << o.err;
  EXPECT_NE(commandLine({"--help"}).out.find("--settings FILE"), std::string::npos);
}

}  // namespace
}  // namespace orlix::cli
