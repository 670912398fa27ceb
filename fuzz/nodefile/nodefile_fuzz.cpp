// Any bytes as a node file: the reader keeps its limits, and both generators
// of both map kinds finish with a whole text.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "engine/delimited_reader.h"
#include "engine/scoring_code.h"
#include "engine/segment_report.h"
#include "tests/support/temp_dir.h"

using namespace orlix::engine;

namespace {

void require(bool condition) {
  if (!condition) std::abort();
}

std::tm fixedTime() {
  std::tm t{};
  t.tm_year = 126;
  t.tm_mday = 1;
  return t;
}

void readEveryLine(const std::string& path) {
  DelimitedReader reader;
  require(reader.open(path));
  reader.readHeader();
  reader.countLines();
  std::string line;
  std::size_t lines = 0;
  while (reader.readLine(line)) {
    ++lines;
    require(line.size() <= DelimitedReader::kMaxLineLength);
    auto fields = reader.split(line);
    require(fields.size() <= DelimitedReader::kMaxFields);
    for (const std::string& field : fields) require(field.size() <= DelimitedReader::kMaxFieldLength);
  }
  require(lines == reader.recordCount() + (reader.unterminatedLastLine() ? 1 : 0));
}

void generateBoth(const std::string& path, MapKind kind, int classCount) {
  SegmentReportInput report{kind, path, "Table", "Target", 3, 25, classCount};
  GeneratedText rules = makeSegmentReport(report, fixedTime);
  require(rules.text.rfind(kind == MapKind::Regression ? "Regression Map\n" : "Category Map\n", 0) == 0);

  ScoringCodeInput input{kind, path, {{"A", true, {}}, {"B", false, {}}, {"T", true, {}}}};
  input.variables[0].cuts = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
  GeneratedText code = makeScoringCode(input, fixedTime);
  const std::string catchAll = " 1 \nTHEN SEGMENT = -999;\n";
  require(code.status == 1 ||
          code.text.compare(code.text.size() - catchAll.size(), catchAll.size(), catchAll) == 0);
  require(rules.status == code.status);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const orlix::test::TempDir folder("orlix-fuzz-nodefile");
  static const std::string path = folder.file("nodes.dat");
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  readEveryLine(path);
  generateBoth(path, MapKind::Regression, 0);
  generateBoth(path, MapKind::Category, size > 0 ? data[0] % 12 : 2);
  std::filesystem::remove(path);
  return 0;
}
