// _cart_error: the engine's own failure, raised and caught inside one engine
// operation and reported as a four-line advisory on standard error; the
// operation then returns 1. EngineDataError is a data fault (a cell that is not
// a number, a table smaller than the engine was told) that is not an advisory:
// it leaves the operation and reaches the caller.
#pragma once

#include <ostream>
#include <stdexcept>
#include <string>

namespace orlix::engine {

class _cart_error {
 public:
  _cart_error(std::string module, std::string message, std::string remedy, std::string severity)
      : module(std::move(module)),
        message(std::move(message)),
        remedy(std::move(remedy)),
        severity(std::move(severity)) {}

  std::string module;
  std::string message;
  std::string remedy;
  std::string severity;
};

// Writes the four advisory lines, each flushed.
void WriteAdvisory(std::ostream& out, const _cart_error& error);

class EngineDataError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace orlix::engine
