// The connection string and table expression for a data file, built as the
// data source dialog builds them, the format chosen by the file's extension.
#pragma once

#include <string>

#include "cli/cli_failure.h"

namespace orlix::cli {

struct DataSource {
  std::string connectionString;
  std::string tableExpression;
};

// `table` names the table or sheet of an Access, Excel or SQLite file and is
// ignored for the others. Throws CliFailure for a missing file, an unknown
// extension or a missing table name.
DataSource dataSourceForFile(const std::string& path, const std::string& table);

}  // namespace orlix::cli
