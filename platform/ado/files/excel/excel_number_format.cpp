#include "platform/ado/files/excel/excel_number_format.h"

namespace orlix::ado {

namespace {

bool IsBuiltInDate(int id) {
  return (id >= 14 && id <= 22) || (id >= 27 && id <= 36) || (id >= 45 && id <= 47) ||
         (id >= 50 && id <= 58);
}

}  // namespace

bool IsDateFormat(int id, std::string_view code) {
  if (IsBuiltInDate(id)) return true;
  if (id < 164) return false;  // the other built-in formats are numbers and text
  // Date letters count only outside quoted text, escapes and [colour]/[condition] brackets.
  bool quoted = false;
  for (std::size_t i = 0; i < code.size(); ++i) {
    char c = code[i];
    if (quoted) {
      quoted = c != '"';
      continue;
    }
    switch (c) {
      case '"': quoted = true; break;
      case '\\':
      case '_':
      case '*': ++i; break;
      case '[': {
        std::size_t end = code.find(']', i);
        if (end == std::string_view::npos) return false;
        std::string_view inside = code.substr(i + 1, end - i - 1);
        if (!inside.empty() && (inside[0] == 'h' || inside[0] == 'H' || inside[0] == 'm' ||
                                inside[0] == 'M' || inside[0] == 's' || inside[0] == 'S'))
          return true;  // elapsed time, [h]:mm
        i = end;
        break;
      }
      case ';': return false;  // only the first section decides
      case 'y': case 'Y': case 'd': case 'D': case 'm': case 'M': case 'h': case 'H':
      case 's': case 'S': return true;
      default: break;
    }
  }
  return false;
}

double OleDateFromExcelSerial(double serial, bool date1904) {
  if (date1904) return serial + 1462;
  // Below 1 the 1900 system holds a time of day without a date (day 0 here too);
  // from 61 on it counts a 29 February 1900 that never was.
  if (serial < 1) return serial;
  return serial < 61 ? serial + 1 : serial;
}

}  // namespace orlix::ado
