// Dates as the automation types hold them (VT_DATE): days since 1899-12-30
// with the time of day as the fraction, whose sign follows the day's (-1.25 is
// 1899-12-29 06:00). Every reader and writer of dates uses these, for years
// 1 to 9999; the texts are ISO 8601 and the same in any process locale.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace orlix::com {

// The date of a calendar day and time of day. Throws TypeMismatch (variant.h)
// when the parts name no such moment of years 1..9999.
double oleDateFromParts(int year, int month, int day, int hour = 0, int minute = 0, double second = 0);

// True when `oleDate` lies in years 1..9999 (NaN and infinities do not).
bool isOleDateInRange(double oleDate);

struct DateParts {
  int year, month, day, hour, minute, second;
};
// The calendar parts, rounded to the second. Throws TypeMismatch outside the range.
DateParts oleDateParts(double oleDate);

// "YYYY-MM-DD" and "hh:mm:ss" of the parts.
std::string isoDayText(const DateParts& parts);
std::string isoTimeText(const DateParts& parts);

// "YYYY-MM-DD hh:mm:ss", or "YYYY-MM-DD" at midnight. Throws TypeMismatch outside the range.
std::string formatOleDate(double oleDate);

// Reads "YYYY-MM-DD", "YYYY-MM-DD hh:mm:ss[.fff]" or "YYYY-MM-DDThh:mm:ss[.fff]";
// nullopt when `text` is none of them or names no date of years 1..9999.
std::optional<double> parseIsoDate(std::string_view text);

}  // namespace orlix::com
