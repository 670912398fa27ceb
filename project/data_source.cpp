#include "project/data_source.h"

#include <filesystem>

#include "project/project_error.h"

namespace orlix::project {

namespace fs = std::filesystem;

namespace {

constexpr std::array<FormatInfo, kFormatCount> kFormats{{
    {"Access 2000", "mdb", true},
    {"dBase III", "dbf", false},
    {"dBase IV", "dbf", false},
    {"dBase V", "dbf", false},
    {"Excel 2000", "xls", true},
    {"HTML", "htm", false},
    {"ASCII Text", "txt", false},
    {"SQLite Database", "sqlite", true},
}};

std::string upperAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return out;
}

bool endsWith(const std::string& text, std::string_view tail) {
  return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// Extensions a format keeps when it is chosen, beyond its own.
bool keepsExtension(int format, const std::string& upperExtension) {
  switch (format) {
    case kExcel2000: return upperExtension == "XLSX";
    case kHtml: return upperExtension == "HTML";
    case kAsciiText: return upperExtension == "CSV";
    case kSQLite: return upperExtension == "DB";
    default: return false;
  }
}

ProjectError sourceError(const std::string& description) {
  return ProjectError("Data Import", description, com::E_INVALIDARG);
}

}  // namespace

const FormatInfo& formatInfo(int format) {
  if (format < 0 || format >= kFormatCount) throw sourceError("Unknown database format " + std::to_string(format));
  return kFormats[static_cast<size_t>(format)];
}

std::optional<int> formatFromFileName(std::string_view name) {
  std::string trimmed(name);
  const size_t first = trimmed.find_first_not_of(" \t");
  const size_t last = trimmed.find_last_not_of(" \t");
  trimmed = first == std::string::npos ? "" : trimmed.substr(first, last - first + 1);
  const std::string upper = upperAscii(trimmed);
  if (endsWith(upper, ".XLSX")) return kExcel2000;
  if (endsWith(upper, ".HTML")) return kHtml;
  if (endsWith(upper, ".SQLITE") || endsWith(upper, ".DB")) return kSQLite;
  const std::string tail = upper.size() >= 3 ? upper.substr(upper.size() - 3) : upper;
  if (tail == "MDB") return kAccess2000;
  if (tail == "DBF") return kDBase3;
  if (tail == "XLS") return kExcel2000;
  if (tail == "HTM") return kHtml;
  if (tail == "TXT" || tail == "CSV") return kAsciiText;
  return std::nullopt;
}

std::string withFormatExtension(const std::string& path, int format) {
  const size_t nameStart = path.find_last_of('/') == std::string::npos ? 0 : path.find_last_of('/') + 1;
  const size_t dot = path.find_last_of('.');
  if (dot == std::string::npos || dot < nameStart) return path;
  if (keepsExtension(format, upperAscii(path.substr(dot + 1)))) return path;
  return path.substr(0, dot + 1) + formatInfo(format).extension;
}

DataSource buildSourceConnection(const std::string& path, int format, const std::string& table) {
  formatInfo(format);  // refuses an unknown code
  std::error_code ec;
  if (!fs::is_regular_file(path, ec))
    throw sourceError("Invalid filename [" + path + "]... Cannot convert database...");
  const fs::path file = fs::absolute(path, ec);
  const std::string full = file.string();
  const std::string folder = file.parent_path().string();
  const std::string jet = "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + full + ";";
  const std::string bracketedTable = "[" + table + "]";

  switch (format) {
    case kAccess2000:
      return {jet + "Jet OLEDB:Engine Type=4;", bracketedTable};
    case kDBase3:
    case kDBase4:
    case kDBase5: {
      static const char* const kFil[] = {"FIL=dBase III;MaxBufferSize=2048;", "FIL=dBase IV;MaxBufferSize=2048;",
                                         "FIL=dBase V;MaxBufferSize=2048;"};
      return {"Provider=MSDASQL.1;Extended Properties=;DRIVER=Microsoft dBase Driver (*.dbf);DefaultDir=" + folder +
                  ";DriverId=21;" + kFil[format - kDBase3] + "PageTimeout=600;UID=admin;",
              "[" + file.stem().string() + "]"};
    }
    case kExcel2000:
      return {jet + "Extended Properties=Excel 8.0;", bracketedTable};
    case kHtml:
      return {jet + "Extended Properties=HTML Import;", "[" + file.stem().string() + "]"};
    case kAsciiText:
      return {"Driver={Microsoft Text Driver (*.txt; *.csv)};DBQ=" + folder + ";DefaultDir=" + folder +
                  ";Uid=Admin;Pwd=;",
              "[" + file.filename().string() + "]"};
    default:
      return {"Provider=SQLite;Data Source=" + full, bracketedTable};
  }
}

DataSource dataSourceForFile(const std::string& path, const std::string& table) {
  std::error_code ec;
  if (!fs::is_regular_file(path, ec))
    throw sourceError("Please select a valid database to convert from... (" + path + " does not exist)");
  const std::optional<int> format = formatFromFileName(path);
  if (!format)
    throw sourceError("Unknown data file format: " + path +
                      " (known: .mdb, .dbf, .xls, .xlsx, .htm, .html, .txt, .csv, .sqlite, .db)");
  if (formatInfo(*format).hasTables && table.empty())
    throw sourceError("Please select/enter a table name... (" + path + " holds several tables: give --table)");
  return buildSourceConnection(fs::absolute(path, ec).string(), *format, table);
}

}  // namespace orlix::project
