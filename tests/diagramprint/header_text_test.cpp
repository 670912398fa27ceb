#include "diagramprint/header_text.h"

#include <gtest/gtest.h>

namespace orlix::diagramprint {
namespace {

TEST(HeaderTextTest, SplitsAtTheFirstTwoBarsOnly) {
  struct Case {
    const char* text;
    const char* left;
    const char* centre;
    const char* right;
  };
  const Case cases[] = {
      {"all left", "all left", "", ""},
      {"left|centre", "left", "centre", ""},
      {"left||right", "left", "", "right"},
      {"|<PAGE>|", "", "<PAGE>", ""},
      {"a|b|c|d", "a", "b", "c|d"},
      {"|||", "", "", "|"},
      {"", "", "", ""},
  };
  for (const Case& c : cases) {
    const HeaderParts parts = splitHeaderText(QString::fromUtf8(c.text));
    EXPECT_EQ(parts.left, QString::fromUtf8(c.left)) << c.text;
    EXPECT_EQ(parts.centre, QString::fromUtf8(c.centre)) << c.text;
    EXPECT_EQ(parts.right, QString::fromUtf8(c.right)) << c.text;
  }
}

TEST(HeaderTextTest, ReplacesEveryPageField) {
  EXPECT_EQ(withPageNumber(QStringLiteral("<PAGE>"), 3), QStringLiteral("3"));
  EXPECT_EQ(withPageNumber(QStringLiteral("- Page <PAGE> of <PAGE> -"), 12),
            QStringLiteral("- Page 12 of 12 -"));
  EXPECT_EQ(withPageNumber(QStringLiteral("<page>"), 2), QStringLiteral("<page>"));
}

}  // namespace
}  // namespace orlix::diagramprint
