#include "platform/com/ole_date.h"

#include <gtest/gtest.h>

#include "platform/com/variant.h"

namespace orlix::com {
namespace {

TEST(OleDate, DaysAndTimesFromTheCalendar) {
  EXPECT_DOUBLE_EQ(oleDateFromParts(1899, 12, 30), 0.0);
  EXPECT_DOUBLE_EQ(oleDateFromParts(1900, 1, 1), 2.0);
  EXPECT_DOUBLE_EQ(oleDateFromParts(1899, 12, 29, 6, 0, 0), -1.25);  // the time counts from the day on
  EXPECT_DOUBLE_EQ(oleDateFromParts(2001, 2, 3, 12), 36925.5);
  EXPECT_THROW(oleDateFromParts(2001, 2, 29), TypeMismatch);
  EXPECT_THROW(oleDateFromParts(2001, 4, 31), TypeMismatch);
  EXPECT_THROW(oleDateFromParts(2001, 1, 1, 24), TypeMismatch);
  EXPECT_THROW(oleDateFromParts(0, 12, 31), TypeMismatch);
  EXPECT_THROW(oleDateFromParts(10000, 1, 1), TypeMismatch);
}

TEST(OleDate, PartsAndTextOfNegativeDatesFollowTheirDay) {
  DateParts p = oleDateParts(-1.25);
  EXPECT_EQ(p.year, 1899);
  EXPECT_EQ(p.month, 12);
  EXPECT_EQ(p.day, 29);
  EXPECT_EQ(p.hour, 6);
  EXPECT_EQ(formatOleDate(-1.25), "1899-12-29 06:00:00");
  EXPECT_EQ(formatOleDate(oleDateFromParts(1999, 12, 31)), "1999-12-31");
  EXPECT_EQ(formatOleDate(oleDateFromParts(2001, 2, 3, 4, 5, 6)), "2001-02-03 04:05:06");
  EXPECT_EQ(formatOleDate(oleDateFromParts(2001, 2, 3, 23, 59, 59.7)), "2001-02-04");  // rounded to the second
}

// Years 1 to 9999 round-trip through the text, at both ends and on a leap day.
TEST(OleDate, TheWholeRangeRoundTripsThroughText) {
  for (const char* text : {"0001-01-01", "0001-01-01 00:00:01", "0099-12-31 12:00:00", "0100-01-01", "1600-02-29",
                           "1899-12-29 23:59:59", "1899-12-30", "2000-02-29 13:14:15", "9999-12-31 23:59:59"}) {
    auto date = parseIsoDate(text);
    ASSERT_TRUE(date) << text;
    EXPECT_TRUE(isOleDateInRange(*date)) << text;
    EXPECT_EQ(formatOleDate(*date), text);
  }
  EXPECT_FALSE(isOleDateInRange(*parseIsoDate("0001-01-01") - 1));
  EXPECT_FALSE(isOleDateInRange(*parseIsoDate("9999-12-31") + 1));
  EXPECT_THROW(formatOleDate(1e12), TypeMismatch);
  EXPECT_FALSE(isOleDateInRange(0.0 / 0.0));
}

TEST(OleDate, IsoTextForms) {
  EXPECT_EQ(parseIsoDate("2001-02-03T04:05:06"), oleDateFromParts(2001, 2, 3, 4, 5, 6));
  EXPECT_EQ(parseIsoDate("2001-02-03 04:05:06.5"), oleDateFromParts(2001, 2, 3, 4, 5, 6.5));
  for (const char* bad : {"2001-02-30", "2001-02-03X04:05:06", "2001-2-3", "2001-02-03 04:05", "2001-02-03 04:05:06.",
                          "20010203", "", "0000-01-01"})
    EXPECT_FALSE(parseIsoDate(bad)) << bad;
  DateParts p = oleDateParts(oleDateFromParts(7, 8, 9, 1, 2, 3));
  EXPECT_EQ(isoDayText(p), "0007-08-09");
  EXPECT_EQ(isoTimeText(p), "01:02:03");
}

}  // namespace
}  // namespace orlix::com
