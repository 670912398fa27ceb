#pragma once
// The error of reading or writing a diagram's file or picture: the message
// names the file and the cause, ready to show to the user.
#include <stdexcept>

namespace orlix::graphon::view {

class DiagramFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace orlix::graphon::view
