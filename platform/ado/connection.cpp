#include "platform/ado/connection.h"

#include "platform/ado/error.h"
#include "platform/ado/open_provider.h"

namespace orlix::ado {

void Connection::SetConnectionString(std::string connectionString) {
  if (provider_)
    throw DataError("Connection", "Operation is not allowed when the object is open.");
  connectionString_ = std::move(connectionString);
}

void Connection::Open(std::string_view connectionString, std::string_view, std::string_view, long) {
  if (provider_)
    throw DataError("Connection", "Operation is not allowed when the object is open.");
  if (!connectionString.empty()) connectionString_ = std::string(connectionString);
  if (connectionString_.empty()) throw DataError("Connection", "no connection string given");
  provider_ = openProvider(connectionString_);
}

void Connection::Close() {
  if (!provider_)
    throw DataError("Connection", "Operation is not allowed when the object is closed.");
  provider_.reset();
}

Provider& Connection::provider() {
  if (!provider_)
    throw DataError("Connection", "Operation is not allowed when the object is closed.");
  return *provider_;
}

}  // namespace orlix::ado
