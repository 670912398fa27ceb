// Writes a generated benchmark table as CSV or, for a name ending in .xlsx,
// as an Excel workbook of one sheet "Data".
// Usage: orlix-gentable ROWS OUT.csv|OUT.xlsx [--class]
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <fstream>
#include <string>

#include "bench/common/table_generator.h"
#include "bench/common/xlsx_table_writer.h"

namespace {

bool endsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: orlix-gentable ROWS OUT.csv|OUT.xlsx [--class]\n");
    return 2;
  }
  char* end = nullptr;
  unsigned long long rows = std::strtoull(argv[1], &end, 10);
  if (*end != '\0' || rows == 0) {
    std::fprintf(stderr, "orlix-gentable: ROWS must be a positive integer, not '%s'\n", argv[1]);
    return 2;
  }
  bool classTarget = argc > 3 && std::string(argv[3]) == "--class";
  auto kind = classTarget ? orlix::bench::TargetKind::FourClass : orlix::bench::TargetKind::Numeric;
  auto table = orlix::bench::generateTable(rows, kind);
  const std::string path = argv[2];
  if (endsWith(path, ".xlsx")) {
    try {
      orlix::bench::writeXlsx(table, path);
    } catch (const std::exception& e) {
      std::fprintf(stderr, "orlix-gentable: %s\n", e.what());
      return 1;
    }
    return 0;
  }
  std::ofstream out(path, std::ios::binary);
  orlix::bench::writeCsv(table, out);
  out.close();
  if (!out) {
    std::fprintf(stderr, "orlix-gentable: cannot write %s\n", path.c_str());
    return 1;
  }
  return 0;
}
