// DataError: the one exception type of the data layer. Every failure of a
// connection, provider, reader or record set is raised as a DataError that
// names its source (a file, a connection string, a field); the component
// layer turns it into a failed HRESULT with the text of what().
#pragma once

#include <stdexcept>
#include <string>

namespace orlix::ado {

class DataError : public std::runtime_error {
 public:
  // what() reads "<source>: <message>", or the message alone without a source.
  DataError(std::string source, std::string message);

  const std::string& source() const { return source_; }
  const std::string& message() const { return message_; }

 private:
  std::string source_;
  std::string message_;
};

}  // namespace orlix::ado
