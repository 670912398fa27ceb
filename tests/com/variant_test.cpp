#include "platform/com/variant.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace orlix::com;

TEST(VariantTest, ConvertsLikeVariantChangeType) {
  // Narrowing rounds half to even.
  EXPECT_EQ(Variant(2.5).toInt32(), 2);
  EXPECT_EQ(Variant(3.5).toInt32(), 4);
  EXPECT_EQ(Variant(-2.5).toInt32(), -2);
  EXPECT_EQ(Variant("12").toInt32(), 12);
  EXPECT_EQ(Variant(" 7 ").toInt32(), 7);
  EXPECT_EQ(Variant("12.5").toInt32(), 12);
  EXPECT_DOUBLE_EQ(Variant("1e3").toDouble(), 1000.0);
  EXPECT_EQ(Variant(true).toInt32(), -1);
  EXPECT_EQ(Variant().toInt32(), 0);  // empty is zero
  EXPECT_EQ(Variant::currency(12345).toInt32(), 1);
  EXPECT_EQ(Variant::currency(25000).toInt32(), 2);  // 2.5 -> 2
  EXPECT_TRUE(Variant("TRUE").toBool());
  EXPECT_FALSE(Variant("0").toBool());
}

TEST(VariantTest, RefusesWhatCannotBeConverted) {
  EXPECT_THROW(Variant("abc").toDouble(), TypeMismatch);
  EXPECT_THROW(Variant("0x10").toInt32(), TypeMismatch);
  EXPECT_THROW(Variant("inf").toDouble(), TypeMismatch);
  EXPECT_THROW(Variant("nan").toDouble(), TypeMismatch);
  EXPECT_THROW(Variant::null().toDouble(), TypeMismatch);
  EXPECT_THROW(Variant(3e9).toInt32(), TypeMismatch);
  EXPECT_THROW(Variant(70000).changeType(VT_I2), TypeMismatch);
  EXPECT_THROW(Variant(-1).changeType(VT_UI1), TypeMismatch);
  EXPECT_THROW(Variant(1e300).changeType(VT_R4), TypeMismatch);
  EXPECT_THROW(Variant::decimal("1.2.3"), TypeMismatch);
}

TEST(VariantTest, FormatsInTheCLocale) {
  EXPECT_EQ(Variant(0.1).toString(), "0.1");
  EXPECT_EQ(Variant(1e20).toString(), "1E+20");
  EXPECT_EQ(Variant(false).toString(), "False");
  EXPECT_EQ(Variant::currency(-78900).toString(), "-7.89");
  EXPECT_EQ(formatCurrency(INT64_MIN), "-922337203685477.5808");
  EXPECT_EQ(formatDouble(0.1), "0.1");
  int64_t cy = 0;
  EXPECT_TRUE(parseCurrency("1234.56", cy));
  EXPECT_EQ(cy, 12345600);
  EXPECT_TRUE(parseCurrency("-.00005", cy));
  EXPECT_EQ(cy, -1);
  EXPECT_FALSE(parseCurrency("1e5", cy));
  EXPECT_FALSE(parseCurrency("99999999999999999999", cy));
  EXPECT_EQ(Variant(2.75).changeType(VT_DECIMAL).text(), "2.75");
}

TEST(VariantTest, DatesConvertToAndFromText) {
  EXPECT_EQ(Variant("2024-02-29").changeType(VT_DATE).realBits(), oleDateFromParts(2024, 2, 29));
  EXPECT_EQ(Variant::date(oleDateFromParts(2001, 2, 3, 4, 5, 6)).toString(), "2001-02-03 04:05:06");
  EXPECT_THROW(Variant::date(1e12).toString(), TypeMismatch);
}
