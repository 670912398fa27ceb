// SQLite files opened natively and read-only ("Provider=SQLite;Data Source=FILE").
#pragma once

#include <memory>
#include <string>

#include "platform/ado/provider.h"

namespace orlix::ado {

// Throws DataError when the file is missing or not a SQLite database.
std::unique_ptr<Provider> openSQLiteProvider(const std::string& file);

}  // namespace orlix::ado
