// The results of `orlix-cli run` on every bundled sample and on generated
// tables, held against transcripts in golden/: the report, the failure
// lines, the node file and every file of the project folder, byte for byte.
// The transcripts were written before the source was read once per analysis;
// they guard that reading faster changed no result.
// ORLIX_WRITE_GOLDEN=1 rewrites them (only ever on purpose).
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "bench/common/table_generator.h"
#include "bench/common/xlsx_table_writer.h"
#include "cli/run_command.h"
#include "tests/cli/run_in_process.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_files.h"

namespace orlix::cli {
namespace {

namespace fs = std::filesystem;

std::string samplesDir() { return test::repositoryFile("samples"); }
fs::path goldenDir() { return fs::path(test::repositoryFile("tests/cli")) / "golden"; }

std::string readFile(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

void replaceAll(std::string& text, const std::string& from, const std::string& to) {
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
}

struct Case {
  std::string name;  // of the transcript
  std::string data;  // the file, under the samples or the work folder
  std::vector<std::string> options;
};

std::ostream& operator<<(std::ostream& out, const Case& c) { return out << c.name; }

// The generated tables and databases the cases read, each made when a case
// first asks for it (CTest runs every case in a process of its own).
class WorkFolder {
 public:
  static WorkFolder& get() {
    static WorkFolder folder;
    return folder;
  }
  const std::string& path() const { return dir_.path(); }

  // The path of the generated file `name`, written on first use.
  std::string file(const std::string& name) {
    using bench::TargetKind;
    const std::string path = dir_.file(name);
    if (fs::exists(path)) return path;
    if (name == "numeric.csv" || name == "classes.csv") {
      std::ofstream out(path, std::ios::binary);
      bench::writeCsv(bench::generateTable(20000, name == "numeric.csv" ? TargetKind::Numeric : TargetKind::FourClass),
                      out);
    } else if (name == "numeric.xlsx" || name == "classes.xlsx") {
      bench::writeXlsx(bench::generateTable(3000, name == "numeric.xlsx" ? TargetKind::Numeric : TargetKind::FourClass),
                       path);
    } else if (name == "generated.sqlite") {
      writeSqlite(path, bench::generateTable(20000, TargetKind::Numeric),
                  bench::generateTable(20000, TargetKind::FourClass));
    }
    return path;
  }

 private:
  WorkFolder() : dir_("orlix-identical") {}

  // Both tables with declared column types, and the numeric one again with
  // none, so that its fields are typed by their values.
  static void writeSqlite(const std::string& path, const bench::GeneratedTable& numeric,
                          const bench::GeneratedTable& classes) {
    sqlite3* db = nullptr;
    sqlite3_open(path.c_str(), &db);
    exec(db, "begin");
    fill(db, numeric, "numeric", true);
    fill(db, classes, "classes", true);
    fill(db, numeric, "untyped", false);
    exec(db, "commit");
    sqlite3_close(db);
  }

  static void exec(sqlite3* db, const std::string& sql) {
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK)
      throw std::runtime_error(sqlite3_errmsg(db));
  }

  static void fill(sqlite3* db, const bench::GeneratedTable& table, const std::string& name, bool declared) {
    std::string create = "create table " + name + "(", insert = "insert into " + name + " values(";
    for (size_t c = 0; c < bench::GeneratedTable::kColumns; ++c) {
      const bool integer = c >= 16 && c < 20;
      create += (c ? ", " : "") + table.names[c] +
                (!declared ? "" : table.isNumericColumn(c) ? (integer ? " integer" : " real") : " text");
      insert += c ? ", ?" : "?";
    }
    exec(db, create + ")");
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db, (insert + ")").c_str(), -1, &stmt, nullptr);
    for (size_t r = 0; r < table.rows(); ++r) {
      for (size_t c = 0; c < bench::GeneratedTable::kColumns; ++c) {
        const int at = static_cast<int>(c + 1);
        if (c < bench::GeneratedTable::kNumeric)
          sqlite3_bind_double(stmt, at, table.numeric[c][r]);
        else if (c == bench::GeneratedTable::kColumns - 1 && table.kind == bench::TargetKind::Numeric)
          sqlite3_bind_double(stmt, at, table.target[r]);
        else
          sqlite3_bind_text(stmt, at, table.cellText(r, c).c_str(), -1, SQLITE_TRANSIENT);
      }
      sqlite3_step(stmt);
      sqlite3_reset(stmt);
    }
    sqlite3_finalize(stmt);
  }

