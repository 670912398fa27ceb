#include "platform/ado/files/dbase_reader.h"

#include <shapefil.h>

#include <charconv>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string_view>

#include "platform/ado/files/dbase_memo.h"
#include "platform/ado/field_names.h"
#include "platform/com/ole_date.h"
#include "platform/ado/files/text_encoding.h"

namespace orlix::ado {

namespace {

namespace fs = std::filesystem;

struct DbfCloser {
  void operator()(DBFInfo* dbf) const { DBFClose(dbf); }
};
using DbfPtr = std::unique_ptr<DBFInfo, DbfCloser>;

void QuietError(const char*) {}  // shapelib's own messages would go to stderr

struct Column {
  std::string name;
  char kind;  // the dBase type letter
  int offset;
  int width;
  int decimals;
  int type;  // ADO type
};

std::string_view Trimmed(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\0')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\0')) s.remove_suffix(1);
  return s;
}

std::string CharsetOfCpgFile(const fs::path& dbf) {
  for (const char* ext : {".cpg", ".CPG"}) {
    std::ifstream in(fs::path(dbf).replace_extension(ext));
    std::string text;
    if (in && std::getline(in, text)) {
      std::string_view name = Trimmed(text);
      if (name.empty()) continue;
      if (name.find_first_not_of("0123456789") == std::string_view::npos) return "CP" + std::string(name);
      return std::string(name);
    }
  }
  return "";
}

std::optional<fs::path> MemoFileBeside(const fs::path& dbf) {
  for (const char* ext : {".dbt", ".DBT", ".Dbt"}) {
    fs::path candidate = fs::path(dbf).replace_extension(ext);
    if (fs::is_regular_file(candidate)) return candidate;
  }
  return std::nullopt;
}

int AdoTypeOf(char kind, int width, int decimals) {
  switch (kind) {
    case 'C': return kFileVarWChar;
    case 'N':
    case 'F': return decimals == 0 && width <= 9 ? kFileInteger : kFileDouble;
    case 'D': return kFileDate;
    case 'L': return kFileBoolean;
    case 'M': return kFileLongVarWChar;
    default: return -1;
  }
}

class DbaseTable {
 public:
  DbaseTable(const std::string& path, const std::string& charset) : path_(path) {
    SAHooks hooks;
    SASetupDefaultHooks(&hooks);
    hooks.Error = QuietError;
    dbf_.reset(DBFOpenLL(path.c_str(), "rb", &hooks));
    if (!dbf_) ThrowFileError(path, "cannot be opened as a dBase table");
    charset_ = ChooseCharset(charset);
    CheckSize();
    ReadColumns();
  }

  void Read(FileTableSink& sink) {
    std::vector<FileField> fields;
    for (const auto& c : columns_)
      fields.push_back({c.name, c.type, c.type == kFileLongVarWChar ? 65535 : c.width});
    sink.SetFields(std::move(fields));
    std::vector<FileCell> cells(columns_.size());
    for (int record = 0; record < dbf_->nRecords; ++record) {
      const char* raw = DBFReadTuple(dbf_.get(), record);
      if (!raw) ThrowFileError(path_, "record " + std::to_string(record + 1) + " cannot be read");
      if (raw[0] == '*') continue;  // deleted
      for (std::size_t i = 0; i < columns_.size(); ++i) {
        const Column& c = columns_[i];
        cells[i] = Value(c, std::string_view(raw + c.offset, c.width), record);
      }
      sink.AddRow(cells);
    }
  }

 private:
  std::string ChooseCharset(const std::string& user) {
    if (!user.empty()) return user;
    std::string cpg = CharsetOfCpgFile(path_);
    if (!cpg.empty()) return cpg;
    std::string ldid = DbaseCharsetOfLanguageDriver(dbf_->iLanguageDriver);
    return ldid.empty() ? "CP1252" : ldid;
  }

  void CheckSize() {
    std::error_code ec;
    auto size = fs::file_size(path_, ec);
    auto needed = static_cast<std::uintmax_t>(dbf_->nHeaderLength) +
                  static_cast<std::uintmax_t>(dbf_->nRecords) * static_cast<std::uintmax_t>(dbf_->nRecordLength);
    if (ec || dbf_->nRecords < 0 || size < needed)
      ThrowFileError(path_, "is truncated: the header announces " + std::to_string(dbf_->nRecords) +
                                " records that the file does not hold");
  }

