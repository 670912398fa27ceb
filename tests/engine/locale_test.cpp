// The engine's files (node file, split trace, segment summary report, scoring
// code) and its reading of number texts are the same bytes whatever the
// process locale: here a locale with a decimal comma and grouped thousands.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <time.h>

#include "engine/category_engine.h"
#include "engine/delimited_reader.h"
#include "engine/number_text.h"
#include "engine/scoring_code.h"
#include "engine/segment_report.h"
#include "engine_test_support.h"
#include "tests/support/scoped_locale.h"

namespace orlix::engine::testing {
namespace {

using test::InBothLocales;

std::tm pinnedTime() {
  std::tm t{};
  strptime("2026-12-08 01:32:47", "%Y-%m-%d %H:%M:%S", &t);
  return t;
}

// Without this the comparisons below would prove nothing.
TEST(Locale, TheOtherLocaleReallyWritesNumbersDifferently) {
  test::ScopedLocale decimalComma;
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", 1234.5);
  EXPECT_STREQ(text, "1234,50");
  std::ostringstream stream;
  stream << 1234567 << ' ' << 2.5;
  EXPECT_EQ(stream.str(), "1.234.567 2,5");
}

struct EngineFiles {
  std::string nodeFile, trace, report, code;
  bool operator==(const EngineFiles&) const = default;
};

// Grows a regression tree with decimal values, a trace and 1,000+ rows, then
// generates both texts from its node file.
EngineFiles RegressionFiles() {
  const int rows = 1200;
  RowTable table;
  FillTable(table, {Column(rows, [](int r) { return TestCell(r * 0.37 + 0.125); }),
                    Column(rows, [](int r) { return TestCell(std::string(r % 3 ? "north" : "south")); }),
                    Column(rows, [](int r) { return TestCell(float(r % 7) / 4); }),
                    Column(rows, [](int r) { return TestCell(1000.5 + (r < 600 ? r * 0.01 : r * 2.5) + r % 3); })});
  RegressionEngine engine(table);
  const std::string trace = TestFileName(".trace.log");
  std::filesystem::remove(trace);
  engine.SetSplitTrace(true, trace);
  const std::string nodes = TestFileName(".nodes.dat");
  RunResult run = RunEngine(engine, table,
                            {Variable("SIZE"), Variable("SIDE", kCharacterKind), Variable("RATE"), Variable("SPEND")},
                            50, nodes);
  EXPECT_EQ(run.status, 0) << run.advisories;
  EngineFiles files{run.nodeFile, readFile(trace)};
  SegmentReportInput report{MapKind::Regression, nodes, "[spend.csv]", "SPEND", 4, 50, 0};
  files.report = makeSegmentReport(report, pinnedTime).text;
  ScoringCodeInput code{MapKind::Regression, nodes, {{"SIZE", false, {}}, {"SIDE", false, {}}, {"RATE", false, {}},
                                                     {"SPEND", false, {}}}};
  files.code = makeScoringCode(code, pinnedTime).text;
  return files;
}

TEST(Locale, RegressionNodeFileTraceReportAndCodeAreTheSameBytes) {
  auto [inC, inOther] = InBothLocales(RegressionFiles);
  EXPECT_NE(inC.nodeFile.find('.'), std::string::npos);  // decimals were written
  EXPECT_NE(inC.trace.find("Tree nodes: "), std::string::npos);
  EXPECT_EQ(inOther.nodeFile, inC.nodeFile);
  EXPECT_EQ(inOther.trace, inC.trace);
  EXPECT_EQ(inOther.report, inC.report);
  EXPECT_EQ(inOther.code, inC.code);
}

TEST(Locale, CategoryNodeFileAndReportAreTheSameBytes) {
  auto grow = [] {
    const int rows = 300;
    RowTable table;
    FillTable(table, {Column(rows, [](int r) { return TestCell(r * 1.25); }),
                      Column(rows, [](int r) { return TestCell(std::string(r < 140 ? "no" : r < 220 ? "maybe" : "yes")); })});
    CategoryEngine engine(table);
    const std::string nodes = TestFileName(".nodes.dat");
    RunResult run = RunEngine(engine, table, {Variable("AGE"), Variable("BUY", kCharacterKind)}, 20, nodes);
    EXPECT_EQ(run.status, 0) << run.advisories;
    SegmentReportInput report{MapKind::Category, nodes, "[buy.csv]", "BUY", 2, 20, 3};
    return run.nodeFile + makeSegmentReport(report, pinnedTime).text;
  };
  auto [inC, inOther] = InBothLocales(grow);
  EXPECT_EQ(inOther, inC);
}

TEST(Locale, NumberTextsAreReadAndWrittenInTheCLocale) {
  auto numbers = [] {
    double whole = 0;
    EXPECT_TRUE(ParseWholeNumber(" 1234.5 ", whole));
    return FormatFixed6(3.5) + "|" + FormatGeneral(0.000125) + "|" + FormatStandard(1234567.25) + "|" +
           FormatFixed6(ParseNumberPrefix("3.25abc")) + "|" + FormatStandard(whole);
  };
  auto [inC, inOther] = InBothLocales(numbers);
  EXPECT_EQ(inC, "3.500000|0.000125|1234567.25|3.250000|1234.5");
  EXPECT_EQ(inOther, inC);
}

}  // namespace
}  // namespace orlix::engine::testing
