// Dates as ADO holds them: days since 1899-12-30, the time as the fraction of a day.
#pragma once

#include <optional>
#include <string>

namespace orlix::ado {

// The day number of a calendar date; nullopt when the date does not exist.
std::optional<double> OleDateFromCivil(int year, int month, int day);

// Parses "YYYYMMDD" (dBase) or "YYYY-MM-DD[ hh:mm:ss]" / "YYYY-MM-DDThh:mm:ss";
// nullopt when the text is not such a valid date.
std::optional<double> OleDateFromText(const std::string& text);

// "YYYY-MM-DD", with " hh:mm:ss" when the value has a time of day.
std::string OleDateToText(double date);

}  // namespace orlix::ado
