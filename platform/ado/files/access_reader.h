// Reads the tables of an Access database (.mdb, Jet 3 and Jet 4) through libmdb.
#pragma once

#include <string>
#include <vector>

#include "platform/ado/files/file_table.h"

namespace orlix::ado {

// The names of the user tables, in catalog order (system tables left out).
// Throws DataError naming the file when it is no Access database.
std::vector<std::string> listAccessTables(const std::string& path);

// Reads table `table` (matched ignoring ASCII case) into `sink`, rows in storage order.
// Throws DataError naming the file, and the table, field or row at fault.
void readAccessTable(const std::string& path, const std::string& table, FileTableSink& sink);

}  // namespace orlix::ado
