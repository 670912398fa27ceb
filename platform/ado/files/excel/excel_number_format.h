// Whether an Excel number format shows a number as a date or time: date cells
// are numbers that only their format tells apart.
#pragma once

#include <string_view>

namespace orlix::ado {

// `id` is the format's number; `code` its text for a custom format (ignored for
// the built-in ones, whose codes the file does not store).
bool IsDateFormat(int id, std::string_view code);

// The day number (days since 1899-12-30) of an Excel serial date in the 1900
// or 1904 date system.
double OleDateFromExcelSerial(double serial, bool date1904);

}  // namespace orlix::ado
