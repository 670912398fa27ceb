#include "platform/ado/error.h"
#include "platform/ado/odbc_provider.h"
#include "platform/ado/sqlite_provider.h"
#include "platform/ado/text_provider.h"
namespace orlix::ado {
std::unique_ptr<Provider> openTextProvider(const std::string& f) { throw DataError(f, "not yet"); }
std::unique_ptr<Provider> openSQLiteProvider(const std::string& f) { throw DataError(f, "not yet"); }
std::unique_ptr<Provider> openOdbcProvider(const ConnectionString& c) { throw DataError(c.text(), "not yet"); }
}
