// Reads the tables of an HTML file through libxml2's HTML parser: the header
// cells (thead) or else the first row name the fields, the other rows are the
// records, and the columns are typed as text files are.
#pragma once

#include <string>

#include "platform/ado/files/file_table.h"

namespace orlix::ado {

// How many <table> elements the file holds (nested ones included, in document order).
int countHtmlTables(const std::string& path);

// Reads table `index` (0 = the first) into `sink`. Throws DataError naming the
// file when it cannot be read, holds no such table or is not in its declared encoding.
void readHtmlTable(const std::string& path, int index, FileTableSink& sink);

}  // namespace orlix::ado
