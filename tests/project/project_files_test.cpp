// Project folders written and read back without the window system.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/ado/recordset.h"
#include "project/project_files.h"
#include "tests/support/scoped_locale.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_files.h"

namespace orlix::project {
namespace {

namespace fs = std::filesystem;

using test::readFile;

std::string tabText(const ado::Recordset& rs) {
  std::ostringstream out;
  writeTabSeparated(rs, out);
  return out.str();
}

std::shared_ptr<ado::Recordset> smallTreeList() {
  auto rs = std::make_shared<ado::Recordset>();
  rs->Fields().Append("ID", ado::adInteger, 10, ado::adFldLong);
  rs->Fields().Append("Rule", ado::adBSTR, 256);
  rs->Fields().Append("Mean", ado::adDouble, 12, ado::adFldNegativeScale);
  rs->Open();
  const std::pair<int, double> rows[] = {{1, 3.25}, {2, 0.1}};
  for (auto [id, mean] : rows) {
    rs->AddNew();
    rs->Fields().Item("ID").SetValue(com::Variant(static_cast<int32_t>(id)));
    rs->Fields().Item("Rule").SetValue(com::Variant(std::string(id == 1 ? "ALL CASES" : "x <= 2")));
    rs->Fields().Item("Mean").SetValue(com::Variant(mean));
    rs->Update();
  }
  return rs;
}

ProjectContent sampleContent() {
  ProjectContent c;
  c.settings.connectionString = "Provider=SQLite;Data Source=/data/x.sqlite";
  c.settings.sourceTable = "[t]";
  c.settings.target = "y";
  c.settings.selected = {"a", "b", "c"};
  c.settings.names.code = "code.txt";
  c.rulesText = "Regression Map\r\nsegment 1\r\n";
  c.codeText = "if x <= 2 then segment = 1;\n";
  c.treeList = smallTreeList();
  c.descriptives = smallTreeList();
  return c;
}

TEST(ProjectFiles, WhatIsSavedReadsBackTheSame) {
  test::TempDir dir("orlix-project");
  const ProjectContent saved = sampleContent();
  saveProject(dir.path(), saved);

  const ProjectContent read = readProject(dir.file("TreeParms.cfg"));
  EXPECT_EQ(read.settings.projectDir, absoluteProjectDir(dir.path()));
  EXPECT_EQ(read.settings.connectionString, saved.settings.connectionString);
  EXPECT_EQ(read.settings.sourceTable, "[t]");
  EXPECT_EQ(read.settings.target, "y");
  EXPECT_EQ(read.settings.selected, (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(read.settings.names.code, "code.txt");
  EXPECT_EQ(read.settings.names.rules, "summary.txt");
  EXPECT_EQ(read.rulesText, saved.rulesText);
  EXPECT_EQ(read.codeText, saved.codeText);
  ASSERT_TRUE(read.treeList && read.descriptives);
  EXPECT_EQ(tabText(*read.treeList), tabText(*saved.treeList));
  EXPECT_EQ(read.treeList->Fields().Item("Mean").Type(), ado::adDouble);
  EXPECT_EQ(readFile(dir.file("rules.csv")), "\tID\tRule\tMean\r\n\t1\tALL CASES\t3.25\r\n\t2\tx <= 2\t0.1\r\n");
}

TEST(ProjectFiles, SettingsAreWrittenInTheirOrderWithCrLf) {
  ProjectSettings s;
  s.connectionString = "C";
  s.sourceTable = "[T]";
  EXPECT_EQ(settingsText("/p", s),
            "PrjDir:\t/p\r\nCstring:\tC\r\nSrc:\t[T]\r\nRawF:\trawdata.csv\r\nDesc:\tdescriptives.csv\r\n"
            "Code:\tscoring.txt\r\nRules:\tsummary.txt\r\nTreelist:\trules.csv\r\nTreeDisp:\tgraphTree.jpg\r\n");
  s.target = "y";
  s.selected = {"a", "b", "c"};
  const std::string text = settingsText("/p", s);
  EXPECT_NE(text.find("TreeDisp:\tgraphTree.jpg\r\nTarget:\ty\r\nSelvars:\ta,b,c\r\n"), std::string::npos);
}

TEST(ProjectFiles, NoResultsWriteOnlyTheSettingsAndTexts) {
  test::TempDir dir("orlix-project");
  ProjectContent c;
  saveProject(dir.path(), c);
  EXPECT_TRUE(fs::exists(dir.file("TreeParms.cfg")));
  EXPECT_EQ(readFile(dir.file("summary.txt")), "");
  EXPECT_FALSE(fs::exists(dir.file("descrip.xml")));
  EXPECT_FALSE(fs::exists(dir.file("rules.csv")));
  // Nothing checked and no target: nine lines.
  const std::string settings = readFile(dir.file("TreeParms.cfg"));
  EXPECT_EQ(std::count(settings.begin(), settings.end(), '\n'), 9);
}

TEST(ProjectFiles, SavingTwiceGivesTheSameFilesAndReplacesTheXml) {
  test::TempDir dir("orlix-project");
  const ProjectContent c = sampleContent();
  c.treeList->MoveLast();  // a save starts from the first record wherever the cursor is
  saveProject(dir.path(), c);
  const std::string first = readFile(dir.file("rules.csv")), firstXml = readFile(dir.file("treelist.xml"));
  saveProject(dir.path(), c);
  EXPECT_EQ(readFile(dir.file("rules.csv")), first);
  EXPECT_EQ(readFile(dir.file("treelist.xml")), firstXml);
}

TEST(ProjectFiles, ARelativeFolderIsStoredAsAbsolute) {
  test::TempDir dir("orlix-project");
  const fs::path before = fs::current_path();
  fs::current_path(dir.path());
  saveProject("sub", ProjectContent{});
  fs::current_path(before);
  const std::string settings = readFile(dir.file("sub/TreeParms.cfg"));
  EXPECT_EQ(settings.rfind("PrjDir:\t" + (fs::path(dir.path()) / "sub").string() + "\r\n", 0), 0u) << settings;
}

TEST(ProjectFiles, DamagedOrMissingSettingsAreNamed) {
  test::TempDir dir("orlix-project");
  const std::string path = dir.write("TreeParms.cfg", "PrjDir:\t/p\r\n\r\nSrc:\t[T]\r\n");
  try {
    readProject(path);
    ADD_FAILURE() << "a line without a tab was accepted";
  } catch (const ProjectError& e) {
    EXPECT_NE(std::string(e.what()).find(path), std::string::npos);
    EXPECT_NE(std::string(e.what()).find("line 2"), std::string::npos);
  }
  EXPECT_THROW(readProject(dir.file("absent/TreeParms.cfg")), ProjectError);

  fs::create_directory(dir.file("bad2"));
  const std::string badXml = dir.write("bad2/TreeParms.cfg", "PrjDir:\t/p\r\n");
  dir.write("bad2/treelist.xml", "<xml>not a record set");
  try {
    readProject(badXml);
    ADD_FAILURE() << "a damaged treelist.xml was accepted";
  } catch (const ProjectError& e) {
    EXPECT_NE(std::string(e.what()).find("treelist.xml"), std::string::npos);
  }
}

TEST(ProjectFiles, ValuesLoseTheirLineBreaksAndStayInFileOrder) {
  test::TempDir dir("orlix-project");
  const std::string path = dir.write("TreeParms.cfg", "Target:\ty\r\nSelvars:\ta,b\rc\r\nOther:\tz\textra\r\n");
  const std::vector<SettingLine> lines = readSettingsLines(path);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].key, "Target:");
  EXPECT_EQ(lines[1].value, "a,bc");
  EXPECT_EQ(lines[2].value, "z");
}

// Every file of a project folder is the same bytes whatever the process locale.
TEST(ProjectFiles, EveryFileIsTheSameInAnyLocale) {
  test::TempDir dir("orlix-project");
  auto saved = [&dir] {
    ProjectContent c = sampleContent();
    c.treeList->AddNew();
    c.treeList->Fields().Item("ID").SetValue(com::Variant(int32_t{1234567}));
    c.treeList->Fields().Item("Rule").SetValue(com::Variant(std::string("x >  1234.500000")));
    c.treeList->Fields().Item("Mean").SetValue(com::Variant(1234567.125));
    c.treeList->Update();
    saveProject(dir.path(), c);
    std::string files;
    for (const char* name : {"TreeParms.cfg", "summary.txt", "code.txt", "treelist.xml", "descrip.xml", "rules.csv",
                             "descriptives.csv"})
      files += std::string(name) + ":\n" + readFile(dir.file(name));
    return files;
  };
  auto [inC, inOther] = test::InBothLocales(saved);
  EXPECT_NE(inC.find("\t1234567\tx >  1234.500000\t1234567.125\r\n"), std::string::npos) << inC;
  EXPECT_EQ(inOther, inC);
}

// Output names are plain names inside the project folder: a project from
// elsewhere cannot make a later save write beside or above it.
TEST(ProjectFiles, OutputNamesWithAPathOrDotDotAreRefusedWhenReadAndWhenSaved) {
  EXPECT_EQ(outputNameProblem("scoring.txt"), "");
  EXPECT_EQ(outputNameProblem("a.jpg.bak"), "");
  EXPECT_EQ(outputNameProblem("a/b.txt"), "holds a path separator");
  EXPECT_EQ(outputNameProblem("a\\b.txt"), "holds a path separator");
  EXPECT_EQ(outputNameProblem("../x.txt"), "holds a path separator");
  EXPECT_EQ(outputNameProblem("..x.txt"), "holds \"..\"");
  EXPECT_EQ(outputNameProblem("  "), "is empty");

  test::TempDir dir("orlix-project");
  for (const std::string line : {"Code:\t../outside.txt", "Rules:\ta/b.txt", "TreeDisp:\t..", "Desc:\t/etc/x.csv"}) {
    const std::string path = dir.write("TreeParms.cfg", "PrjDir:\t/p\r\n" + line + "\r\n");
    try {
      readProject(path);
      ADD_FAILURE() << line << " was accepted";
    } catch (const ProjectError& e) {
      const std::string what = e.what();
      EXPECT_NE(what.find(path), std::string::npos) << what;
      EXPECT_NE(what.find(line.substr(0, line.find('\t'))), std::string::npos) << what;  // the key
      EXPECT_NE(what.find("plain file names"), std::string::npos) << what;
    }
  }

  ProjectContent c = sampleContent();
  c.settings.names.rules = "../escaped.txt";
  fs::create_directory(dir.file("inner"));
  EXPECT_THROW(saveProject(dir.file("inner"), c), ProjectError);
  EXPECT_FALSE(fs::exists(dir.file("escaped.txt")));
  EXPECT_FALSE(fs::exists(dir.file("inner/TreeParms.cfg")));  // refused before the first file
}

TEST(ProjectFiles, AWriterNeedsAnExistingFolderAndSaysSoWithTheSaveError) {
  test::TempDir dir("orlix-project");
  for (const std::string folder : {std::string(" "), dir.file("missing")}) {
    try {
      ProjectWriter writer(folder);
      ADD_FAILURE() << "\"" << folder << "\" was taken";
    } catch (const ProjectError& e) {
      EXPECT_EQ(e.source, "Saving To Disk");
      EXPECT_EQ(e.code, com::hr(0x800403E8));
      EXPECT_STREQ(e.what(), "Project Directory missing or invalid. Check Project Options.");
    }
  }
  const ProjectWriter writer(dir.path());
  EXPECT_EQ(writer.path("a.txt"), dir.file("a.txt"));
  EXPECT_THROW(writer.path("../a.txt"), ProjectError);
  dir.write("descrip.xml", "stale, and not a record set");
  writer.writeRecordset(*smallTreeList(), "descrip.xml", "d.csv");
  EXPECT_NE(readFile(dir.file("descrip.xml")).find("ALL CASES"), std::string::npos);
}

}  // namespace

}  // namespace orlix::project
