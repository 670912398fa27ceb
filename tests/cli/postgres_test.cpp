// Tables read from a real PostgreSQL server through ODBC give the same
// analysis as the same table read from a CSV file: text and varchar targets
// take the category map (a text column arrives as a long character type),
// missing text values are "MISSING" in both, integer and double precision
// columns are numbers in both. Compared: the node file, the segment summary
// report (but for its time stamp and source line), the tree list and the
// descriptives as written to the project folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <sstream>

#include "cli/run_command.h"
#include "tests/support/postgres_server.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_files.h"

namespace orlix::cli {
namespace {

namespace fs = std::filesystem;

struct Row {
  std::string label, grade, region, shop;
  std::string visits, amount, spend;  // "" is NULL
};

// 240 rows: the targets follow the predictors closely enough to split on
// them; every fifth text and some numbers are missing.
std::vector<Row> Rows() {
  const char* regions[] = {"north", "south", "east"};
  const char* shops[] = {"corner shop", "market, central", "online"};
  std::vector<Row> rows;
  for (int r = 0; r < 240; ++r) {
    Row row;
    const int visits = r % 40;
    const double amount = (r * 37 % 101) * 1.25;
    row.label = visits < 12 ? "rare" : visits < 28 ? "regular" : "loyal";
    row.grade = amount < 40 ? "C" : amount < 90 ? "B" : "A";
    row.region = r % 5 == 0 ? "" : regions[r % 3];
    row.shop = r % 5 == 1 ? "" : shops[(r / 7) % 3];
    row.visits = r % 17 == 3 ? "" : std::to_string(visits);
    std::ostringstream a;
    a << amount;
    row.amount = r % 23 == 5 ? "" : a.str();
    row.spend = std::to_string(100 + visits * 10 + (row.region == "north" ? 50 : row.region.empty() ? 300 : 0)) + ".5";
    rows.push_back(row);
  }
  return rows;
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }
std::string Sql(const std::string& text, bool isText) {
  if (text.empty()) return "NULL";
  return isText ? "'" + text + "'" : text;
}

std::string Csv(const std::vector<Row>& rows) {
  std::string csv = "label,grade,region,shop,visits,amount,spend\n";
  for (const Row& r : rows)
    csv += Quoted(r.label) + "," + Quoted(r.grade) + "," + (r.region.empty() ? "" : Quoted(r.region)) + "," +
           (r.shop.empty() ? "" : Quoted(r.shop)) + "," + r.visits + "," + r.amount + "," + r.spend + "\n";
  return csv;
}

std::string Inserts(const std::vector<Row>& rows) {
  std::string sql =
      "CREATE TABLE shoppers (label text, grade varchar(4), region text, shop varchar(20), visits integer, "
      "amount double precision, spend double precision);\n";
  for (const Row& r : rows)
    sql += "INSERT INTO shoppers VALUES (" + Sql(r.label, true) + "," + Sql(r.grade, true) + "," +
           Sql(r.region, true) + "," + Sql(r.shop, true) + "," + Sql(r.visits, false) + "," + Sql(r.amount, false) +
           "," + Sql(r.spend, false) + ");\n";
  return sql;
}

// The files of one run that must agree, the report without its stamp and source.
std::string Analysis(std::vector<std::string> args, const fs::path& folder) {
  fs::remove_all(folder);
  args.insert(args.end(), {"--project", folder.string(), "--node-file", (folder.string() + ".nodes")});
  std::ostringstream out, err;
  int status = runAnalysis(parseRunOptions(args), out, err);
  EXPECT_EQ(status, 0) << err.str();
  if (status != 0) return "failed: " + err.str();
  static const std::regex stamp("[A-Z][a-z]{2} [A-Z][a-z]{2} [ 0-9][0-9] [0-9]{2}:[0-9]{2}:[0-9]{2} [0-9]{4}");
  static const std::regex source(" Source File: .*\n");
  std::string report = std::regex_replace(std::regex_replace(out.str(), stamp, "<stamp>"), source, "");
  return "node file:\n" + test::readFile(folder.string() + ".nodes") + "report:\n" + report + "tree list:\n" +
         test::readFile(folder / "rules.csv") + "descriptives:\n" + test::readFile(folder / "descriptives.csv");
}

class PostgresAgainstCsv : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    server_ = new test::PostgresServer;
    server_->execute(Inserts(Rows()));
  }
  static void TearDownTestSuite() {
    delete server_;
    server_ = nullptr;
  }
  void Compare(const std::string& target, const std::string& firstLine) {
    const std::string csv = dir_.write("shoppers.csv", Csv(Rows()));
    const std::string fromCsv = Analysis({"--data", csv, "--target", target}, dir_.file("csv"));
    const std::string fromServer =
        Analysis({"--connect", server_->connectionString(), "--table", "shoppers", "--target", target},
                 dir_.file("pg"));
    EXPECT_NE(fromCsv.find("report:\n" + firstLine + "\n"), std::string::npos) << fromCsv;
    EXPECT_NE(fromCsv.find("MISSING"), std::string::npos) << "the missing texts take part";
    EXPECT_EQ(fromServer, fromCsv);
  }
  static test::PostgresServer* server_;
  test::TempDir dir_{"orlix-pg-csv"};
};

test::PostgresServer* PostgresAgainstCsv::server_ = nullptr;

TEST_F(PostgresAgainstCsv, TextTargetTakesTheCategoryMap) { Compare("label", "Category Map"); }

TEST_F(PostgresAgainstCsv, VarcharTargetTakesTheCategoryMap) { Compare("grade", "Category Map"); }

TEST_F(PostgresAgainstCsv, DoublePrecisionTargetTakesTheRegressionMap) { Compare("spend", "Regression Map"); }

}  // namespace
}  // namespace orlix::cli
