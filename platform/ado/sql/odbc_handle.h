// ODBC handles, freed with their owner, and the diagnostics a failed call
// leaves on them: what the ODBC provider and its result reader share.
#pragma once

#include <sql.h>
#include <sqlext.h>

#include <string>

namespace orlix::ado::odbc {

inline bool ok(SQLRETURN rc) { return rc == SQL_SUCCESS || rc == SQL_SUCCESS_WITH_INFO; }

// The diagnostics of a handle, joined: "[unixODBC][Driver Manager]Data source name not found...".
std::string diagnostics(SQLSMALLINT type, SQLHANDLE handle);

class Handle {
 public:
  Handle(SQLSMALLINT type, SQLHANDLE parent) : type_(type) {
    if (!ok(SQLAllocHandle(type, parent, &h_))) h_ = SQL_NULL_HANDLE;
  }
  ~Handle() {
    if (h_ != SQL_NULL_HANDLE) SQLFreeHandle(type_, h_);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  SQLHANDLE get() const { return h_; }
  SQLSMALLINT type() const { return type_; }

 private:
  SQLSMALLINT type_;
  SQLHANDLE h_ = SQL_NULL_HANDLE;
};

}  // namespace orlix::ado::odbc
