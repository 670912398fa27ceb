// Connection: an open data source named by a connection string (see
// open_provider.h for the strings understood). Errors are DataError.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/ado/constants.h"
#include "platform/ado/provider.h"

namespace orlix::ado {

class Connection {
 public:
  void SetConnectionString(std::string connectionString);
  const std::string& ConnectionString() const { return connectionString_; }

  // Opens the source; an empty argument uses the string set before. User
  // and password are accepted for the callers' sake; a string carries its own.
  void Open(std::string_view connectionString = {}, std::string_view user = {},
            std::string_view password = {}, long options = -1);
  void Close();
  ObjectStateEnum State() const { return provider_ ? adStateOpen : adStateClosed; }

  // The provider of an open connection; DataError when closed.
  Provider& provider();

 private:
  std::string connectionString_;
  std::unique_ptr<Provider> provider_;
};

}  // namespace orlix::ado
