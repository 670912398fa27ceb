#include "engine/number_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>

namespace orlix::engine {
namespace {

std::string Printf(const char* format, double value) {
  char buffer[512];
  std::snprintf(buffer, sizeof buffer, format, value);
  return buffer;
}

TEST(NumberText, FormatsMatchPrintfInTheCLocale) {
  for (double v : {0.0, -0.0, 3.5, 2.5, 0.5, 1.5, -2.5, 1e-7, 123456789.123456789, 1e300, -1e-300, 0.1, 41.5,
                   12.25, 1234567.0, 0.0001234, 1e15, 3.4}) {
    EXPECT_EQ(FormatFixed6(v), Printf("%lf", v)) << v;
    EXPECT_EQ(FormatFixed0(v), Printf("%.lf", v)) << v;
    EXPECT_EQ(FormatGeneral(v), Printf("%g", v)) << v;
  }
  EXPECT_EQ(FormatFixed6(3.5), "3.500000");
  EXPECT_EQ(FormatStandard(3.0), "3");
  EXPECT_EQ(FormatStandard(3.4), "3.4");
}


TEST(NumberText, NumberPrefixReadsLikeStrtod) {
  EXPECT_EQ(ParseNumberPrefix("12.500000"), 12.5);
  EXPECT_EQ(ParseNumberPrefix("  7x"), 7.0);
  EXPECT_EQ(ParseNumberPrefix("East"), 0.0);
  EXPECT_EQ(ParseNumberPrefix(""), 0.0);
  EXPECT_EQ(ParseNumberPrefix("0x10"), 16.0);
  EXPECT_EQ(ParseNumberPrefix(std::string("5\0" "9", 3)), 5.0);
}

TEST(NumberText, WholeNumberRejectsTextAndNonFinite) {
  double v = -1;
  EXPECT_TRUE(ParseWholeNumber(" +12.5 ", v));
  EXPECT_EQ(v, 12.5);
  for (const char* bad : {"", "  ", "12a", "abc", "nan", "inf", "1e999", "1,5"}) {
    EXPECT_FALSE(ParseWholeNumber(bad, v)) << bad;
  }
}

}  // namespace
}  // namespace orlix::engine
