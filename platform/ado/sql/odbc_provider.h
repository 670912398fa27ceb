// Any ODBC data source through unixODBC's narrow (8-bit) API, read-only.
#pragma once

#include <memory>
#include <string>

#include "platform/ado/connection_string.h"
#include "platform/ado/provider.h"

namespace orlix::ado {

// Connects with the string as given (a "Provider=MSDASQL" pair removed);
// throws DataError with the driver's diagnostics.
std::unique_ptr<Provider> openOdbcProvider(const ConnectionString& connection);

}  // namespace orlix::ado
