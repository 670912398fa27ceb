#include "platform/ado/error.h"

namespace orlix::ado {

DataError::DataError(std::string source, std::string message)
    : std::runtime_error(source.empty() ? message : source + ": " + message),
      source_(std::move(source)),
      message_(std::move(message)) {}

}  // namespace orlix::ado
