// The same table written by one program as .csv, .xls, .dbf and .htm reads to
// the same values through each provider, with the connection strings the
// program builds.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>

#include "platform/ado/open_provider.h"
#include "tests/ado/files/collected_table.h"
#include "tests/support/test_files.h"

namespace orlix::ado {
namespace {

using test::sampleFile;

struct Dataset {
  std::string folder;
  std::string base;
  std::size_t rows;
};

// The CSV as LibreOffice wrote it: quoted text, plain numbers, no embedded commas.
std::vector<std::vector<std::string>> ReadCsv(const std::string& path) {
  std::istringstream in(test::readFile(path));
  std::vector<std::vector<std::string>> rows;
  for (std::string line; std::getline(in, line);) {
    std::vector<std::string> cells;
    std::stringstream split(line);
    for (std::string cell; std::getline(split, cell, ',');) {
      if (cell.size() >= 2 && cell.front() == '"') cell = cell.substr(1, cell.size() - 2);
      cells.push_back(cell);
    }
    rows.push_back(cells);
  }
  return rows;
}

std::string CellAsText(const Table& t, std::size_t row, std::size_t col) {
  com::Variant v = t.value(row, col);
  if (v.isNull()) return "";
  if (v.isNumeric()) {
    std::ostringstream out;
    out.imbue(std::locale::classic());
    out << v.toDouble();
    return out.str();
  }
  return v.toString();
}

void ExpectSameAsCsv(const std::shared_ptr<Table>& t, const std::vector<std::vector<std::string>>& csv,
                     const std::string& what) {
  ASSERT_EQ(t->fieldCount(), csv[0].size()) << what;
  ASSERT_EQ(t->rowCount(), csv.size() - 1) << what;
  for (std::size_t c = 0; c < csv[0].size(); ++c) EXPECT_TRUE(equalsIgnoreCase(t->field(c).name, csv[0][c])) << what;
  for (std::size_t r = 0; r + 1 < csv.size(); ++r)
    for (std::size_t c = 0; c < csv[0].size(); ++c)
      EXPECT_EQ(CellAsText(*t, r, c), csv[r + 1][c]) << what << " row " << r + 1 << " field " << csv[0][c];
}

class SameTableInEveryFormat : public ::testing::TestWithParam<Dataset> {};

TEST_P(SameTableInEveryFormat, ReadsToTheCsvValues) {
  const Dataset& d = GetParam();
  std::string folder = sampleFile("formats/" + d.folder);
  std::string file = folder + "/" + d.base;
  auto csv = ReadCsv(file + ".csv");
  ASSERT_EQ(csv.size(), d.rows + 1);

  auto xls = openProvider("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + file + ".xls;Extended Properties=Excel 8.0;");
  EXPECT_THAT(xls->tableNames(), ::testing::ElementsAre(d.base + "$"));
  ExpectSameAsCsv(xls->query("select * from [" + d.base + "$]"), csv, ".xls");

  auto dbf = openProvider("Provider=MSDASQL.1;Extended Properties=;DRIVER=Microsoft dBase Driver (*.dbf);DefaultDir=" +
                          folder + ";DriverId=21;FIL=dBase IV;MaxBufferSize=2048;PageTimeout=600;UID=admin;");
  ExpectSameAsCsv(dbf->query("[" + d.base + "]"), csv, ".dbf");

  auto text = openProvider("Driver={Microsoft Text Driver (*.txt; *.csv)};DBQ=" + folder + ";DefaultDir=" + folder +
                           ";Uid=Admin;Pwd=;");
  ExpectSameAsCsv(text->query("[" + d.base + ".csv]"), csv, ".csv");
  ExpectSameAsCsv(text->query("[" + d.base + ".txt]"), csv, ".txt");

  auto htm = openProvider("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + file + ".htm;Extended Properties=HTML Import;");
  ExpectSameAsCsv(htm->query("select * from [" + d.base + "]"), csv, ".htm");
}

INSTANTIATE_TEST_SUITE_P(Formats, SameTableInEveryFormat,
                         ::testing::Values(Dataset{"toothgrowth", "toothgr", 60}, Dataset{"warpbreaks", "warpbrk", 54}),
                         [](const auto& info) { return info.param.base; });

}  // namespace
}  // namespace orlix::ado
