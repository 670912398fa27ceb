#include "platform/ado/error.h"

namespace orlix::ado {

namespace {

std::string describe(const std::string& source, const std::string& message) {
  if (source.empty()) return message;
  std::string text;
  text.reserve(source.size() + 2 + message.size());
  text.append(source).append(": ").append(message);
  return text;
}

}  // namespace

DataError::DataError(std::string source, std::string message)
    : std::runtime_error(describe(source, message)),
      source_(std::move(source)),
      message_(std::move(message)) {}

}  // namespace orlix::ado
