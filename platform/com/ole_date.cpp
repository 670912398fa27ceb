#include "platform/com/ole_date.h"

#include <cmath>
#include <cstdint>

#include "platform/com/variant.h"

namespace orlix::com {

namespace {

// Days since 1970-01-01 of a proleptic Gregorian date, and back (any year).
int64_t daysFromCivil(int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

void civilFromDays(int64_t z, int& y, int& m, int& d) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  y = static_cast<int>(static_cast<int64_t>(yoe) + era * 400 + (m <= 2));
}

const int64_t kOleEpoch = daysFromCivil(1899, 12, 30);
// 0001-01-01 00:00 and the last second of 9999-12-31, as OLE dates.
const double kFirstDay = static_cast<double>(daysFromCivil(1, 1, 1) - kOleEpoch);
const double kLastDay = static_cast<double>(daysFromCivil(9999, 12, 31) - kOleEpoch);

[[noreturn]] void notADate() { throw TypeMismatch("Type mismatch: not a valid date"); }

// Appends `value` with at least `width` digits (values here are never negative).
void appendDigits(std::string& out, int value, int width) {
  std::string digits = std::to_string(value);
  if (static_cast<int>(digits.size()) < width) out.append(width - digits.size(), '0');
  out += digits;
}

bool readDigits(std::string_view s, size_t pos, size_t len, int& out) {
  if (pos + len > s.size()) return false;
  out = 0;
  for (size_t i = pos; i < pos + len; ++i) {
    if (s[i] < '0' || s[i] > '9') return false;
    out = out * 10 + (s[i] - '0');
  }
  return true;
}

}  // namespace

double oleDateFromParts(int year, int month, int day, int hour, int minute, double second) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > 31 || hour < 0 || hour > 23 ||
      minute < 0 || minute > 59 || !(second >= 0 && second < 60))
    notADate();
  int y2, m2, d2;
  int64_t days = daysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day));
  civilFromDays(days, y2, m2, d2);
  if (m2 != month) notADate();  // 31 April and the like
  days -= kOleEpoch;
  double time = (hour * 3600.0 + minute * 60.0 + second) / 86400.0;
  return days >= 0 ? static_cast<double>(days) + time : static_cast<double>(days) - time;
}

bool isOleDateInRange(double oleDate) {
  // A negative date's fraction counts back from its day, so the first day is
  // reached by values down to kFirstDay - 1 (exclusive).
  return oleDate > kFirstDay - 1.0 && oleDate < kLastDay + 1.0;
}

DateParts oleDateParts(double oleDate) {
  if (!isOleDateInRange(oleDate)) {
    std::string text = std::isfinite(oleDate) ? std::to_string(static_cast<int64_t>(oleDate)) : "not finite";
    throw TypeMismatch("Type mismatch: not a valid date (day " + text + ")");
  }
  double dayPart = std::trunc(oleDate);
  int64_t day = static_cast<int64_t>(dayPart);
  int64_t secs = std::llround(std::fabs(oleDate - dayPart) * 86400.0);
  if (secs >= 86400) {  // rounded up into the next day
    ++day;
    secs -= 86400;
  }
  if (static_cast<double>(day) > kLastDay) {  // past the last second of 9999
    day = static_cast<int64_t>(kLastDay);
    secs = 86399;
  }
  DateParts p{};
  civilFromDays(day + kOleEpoch, p.year, p.month, p.day);
  p.hour = static_cast<int>(secs / 3600);
  p.minute = static_cast<int>(secs / 60 % 60);
  p.second = static_cast<int>(secs % 60);
  return p;
}

std::string isoDayText(const DateParts& p) {
  std::string out;
  appendDigits(out, p.year, 4);
  out += '-';
  appendDigits(out, p.month, 2);
  out += '-';
  appendDigits(out, p.day, 2);
  return out;
}

std::string isoTimeText(const DateParts& p) {
  std::string out;
  appendDigits(out, p.hour, 2);
  out += ':';
  appendDigits(out, p.minute, 2);
  out += ':';
  appendDigits(out, p.second, 2);
  return out;
}

std::string formatOleDate(double oleDate) {
  DateParts p = oleDateParts(oleDate);
  if (p.hour == 0 && p.minute == 0 && p.second == 0) return isoDayText(p);
  return isoDayText(p) + " " + isoTimeText(p);
}

std::optional<double> parseIsoDate(std::string_view s) {
  int y, mo, d, h = 0, mi = 0, sec = 0;
  if (s.size() < 10 || !readDigits(s, 0, 4, y) || s[4] != '-' || !readDigits(s, 5, 2, mo) || s[7] != '-' ||
      !readDigits(s, 8, 2, d))
    return std::nullopt;
  double frac = 0;
  if (s.size() > 10) {
    if ((s[10] != 'T' && s[10] != ' ') || s.size() < 19 || !readDigits(s, 11, 2, h) || s[13] != ':' ||
        !readDigits(s, 14, 2, mi) || s[16] != ':' || !readDigits(s, 17, 2, sec))
      return std::nullopt;
    if (s.size() > 19) {
      if (s[19] != '.' || s.size() == 20) return std::nullopt;
      double scale = 0.1;
      for (size_t i = 20; i < s.size(); ++i, scale /= 10) {
        if (s[i] < '0' || s[i] > '9') return std::nullopt;
        frac += (s[i] - '0') * scale;
      }
    }
  }
  try {
    return oleDateFromParts(y, mo, d, h, mi, sec + frac);
  } catch (const TypeMismatch&) {
    return std::nullopt;
  }
}

}  // namespace orlix::com
