#include "engine/cart_error.h"

namespace orlix::engine {

void WriteAdvisory(std::ostream& out, const _cart_error& error) {
  out << "Advisory at module: " << error.module << std::endl;
  out << "Severity: " << error.severity << std::endl;
  out << error.message << std::endl;
  out << error.remedy << std::endl;
}

}  // namespace orlix::engine
