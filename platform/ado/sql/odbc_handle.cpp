#include "platform/ado/sql/odbc_handle.h"

namespace orlix::ado::odbc {

std::string diagnostics(SQLSMALLINT type, SQLHANDLE handle) {
  std::string out;
  for (SQLSMALLINT i = 1; i < 10; ++i) {
    SQLCHAR state[6] = {};
    SQLCHAR text[1024] = {};
    SQLINTEGER native = 0;
    SQLSMALLINT len = 0;
    if (!ok(SQLGetDiagRec(type, handle, i, state, &native, text, sizeof text, &len))) break;
    if (!out.empty()) out += "; ";
    out += reinterpret_cast<char*>(text);
    out += " (SQLSTATE ";
    out += reinterpret_cast<char*>(state);
    out += ")";
  }
  return out.empty() ? "no diagnostics from the driver" : out;
}

}  // namespace orlix::ado::odbc
