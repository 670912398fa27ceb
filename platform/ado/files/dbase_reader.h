// Reads a dBase III/IV/V table (.dbf, with its .dbt memo file where there is one)
// through shapelib into a FileTableSink.
#pragma once

#include <string>

#include "platform/ado/files/file_table.h"

namespace orlix::ado {

// `charset` is the code page the user chose (an iconv name such as "CP866"), or empty:
// then a .cpg file beside the table, else the file's code-page byte, else Windows-1252.
// Throws DataError naming the file (and the field and record where one is at fault).
void readDbaseTable(const std::string& path, const std::string& charset, FileTableSink& sink);

// The iconv name of a dBase language-driver byte; empty for 0 or an unknown byte.
std::string DbaseCharsetOfLanguageDriver(int ldid);

}  // namespace orlix::ado