  test::TempDir dir_;
};

std::vector<Case> cases() {
  const std::vector<std::string> few = {"--min-n", "5"};
  std::vector<Case> all = {
      {"penguins_mass", "penguins.csv", {"--target", "body_mass_g"}},
      {"penguins_species", "penguins.csv", {"--target", "species"}},
      {"penguins_options", "penguins.csv",
       {"--target", "body_mass_g", "--character", "year", "--decile", "flipper_length_mm", "--exclude", "island",
        "--min-n", "10"}},
      {"penguins_species_deciles", "penguins.csv",
       {"--target", "species", "--decile", "bill_length_mm", "--decile", "body_mass_g", "--min-n", "5"}},
      {"penguins_island_named", "penguins.csv", {"--target", "island", "--character", "island", "--min-n", "8"}},
      {"penguins_year_as_character", "penguins.csv", {"--target", "year", "--character", "year", "--min-n", "8"}},
      {"penguins_unknown_target", "penguins.csv", {"--target", "wingspan"}},
      {"penguins_lone_root", "penguins.csv", {"--target", "body_mass_g", "--min-n", "300"}},
      {"access_agents", "access/compIndexTestV2000.mdb", {"--table", "Table1", "--target", "CD_AGENTE", "--min-n", "10"}},
      {"access_agents_names", "access/compIndexTestV2000.mdb",
       {"--table", "Table1", "--target", "DC_AGENTE", "--min-n", "10"}},
      {"access_nulls", "access/testIndexPropertiesV2000.mdb",
       {"--table", "TableIgnoreNulls2", "--target", "data2", "--min-n", "2"}},
      {"access_types", "access/testV1997.mdb", {"--table", "Table1", "--target", "E", "--min-n", "1"}},
      {"access_empty", "access/testV1997.mdb", {"--table", "Table3", "--target", "a"}},
      {"access_weird_names", "access/weirdObjectNames.mdb",
       {"--table", "19 MB 01 BEZAHLT ???", "--target", "ID", "--min-n", "1"}},
      {"dbase_blockgroups", "dbase/blockgroups.dbf", {"--target", "POP1990"}},
      {"dbase_blockgroups_area", "dbase/blockgroups.dbf", {"--target", "AREA", "--decile", "POP1990", "--min-n", "40"}},
      {"dbase_survey", "dbase/dbase_03.dbf", {"--target", "Max_PDOP", "--min-n", "2"}},
      {"dbase_memo", "dbase/dbase_8b.dbf", {"--target", "NUMERICAL", "--min-n", "2"}},
      {"dbase_memo_text", "dbase/dbase_8b.dbf", {"--target", "CHARACTER", "--min-n", "2"}},
      {"dbase_not_cp1252", "dbase/cbrf_122019N1.dbf", {"--target", "NAME_B"}},
      {"excel_deaths", "excel/deaths.xls", {"--table", "arts$", "--target", "Age", "--min-n", "2"}},
      {"excel_deaths_profession", "excel/deaths.xls", {"--table", "other$", "--target", "Profession", "--min-n", "2"}},
      {"excel_missing", "excel/missing-values-xls.xls", {"--table", "Sheet1$", "--target", "z", "--min-n", "1"}},
      {"excel_profiles", "excel/profiles.xls", {"--table", "PROFILEDEF$", "--target", "a", "--min-n", "2"}},
      {"excel_types", "excel/types.xls", {"--table", "guess_me$", "--target", "numeric", "--min-n", "1"}},
      {"html_banks", "html/banklist.html", {"--target", "CERT", "--min-n", "2"}},
      {"html_banks_state", "html/banklist.html", {"--target", "ST", "--min-n", "2"}},
      {"html_markup", "html/valid_markup.html", {"--target", "a", "--min-n", "1"}},
      {"generated_numeric_csv", "<WORK>/numeric.csv", {"--target", "Y", "--min-n", "100"}},
      {"generated_classes_csv", "<WORK>/classes.csv", {"--target", "CLASS", "--min-n", "100"}},
      {"generated_numeric_options", "<WORK>/numeric.csv",
       {"--target", "Y", "--decile", "X01", "--character", "X17", "--exclude", "C5", "--min-n", "50"}},
      {"generated_numeric_xlsx", "<WORK>/numeric.xlsx", {"--table", "Data$", "--target", "Y", "--min-n", "30"}},
      {"generated_classes_xlsx", "<WORK>/classes.xlsx", {"--table", "Data$", "--target", "CLASS", "--min-n", "30"}},
      {"generated_numeric_sqlite", "<WORK>/generated.sqlite", {"--table", "numeric", "--target", "Y", "--min-n", "100"}},
      {"generated_classes_sqlite", "<WORK>/generated.sqlite",
       {"--table", "classes", "--target", "CLASS", "--min-n", "100"}},
      {"generated_untyped_sqlite", "<WORK>/generated.sqlite",
       {"--table", "untyped", "--target", "Y", "--min-n", "100"}},
  };
  for (const char* format : {"csv", "txt", "dbf", "htm", "xls"}) {
    const std::string f = format;
    const std::string table = f == "xls" ? "toothgr$" : "";
    auto with = [&](std::vector<std::string> options) {
      if (!table.empty()) options.insert(options.begin(), {"--table", table});
      options.insert(options.end(), few.begin(), few.end());
      return options;
    };
    all.push_back({"toothgrowth_" + f + "_len", "formats/toothgrowth/toothgr." + f, with({"--target", "len"})});
    all.push_back({"toothgrowth_" + f + "_supp", "formats/toothgrowth/toothgr." + f, with({"--target", "supp"})});
    std::vector<std::string> warp = {"--target", "breaks"};
    if (f == "xls") warp = {"--table", "warpbrk$", "--target", "breaks"};
    warp.insert(warp.end(), few.begin(), few.end());
    all.push_back({"warpbreaks_" + f + "_breaks", "formats/warpbreaks/warpbrk." + f, warp});
    warp[warp.size() - 3] = "tension";
    all.push_back({"warpbreaks_" + f + "_tension", "formats/warpbreaks/warpbrk." + f, warp});
  }
  return all;
}

class IdenticalResultsTest : public ::testing::TestWithParam<Case> {};

// The files of the analysis; the map's (flowdiag.afl, its picture) are
// drawn by the map window's code and tested with it.
bool isResultFile(const fs::path& file) {
  for (const char* name : {"TreeParms.cfg", "summary.txt", "scoring.txt", "descrip.xml", "treelist.xml",
                           "descriptives.csv", "rules.csv"})
    if (file.filename() == name) return true;
  return false;
}

// Everything one run leaves, with the folders that differ from machine to
// machine, and the time, replaced by placeholders.
std::string transcript(const Case& c) {
  WorkFolder& folder = WorkFolder::get();
  const std::string work = folder.path();
  test::TempDir dir("orlix-identical-run");
  const fs::path project = fs::path(dir.path()) / "project";
  const fs::path nodes = fs::path(dir.path()) / "nodes.txt";
  std::string data = c.data;
  if (data.rfind("<WORK>/", 0) == 0) data = folder.file(data.substr(7));
  else data = samplesDir() + "/" + data;

  std::vector<std::string> args = {"--data", data};
  args.insert(args.end(), c.options.begin(), c.options.end());
  args.insert(args.end(), {"--project", project.string(), "--node-file", nodes.string()});
  std::ostringstream out, err;
  const int status = testing::runInProcess(args, out, err);

  std::string text = "status: " + std::to_string(status) + "\n== standard output ==\n" + out.str() +
                     "\n== standard error ==\n" + err.str() + "\n";
  if (fs::exists(nodes)) text += "== node file ==\n" + readFile(nodes) + "\n";
  std::vector<fs::path> files;
  if (fs::exists(project))
    for (const auto& entry : fs::directory_iterator(project))
    if (isResultFile(entry.path())) files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  for (const fs::path& file : files) text += "== project " + file.filename().string() + " ==\n" + readFile(file) + "\n";
  replaceAll(text, project.string(), "<PROJECT>");
  replaceAll(text, dir.path(), "<RUN>");
  replaceAll(text, work, "<WORK>");
  replaceAll(text, samplesDir(), "<SAMPLES>");
  // The reports carry the time they were made.
  text = std::regex_replace(text, std::regex("[A-Z][a-z]{2} [A-Z][a-z]{2} [ 0-9][0-9] [0-9:]{8} [0-9]{4}"), "<TIME>");
  return std::regex_replace(text, std::regex("Copyright \\(c\\) [0-9]{4}"), "Copyright (c) <YEAR>");
}

TEST_P(IdenticalResultsTest, SameAsBeforeByteForByte) {
  const Case& c = GetParam();
  const std::string now = transcript(c);
  const fs::path golden = goldenDir() / (c.name + ".txt");
  if (std::getenv("ORLIX_WRITE_GOLDEN")) {
    fs::create_directories(goldenDir());
    std::ofstream(golden, std::ios::binary) << now;
    return;
  }
  ASSERT_TRUE(fs::exists(golden)) << golden;
  const std::string before = readFile(golden);
  if (now == before) return;
  size_t at = 0;
  while (at < now.size() && at < before.size() && now[at] == before[at]) ++at;
  const size_t from = at < 200 ? 0 : at - 200;
  FAIL() << c.name << " differs from " << golden << " at byte " << at << "\n--- before:\n"
         << before.substr(from, 400) << "\n--- now:\n"
         << now.substr(from, 400);
}

INSTANTIATE_TEST_SUITE_P(Samples, IdenticalResultsTest, ::testing::ValuesIn(cases()),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace orlix::cli