  void ReadColumns() {
    int count = DBFGetFieldCount(dbf_.get());
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i) {
      char raw_name[XBASE_FLDNAME_LEN_READ + 1] = {};
      int width = 0, decimals = 0;
      DBFGetFieldInfo(dbf_.get(), i, raw_name, &width, &decimals);
      char kind = DBFGetNativeFieldType(dbf_.get(), i);
      std::string name = ToUtf8(Trimmed(raw_name), charset_, path_, "a field name");
      int type = AdoTypeOf(kind, width, decimals);
      if (type < 0)
        ThrowFileError(path_, "field " + name + " has the type '" + std::string(1, kind) +
                                  "', which dBase III, IV and V tables do not have");
      int offset = dbf_->panFieldOffset[i];
      if (width <= 0 || offset < 1 || offset + width > dbf_->nRecordLength)
        ThrowFileError(path_, "field " + name + " lies outside the record");
      columns_.push_back({name, kind, offset, width, decimals, type});
      names.push_back(name);
    }
    if (columns_.empty()) ThrowFileError(path_, "has no fields");
    MakeFieldNamesUnique(names);
    for (std::size_t i = 0; i < names.size(); ++i) columns_[i].name = names[i];
    for (const auto& c : columns_)
      if (c.kind == 'M') OpenMemoFile();
  }

  void OpenMemoFile() {
    if (memo_) return;
    auto memo_path = MemoFileBeside(path_);
    if (!memo_path) ThrowFileError(path_, "has memo fields but no .dbt memo file beside it");
    memo_ = std::make_unique<DbaseMemoFile>(memo_path->string(), VersionByte() != 0x83);
  }

  int VersionByte() const {
    std::ifstream in(path_, std::ios::binary);
    return in.get();
  }

  [[noreturn]] void BadValue(const Column& c, int record, std::string_view text) const {
    ThrowFileError(path_, "field " + c.name + " of record " + std::to_string(record + 1) +
                              " holds \"" + std::string(text) + "\", which is not a valid value of its type");
  }

  FileCell Value(const Column& c, std::string_view raw, int record) const {
    if (c.kind == 'C') {
      std::string_view text = raw;
      while (!text.empty() && (text.back() == ' ' || text.back() == '\0')) text.remove_suffix(1);
      if (text.empty()) return std::monostate{};
      return ToUtf8(text, charset_, path_, "field " + c.name + " of record " + std::to_string(record + 1));
    }
    std::string_view text = Trimmed(raw);
    if (text.empty()) return std::monostate{};
    switch (c.kind) {
      case 'N':
      case 'F': return Number(c, text, record);
      case 'D': {
        if (text == "00000000") return std::monostate{};
        // YYYYMMDD
        std::optional<double> date;
        if (text.size() == 8 && text.find_first_not_of("0123456789") == std::string_view::npos)
          date = com::parseIsoDate(std::string(text.substr(0, 4)) + "-" + std::string(text.substr(4, 2)) + "-" +
                                   std::string(text.substr(6, 2)));
        if (!date) BadValue(c, record, text);
        return *date;
      }
      case 'L': {
        char v = text[0];
        if (text.size() != 1) BadValue(c, record, text);
        if (v == '?') return std::monostate{};
        if (v == 'T' || v == 't' || v == 'Y' || v == 'y') return true;
        if (v == 'F' || v == 'f' || v == 'N' || v == 'n') return false;
        BadValue(c, record, text);
      }
      default: {  // 'M'
        long block = 0;
        auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), block);
        if (ec != std::errc() || end != text.data() + text.size()) BadValue(c, record, text);
        if (block == 0) return std::monostate{};
        std::string memo = memo_->Memo(block);
        return ToUtf8(memo, charset_, memo_->path(), "memo of field " + c.name + " of record " + std::to_string(record + 1));
      }
    }
  }

  FileCell Number(const Column& c, std::string_view text, int record) const {
    if (c.type == kFileInteger) {
      std::int32_t value = 0;
      std::string_view digits = text[0] == '+' ? text.substr(1) : text;
      auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
      if (ec == std::errc() && end == digits.data() + digits.size()) return value;
    }
    double value = 0;
    std::string_view digits = text[0] == '+' ? text.substr(1) : text;
    auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value,
                                     std::chars_format::general);
    if (ec != std::errc() || end != digits.data() + digits.size()) BadValue(c, record, text);
    if (c.type == kFileInteger) BadValue(c, record, text);  // a fraction in a field without decimals
    return value;
  }

  std::string path_;
  std::string charset_;
  DbfPtr dbf_;
  std::vector<Column> columns_;
  std::unique_ptr<DbaseMemoFile> memo_;
};

}  // namespace

std::string DbaseCharsetOfLanguageDriver(int ldid) {
  switch (ldid) {
    case 0x01: case 0x09: case 0x0B: case 0x0D: case 0x0F: case 0x11: case 0x15: case 0x18:
    case 0x19: case 0x1B: return "CP437";
    case 0x02: case 0x0A: case 0x0E: case 0x10: case 0x12: case 0x14: case 0x16: case 0x1A:
    case 0x1D: case 0x25: case 0x37: return "CP850";
    case 0x03: case 0x57: case 0x58: case 0x59: return "CP1252";
    case 0x04: return "MACINTOSH";
    case 0x08: case 0x17: case 0x66: return "CP865";
    case 0x13: case 0x7B: return "CP932";
    case 0x1C: case 0x6C: return "CP863";
    case 0x1F: case 0x22: case 0x23: case 0x40: case 0x64: case 0x87: return "CP852";
    case 0x24: return "CP860";
    case 0x26: case 0x65: return "CP866";
    case 0x4D: case 0x7A: return "CP936";
    case 0x4E: case 0x79: return "CP949";
    case 0x4F: case 0x78: return "CP950";
    case 0x50: case 0x7C: return "CP874";
    case 0x67: return "CP861";
    case 0x6A: case 0x86: return "CP737";
    case 0x6B: case 0x88: return "CP857";
    case 0x7D: return "CP1255";
    case 0x7E: return "CP1256";
    case 0xC8: return "CP1250";
    case 0xC9: return "CP1251";
    case 0xCA: return "CP1254";
    case 0xCB: return "CP1253";
    case 0xCC: return "CP1257";
    default: return "";
  }
}

void readDbaseTable(const std::string& path, const std::string& charset, FileTableSink& sink) {
  DbaseTable(path, charset).Read(sink);
}

}  // namespace orlix::ado
