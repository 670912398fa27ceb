#include "cli/data_source.h"

#include <filesystem>

namespace orlix::cli {

namespace {

std::string lowerAscii(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

CliFailure badSource(const std::string& description) { return {"orlix-cli", description, com::E_INVALIDARG}; }

std::string bracketed(const std::string& table, const std::string& path) {
  if (table.empty()) throw badSource("Please select/enter a table name... (" + path + " holds several tables: give --table)");
  return "[" + table + "]";
}

}  // namespace

DataSource dataSourceForFile(const std::string& path, const std::string& table) {
  namespace fs = std::filesystem;
  std::error_code ec;
  const fs::path file = fs::absolute(path, ec);
  if (ec || !fs::is_regular_file(file, ec))
    throw badSource("Please select a valid database to convert from... (" + path + " does not exist)");
  const std::string full = file.string();
  const std::string folder = file.parent_path().string();
  const std::string extension = lowerAscii(file.extension().string());
  const std::string jet = "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + full + ";";

  if (extension == ".mdb") return {jet + "Jet OLEDB:Engine Type=4;", bracketed(table, path)};
  if (extension == ".xls" || extension == ".xlsx") return {jet + "Extended Properties=Excel 8.0;", bracketed(table, path)};
  if (extension == ".htm" || extension == ".html")
    return {jet + "Extended Properties=HTML Import;", "[" + file.stem().string() + "]"};
  if (extension == ".dbf")
    return {"Provider=MSDASQL.1;Extended Properties=;DRIVER=Microsoft dBase Driver (*.dbf);DefaultDir=" + folder +
                ";DriverId=21;FIL=dBase III;MaxBufferSize=2048;PageTimeout=600;UID=admin;",
            "[" + file.stem().string() + "]"};
  if (extension == ".txt" || extension == ".csv")
    return {"Driver={Microsoft Text Driver (*.txt; *.csv)};DBQ=" + folder + ";DefaultDir=" + folder + ";Uid=Admin;Pwd=;",
            "[" + file.filename().string() + "]"};
  if (extension == ".sqlite" || extension == ".db")
    return {"Provider=SQLite;Data Source=" + full, bracketed(table, path)};
  throw badSource("Unknown data file format: " + path +
                  " (known: .mdb, .dbf, .xls, .xlsx, .htm, .html, .txt, .csv, .sqlite, .db)");
}

}  // namespace orlix::cli
