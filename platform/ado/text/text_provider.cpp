#include "platform/ado/text/text_provider.h"

#include <algorithm>
#include <filesystem>

#include "platform/ado/connection_string.h"
#include "platform/ado/text/csv_reader.h"
#include "platform/ado/error.h"

namespace orlix::ado {

namespace {

namespace fs = std::filesystem;

bool isTextFile(const fs::path& p) {
  std::string ext = p.extension().string();
  return equalsIgnoreCase(ext, ".txt") || equalsIgnoreCase(ext, ".csv");
}

class TextProvider : public Provider {
 public:
  explicit TextProvider(fs::path folder) : folder_(std::move(folder)) {}

  std::shared_ptr<Table> query(std::string_view source) override {
    CsvReading reading;
    reading.cancel = cancel_;
    return readCsvFile(locate(fileName(source)).string(), reading);
  }

  std::vector<FileStamp> stamps(std::string_view source) override {
    try {
      return stampFiles({locate(fileName(source)).string()});
    } catch (const DataError&) {
      return {};  // the read reports it
    }
  }

  std::vector<std::string> tableNames() override {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder_, ec))
      if (entry.is_regular_file(ec) && isTextFile(entry.path()))
        names.push_back(entry.path().filename().string());
    if (ec) throw DataError(folder_.string(), "cannot list the folder: " + ec.message());
    std::sort(names.begin(), names.end());
    return names;
  }

 private:
  // The file a source names; only names of files in the folder are taken.
  std::string fileName(std::string_view source) const {
    const std::string name = tableNameFromSource(source, folder_.string());
    if (name.find('/') != std::string::npos || name.find('\\') != std::string::npos ||
        name == "." || name == "..")
      throw DataError(folder_.string(), "\"" + name + "\" is not a file name in the folder");
    return name;
  }

  // The file itself, or one whose name differs only in ASCII case (the
  // names come from systems that ignore case).
  fs::path locate(const std::string& name) const {
    fs::path exact = folder_ / name;
    std::error_code ec;
    if (fs::is_regular_file(exact, ec)) return exact;
    // Catalogs of text folders write "sales#csv" for sales.csv.
    std::string dotted = name;
    if (size_t hash = dotted.rfind('#'); hash != std::string::npos) dotted[hash] = '.';
    for (const auto& entry : fs::directory_iterator(folder_, ec)) {
      const std::string file = entry.path().filename().string();
      if (equalsIgnoreCase(file, name) || equalsIgnoreCase(file, dotted)) return entry.path();
    }
    throw DataError(exact.string(), "no such table: the file does not exist");
  }

  fs::path folder_;
};

}  // namespace

std::unique_ptr<Provider> openTextProvider(const std::string& folder) {
  std::error_code ec;
  if (!fs::is_directory(folder, ec))
    throw DataError(folder, "the folder of the text files does not exist");
  return std::make_unique<TextProvider>(folder);
}

}  // namespace orlix::ado
