// orlix-demo FILE.csv TARGET: loads a small CSV file (first line: field names;
// texts may be in double quotes) into the analysis table, grows a regression
// map on TARGET with a minimum count of 5 and prints the node file.
// A column is numeric when every cell is a number, character otherwise.
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "engine/cart_error.h"
#include "engine/number_text.h"
#include "engine/regression_engine.h"
#include "engine/row_table.h"

namespace {

using Record = std::vector<std::string>;

// Splits one CSV line; "..." protects commas, "" inside quotes is one quote.
Record SplitCsvLine(const std::string& line) {
  Record fields(1);
  bool quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (quoted) {
      if (c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
        fields.back() += '"';
        ++i;
      } else if (c == '"') {
        quoted = false;
      } else {
        fields.back() += c;
      }
    } else if (c == '"') {
      quoted = true;
    } else if (c == ',') {
      fields.emplace_back();
    } else if (c != '\r') {
      fields.back() += c;
    }
  }
  return fields;
}

std::vector<Record> ReadCsv(const std::string& path) {
  std::ifstream in(path);
  if (!in) throw std::runtime_error("Cannot open " + path);
  std::vector<Record> records;
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line == "\r") continue;
    records.push_back(SplitCsvLine(line));
    if (records.back().size() != records.front().size()) {
      throw std::runtime_error(path + ", line " + std::to_string(records.size()) + ": " +
                               std::to_string(records.back().size()) + " fields, the header has " +
                               std::to_string(records.front().size()));
    }
  }
  if (records.size() < 2) throw std::runtime_error(path + ": no data rows");
  return records;
}

bool IsNumericColumn(const std::vector<Record>& records, std::size_t c) {
  double value = 0;
  for (std::size_t r = 1; r < records.size(); ++r) {
    if (!orlix::ParseWholeNumber(records[r][c], value)) return false;
  }
  return true;
}

int Run(const std::string& path, const std::string& targetName) {
  const std::vector<Record> records = ReadCsv(path);
  const Record& names = records.front();
  std::size_t target = names.size();
  for (std::size_t c = 0; c < names.size(); ++c) {
    if (names[c] == targetName) target = c;
  }
  if (target == names.size()) throw std::runtime_error(path + ": no field named " + targetName);
  if (names.size() > static_cast<std::size_t>(orlix::kMaxColumns)) throw std::runtime_error(path + ": too many fields");

  // Engine column order: every other field in file order, the target last.
  std::vector<std::size_t> order;
  for (std::size_t c = 0; c < names.size(); ++c) {
    if (c != target) order.push_back(c);
  }
  order.push_back(target);

  orlix::RegressionEngine engine;
  std::vector<bool> numeric;
  for (std::size_t i = 0; i < order.size(); ++i) {
    orlix::ColumnDescriptor& d = engine.columns()[i];
    d.name = names[order[i]];
    numeric.push_back(IsNumericColumn(records, order[i]));
    d.kind = numeric.back() ? orlix::kNumericKind : orlix::kCharacterKind;
  }
  if (!numeric.back()) throw std::runtime_error(path + ": the target " + targetName + " is not numeric");

  orlix::RowTable& table = orlix::GlobalRowTable();
  table.Reset(static_cast<int>(order.size()));
  for (std::size_t r = 1; r < records.size(); ++r) {
    for (std::size_t i = 0; i < order.size(); ++i) {
      const std::string& cell = records[r][order[i]];
      double value = 0;
      if (numeric[i] && orlix::ParseWholeNumber(cell, value)) {
        table.AppendDouble(value);
      } else {
        table.AppendString(cell);
      }
    }
    table.EndRow();
  }

  char nodeFile[] = "/tmp/orlix-demo-XXXXXX";
  const int fd = mkstemp(nodeFile);
  if (fd < 0) throw std::runtime_error("Cannot create a temporary node file");
  close(fd);
  engine.SetOutputFileName(nodeFile);
  const int rows = table.RowCount();
  const bool ok = engine.SetNumCols(static_cast<int>(order.size())) == 0 && engine.SetNumRows(rows) == 0 &&
                  engine.SetOption1(0) == 0 && engine.SetMinimumN(5) == 0 && engine.SetOption2(0) == 0 &&
                  engine.InitializeVars() == 0 && engine.CreateRoot() == 0 && engine.Grow(*engine.root()) == 0 &&
                  engine.PrintResult() == 0;
  if (ok) {
    std::ifstream in(nodeFile);
    std::cout << in.rdbuf();
  }
  std::filesystem::remove(nodeFile);
  return ok ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: orlix-demo FILE.csv TARGET" << std::endl;
    return 2;
  }
  try {
    return Run(argv[1], argv[2]);
  } catch (const std::exception& error) {
    std::cerr << "orlix-demo: " << error.what() << std::endl;
    return 1;
  }
}
