// Writes a generated benchmark table as CSV.
// Usage: orlix-gentable ROWS OUT.csv [--class]
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "bench/common/table_generator.h"

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: orlix-gentable ROWS OUT.csv [--class]\n");
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
  std::ofstream out(argv[2], std::ios::binary);
  orlix::bench::writeCsv(table, out);
  out.close();
  if (!out) {
    std::fprintf(stderr, "orlix-gentable: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
