#include "platform/ado/files/file_format_provider.h"

#include <algorithm>
#include <filesystem>
#include <functional>

#include "platform/ado/files/access_reader.h"
#include "platform/ado/files/dbase_reader.h"
#include "platform/ado/error.h"
#include "platform/ado/files/excel/excel_reader.h"
#include "platform/ado/field_names.h"
#include "platform/ado/files/file_table_builder.h"
#include "platform/ado/files/html_table_reader.h"

namespace orlix::ado {

namespace {

namespace fs = std::filesystem;

// Runs a reader; whatever else a library or the standard library throws becomes
// a DataError naming the file, so that nothing else leaves a provider.
template <typename Result>
Result Guarded(const std::string& path, const std::function<Result()>& body) {
  try {
    return body();
  } catch (const DataError&) {
    throw;
  } catch (const std::bad_alloc&) {
    throw DataError(path, "not enough memory to read the file");
  } catch (const std::exception& e) {
    throw DataError(path, e.what());
  }
}

std::shared_ptr<Table> ReadInto(const std::string& source,
                                const std::function<void(FileTableSink&)>& reader) {
  return Guarded<std::shared_ptr<Table>>(source, [&] {
    TableBuilderSink sink(source);
    reader(sink);
    return sink.Finish();
  });
}

void RequireFile(const std::string& path) {
  std::error_code ec;
  if (!fs::is_regular_file(path, ec)) throw DataError(path, "file not found");
}

class AccessProvider : public Provider {
 public:
  explicit AccessProvider(std::string path) : path_(std::move(path)) { RequireFile(path_); }
  std::vector<FileStamp> stamps(std::string_view) override { return stampFiles({path_}); }
  std::shared_ptr<Table> query(std::string_view source) override {
    std::string table = tableNameFromSource(source, path_);
    return ReadInto(path_, [&](FileTableSink& sink) { readAccessTable(path_, table, sink); });
  }
  std::vector<std::string> tableNames() override {
    return Guarded<std::vector<std::string>>(path_, [&] { return listAccessTables(path_); });
  }

 private:
  std::string path_;
};

class ExcelProvider : public Provider {
 public:
  explicit ExcelProvider(std::string path) : path_(std::move(path)) { RequireFile(path_); }
  std::vector<FileStamp> stamps(std::string_view) override { return stampFiles({path_}); }
  std::shared_ptr<Table> query(std::string_view source) override {
    std::string sheet = tableNameFromSource(source, path_);
    return ReadInto(path_, [&](FileTableSink& sink) { readExcelSheet(path_, sheet, sink); });
  }
  std::vector<std::string> tableNames() override {
    return Guarded<std::vector<std::string>>(path_, [&] { return listExcelSheets(path_); });
  }

 private:
  std::string path_;
};

// The first table answers to the file's base name (the table expression the
// program builds); every table also answers to "TableN".
class HtmlProvider : public Provider {
 public:
  explicit HtmlProvider(std::string path) : path_(std::move(path)) { RequireFile(path_); }
  std::vector<FileStamp> stamps(std::string_view) override { return stampFiles({path_}); }
  std::shared_ptr<Table> query(std::string_view source) override {
    std::string name = tableNameFromSource(source, path_);
    int index = IndexOf(name);
    return ReadInto(path_, [&](FileTableSink& sink) { readHtmlTable(path_, index, sink); });
  }
  std::vector<std::string> tableNames() override {
    int count = Guarded<int>(path_, [&] { return countHtmlTables(path_); });
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i) names.push_back(i == 0 ? BaseName() : "Table" + std::to_string(i + 1));
    return names;
  }

 private:
  std::string BaseName() const { return fs::path(path_).stem().string(); }
  int IndexOf(const std::string& name) const {
    if (equalsIgnoreCase(name, BaseName())) return 0;
    if (name.size() > 5 && equalsIgnoreCase(name.substr(0, 5), "Table") &&
        name.find_first_not_of("0123456789", 5) == std::string::npos && name.size() < 12)
      return std::stoi(name.substr(5)) - 1;
    throw DataError(path_, "has no table " + name);
  }
  std::string path_;
};

// The code page a connection string names with CharacterSet= (a number, ANSI,
// OEM or an iconv name); empty when it names none.
std::string CharsetOf(const ConnectionString& connection) {
  std::string value = connection.valueOr("CharacterSet", "");
  if (value.empty()) return "";
  if (equalsIgnoreCase(value, "ANSI")) return "CP1252";
  if (equalsIgnoreCase(value, "OEM")) return "CP437";
  if (value.find_first_not_of("0123456789") == std::string::npos) return "CP" + value;
  return value;
}

// Each .dbf file of the folder is a table, named by its base name.
class DbaseProvider : public Provider {
 public:
  DbaseProvider(std::string folder, std::string charset) : folder_(std::move(folder)), charset_(std::move(charset)) {
    std::error_code ec;
    if (!fs::is_directory(folder_, ec)) throw DataError(folder_, "folder not found");
  }
  std::shared_ptr<Table> query(std::string_view source) override {
    std::string name = tableNameFromSource(source, folder_);
    std::string file = FileOf(name);
    return ReadInto(file, [&](FileTableSink& sink) { readDbaseTable(file, charset_, sink); });
  }
  // The table's file and the memo files beside it.
  std::vector<FileStamp> stamps(std::string_view source) override {
    try {
      const fs::path file = FileOf(tableNameFromSource(source, folder_));
      std::vector<std::string> paths = {file.string()};
      for (const char* memo : {".dbt", ".DBT", ".fpt", ".FPT"}) paths.push_back(fs::path(file).replace_extension(memo).string());
      return stampFiles(paths);
    } catch (const DataError&) {
      return {};  // the read reports it
    }
  }
  std::vector<std::string> tableNames() override {
    std::vector<std::string> names;
    for (const auto& file : Files()) names.push_back(file.stem().string());
    std::sort(names.begin(), names.end());
    return names;
  }

 private:
  std::vector<fs::path> Files() const {
    std::vector<fs::path> files;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder_, ec))
      if (entry.is_regular_file(ec) && equalsIgnoreCase(entry.path().extension().string(), ".dbf"))
        files.push_back(entry.path());
    return files;
  }
  std::string FileOf(const std::string& name) const {
    for (const auto& file : Files())
      if (equalsIgnoreCase(file.stem().string(), name) || equalsIgnoreCase(file.filename().string(), name))
        return file.string();
    throw DataError(folder_, "has no dBase table " + name);
  }
  std::string folder_;
  std::string charset_;
};

}  // namespace

std::unique_ptr<Provider> openFileFormatProvider(const FileSource& source) {
  switch (source.format) {
    case FileFormat::Access: return std::make_unique<AccessProvider>(source.path);
    case FileFormat::Excel: return std::make_unique<ExcelProvider>(source.path);
    case FileFormat::Html: return std::make_unique<HtmlProvider>(source.path);
    case FileFormat::DBase: return std::make_unique<DbaseProvider>(source.path, CharsetOf(source.connection));
  }
  throw DataError(source.path, "unknown file format");
}

}  // namespace orlix::ado
