// A whole analysis through the component gives the same bytes whatever the
// process locale: node file, split trace, report, scoring code and both
// result record sets (as the rows show and as ADO XML).
#include <gtest/gtest.h>

#include <regex>

#include "platform/ado/adoxml/adoxml.h"
#include "server/regression_map.h"
#include "server_test_support.h"
#include "tests/support/scoped_locale.h"
#include "tests/support/test_files.h"

namespace orlix::server {
namespace {

using testing::csvSource;
using testing::recordset;
using testing::rowText;

std::string withoutStamp(const std::string& text) {
  static const std::regex stamp("[A-Z][a-z]{2} [A-Z][a-z]{2} [ 0-9][0-9] [0-9]{2}:[0-9]{2}:[0-9]{2} [0-9]{4}");
  return std::regex_replace(text, stamp, "<stamp>");
}

// 400 rows of decimals, thousands and text, the target in the thousands.
std::string table() {
  std::string text = "size,side,rate,spend\n";
  for (int r = 0; r < 400; ++r)
    text += std::to_string(r) + "." + std::to_string(r % 10) + "," + (r % 3 ? "north" : "south") + "," +
            std::to_string(r % 7) + ".25," + std::to_string(1000 + (r < 200 ? r : 3 * r) + r % 3) + ".5\n";
  return text;
}

std::string analysis(const testing::TempDir& dir) {
  const auto source = csvSource(dir, "spend.csv", table());
  RegressionMap map;
  const std::string trace = dir.file("trace.log");
  std::filesystem::remove(trace);
  map.SetSplitTrace(true, trace);
  EXPECT_EQ(map.ConnectOLEDB(source.connection, source.table), com::S_OK);
  EXPECT_EQ(map.SetAsTarget("spend"), com::S_OK);
  EXPECT_EQ(map.SetMinimumN(30), com::S_OK);
  EXPECT_EQ(map.Run(), com::S_OK);
  std::string report, code;
  map.MAPRules(&report);
  map.MAPCode(&code);
  std::string all = test::readFile(map.NodeFileName()) + test::readFile(trace) + withoutStamp(report) +
                    withoutStamp(code);
  for (int which = 0; which < 2; ++which) {
    com::Variant v;
    EXPECT_EQ(which == 0 ? map.rs_TreeList(&v) : map.rs_Descriptives(&v), com::S_OK);
    auto rs = recordset(v);
    all += ado::adoXmlText(*rs->table());
    for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext()) all += rowText(*rs) + "\n";
  }
  return all;
}

TEST(Locale, AnAnalysisWritesTheSameBytesInAnyLocale) {
  testing::TempDir dir;
  auto [inC, inOther] = test::InBothLocales([&dir] { return analysis(dir); });
  EXPECT_NE(inC.find("Tree nodes: 1\n"), std::string::npos);  // a trace was written
  EXPECT_NE(inC.find("|Numeric|0.000000|399.899994|"), std::string::npos) << inC;  // the descriptives' min and max
  EXPECT_EQ(inOther, inC);
}

}  // namespace
}  // namespace orlix::server
