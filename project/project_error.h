// ProjectError: why a data source or a project folder could not be used, in
// the form the program and the batch front end report failures: a source, a
// description that names the file, and an HRESULT.
#pragma once

#include <stdexcept>
#include <string>

#include "platform/com/hresult.h"

namespace orlix::project {

struct ProjectError : std::runtime_error {
  ProjectError(std::string source, const std::string& description, com::HRESULT code = com::E_FAIL)
      : std::runtime_error(description), source(std::move(source)), code(code) {}
  std::string source;
  com::HRESULT code;
};

}  // namespace orlix::project
