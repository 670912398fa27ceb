// The same table read from a PostgreSQL server through ODBC and from the
// bundled CSV file gives the same analysis: the same report, tree list and
// descriptives. The server's text columns arrive as adVarChar, whose missing
// values become "MISSING" like those of the CSV file's text columns.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "server/category_map.h"
#include "server/regression_map.h"
#include "server_test_support.h"
#include "tests/support/postgres_server.h"
#include "tests/support/test_files.h"

namespace orlix::server {
namespace {

using testing::csvSource;
using testing::recordset;
using testing::rowText;

const char* kPenguinTable =
    "CREATE TABLE penguins (species varchar(20), island varchar(20), bill_length_mm double precision, "
    "bill_depth_mm double precision, flipper_length_mm integer, body_mass_g integer, sex varchar(10), "
    "year integer);";

std::vector<std::string> splitCsv(const std::string& line) {
  std::vector<std::string> fields(1);
  for (char c : line) {
    if (c == ',')
      fields.emplace_back();
    else
      fields.back().push_back(c);
  }
  return fields;
}

// INSERT statements for every line of the bundled file; empty cells are NULL.
std::string penguinRows() {
  std::istringstream in(test::readFile(test::sampleFile("penguins.csv")));
  std::string line, sql;
  std::getline(in, line);
  while (std::getline(in, line)) {
    const auto fields = splitCsv(line);
    sql += "INSERT INTO penguins VALUES (";
    for (size_t i = 0; i < fields.size(); ++i) {
      const bool text = i == 0 || i == 1 || i == 6;
      sql += (i ? "," : "") + (fields[i].empty() ? "NULL" : text ? "'" + fields[i] + "'" : fields[i]);
    }
    sql += ");\n";
  }
  return sql;
}

// The report without its time stamp and source line, the tree list and the
// descriptives, row by row.
std::string analysis(MapComponent& map, const std::string& connection, const std::string& table,
                     const std::string& target) {
  EXPECT_EQ(map.ConnectOLEDB(connection, table), com::S_OK);
  EXPECT_EQ(map.SetAsTarget(target), com::S_OK);
  EXPECT_EQ(map.Run(), com::S_OK);
  std::string report, result;
  map.MAPRules(&report);
  std::istringstream lines(report);
  for (std::string line; std::getline(lines, line);)
    if (line.find(" 20") == std::string::npos && line.find("Source File:") == std::string::npos) result += line + "\n";
  for (int which = 0; which < 2; ++which) {
    com::Variant v;
    EXPECT_EQ(which == 0 ? map.rs_TreeList(&v) : map.rs_Descriptives(&v), com::S_OK);
    auto rs = recordset(v);
    for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext()) result += rowText(*rs) + "\n";
  }
  return result;
}

TEST(PostgresSource, GivesTheSameAnalysisAsTheCsvFile) {
  test::PostgresServer pg;
  pg.execute(kPenguinTable);
  pg.execute(penguinRows());
  testing::TempDir dir;
  const auto file = csvSource(dir, "penguins.csv", test::readFile(test::sampleFile("penguins.csv")));

  RegressionMap fromServer, fromFile;
  const std::string server = analysis(fromServer, pg.connectionString(), "penguins", "body_mass_g");
  EXPECT_EQ(server, analysis(fromFile, file.connection, file.table, "body_mass_g"));
  EXPECT_NE(server.find("MISSING"), std::string::npos);
  int32_t rows = 0;
  fromServer.Rows(&rows);
  EXPECT_EQ(rows, 342);

  CategoryMap classesFromServer, classesFromFile;
  EXPECT_EQ(analysis(classesFromServer, pg.connectionString(), "penguins", "species"),
            analysis(classesFromFile, file.connection, file.table, "species"));
}

}  // namespace
}  // namespace orlix::server
