#include "platform/ado/ole_date.h"

#include <chrono>
#include <cmath>
#include <cstdio>

namespace orlix::ado {

namespace {

constexpr std::chrono::sys_days kEpoch{std::chrono::year{1899} / 12 / 30};

bool AllDigits(const std::string& text, std::size_t from, std::size_t count) {
  if (from + count > text.size()) return false;
  for (std::size_t i = from; i < from + count; ++i)
    if (text[i] < '0' || text[i] > '9') return false;
  return true;
}

int Number(const std::string& text, std::size_t from, std::size_t count) {
  int value = 0;
  for (std::size_t i = from; i < from + count; ++i) value = value * 10 + (text[i] - '0');
  return value;
}

}  // namespace

std::optional<double> OleDateFromCivil(int year, int month, int day) {
  using namespace std::chrono;
  year_month_day ymd{std::chrono::year{year}, std::chrono::month{static_cast<unsigned>(month)},
                     std::chrono::day{static_cast<unsigned>(day)}};
  if (year < 1 || year > 9999 || !ymd.ok()) return std::nullopt;
  return static_cast<double>((sys_days{ymd} - kEpoch).count());
}

std::optional<double> OleDateFromText(const std::string& text) {
  if (text.size() == 8 && AllDigits(text, 0, 8))
    return OleDateFromCivil(Number(text, 0, 4), Number(text, 4, 2), Number(text, 6, 2));
  if (text.size() < 10 || !AllDigits(text, 0, 4) || text[4] != '-' || !AllDigits(text, 5, 2) ||
      text[7] != '-' || !AllDigits(text, 8, 2))
    return std::nullopt;
  auto date = OleDateFromCivil(Number(text, 0, 4), Number(text, 5, 2), Number(text, 8, 2));
  if (!date || text.size() == 10) return date;
  if (text.size() != 19 || (text[10] != ' ' && text[10] != 'T') || !AllDigits(text, 11, 2) ||
      text[13] != ':' || !AllDigits(text, 14, 2) || text[16] != ':' || !AllDigits(text, 17, 2))
    return std::nullopt;
  int h = Number(text, 11, 2), m = Number(text, 14, 2), s = Number(text, 17, 2);
  if (h > 23 || m > 59 || s > 59) return std::nullopt;
  return *date + (h * 3600 + m * 60 + s) / 86400.0;
}

std::string OleDateToText(double date) {
  using namespace std::chrono;
  if (!std::isfinite(date) || date < -657434 || date > 2958465) return "";
  double day = std::floor(date);
  long seconds = std::lround((date - day) * 86400.0);
  if (seconds >= 86400) { day += 1; seconds -= 86400; }
  year_month_day ymd{kEpoch + days{static_cast<long>(day)}};
  char buffer[40];
  int n = std::snprintf(buffer, sizeof buffer, "%04d-%02u-%02u", static_cast<int>(ymd.year()),
                        static_cast<unsigned>(ymd.month()), static_cast<unsigned>(ymd.day()));
  if (seconds != 0)
    std::snprintf(buffer + n, sizeof buffer - n, " %02ld:%02ld:%02ld", seconds / 3600,
                  seconds / 60 % 60, seconds % 60);
  return buffer;
}

}  // namespace orlix::ado
