#include "platform/ado/files/excel/xlsx_reader.h"

#include <zip.h>

#include <charconv>
#include <map>
#include <memory>
#include <optional>

#include "platform/ado/files/excel/excel_number_format.h"
#include "platform/com/ole_date.h"
#include "platform/ado/files/xml_document.h"

namespace orlix::ado {

namespace {

// No part of a workbook an analyst opens comes near this; a zip bomb does.
constexpr zip_uint64_t kMaxPartSize = 512u << 20;

struct ZipCloser {
  void operator()(zip_t* z) const { zip_discard(z); }
};
struct ZipFileCloser {
  void operator()(zip_file_t* f) const { zip_fclose(f); }
};

class Package {
 public:
  explicit Package(const std::string& path) : path_(path) {
    int error = 0;
    zip_.reset(zip_open(path.c_str(), ZIP_RDONLY, &error));
    if (!zip_) ThrowFileError(path, "is no Excel workbook: neither an .xls nor a readable .xlsx (zip) file");
  }

  std::optional<std::string> Part(std::string name) const {
    if (!name.empty() && name[0] == '/') name.erase(0, 1);
    zip_int64_t index = zip_name_locate(zip_.get(), name.c_str(), ZIP_FL_NOCASE);
    if (index < 0) return std::nullopt;
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(zip_.get(), index, 0, &stat) != 0 || !(stat.valid & ZIP_STAT_SIZE))
      ThrowFileError(path_, "part " + name + " of the workbook cannot be read");
    if (stat.size > kMaxPartSize) ThrowFileError(path_, "part " + name + " of the workbook is too large");
    std::unique_ptr<zip_file_t, ZipFileCloser> file(zip_fopen_index(zip_.get(), index, 0));
    if (!file) ThrowFileError(path_, "part " + name + " of the workbook cannot be read");
    std::string bytes(stat.size, '\0');
    zip_int64_t got = stat.size ? zip_fread(file.get(), bytes.data(), stat.size) : 0;
    if (got < 0 || static_cast<zip_uint64_t>(got) != stat.size)
      ThrowFileError(path_, "part " + name + " of the workbook is damaged");
    return bytes;
  }

  XmlDocPtr Xml(const std::string& name) const {
    auto bytes = Part(name);
    if (!bytes) ThrowFileError(path_, "is no Excel workbook: it has no part " + name);
    return ParseXml(*bytes, path_, name);
  }

 private:
  std::string path_;
  std::unique_ptr<zip_t, ZipCloser> zip_;
};

struct SheetEntry {
  std::string name;
  std::string part;
};

struct Workbook {
  std::vector<SheetEntry> sheets;
  bool date1904 = false;
};

bool TrueAttribute(const xmlNode* node, const char* name) {
  std::string value;
  return Attribute(node, name, value) && (value == "1" || value == "true");
}

Workbook ReadWorkbook(const Package& package) {
  Workbook book;
  std::map<std::string, std::string> targets;
  if (package.Part("xl/_rels/workbook.xml.rels")) {
    XmlDocPtr rels = package.Xml("xl/_rels/workbook.xml.rels");
    for (xmlNode* r : ChildElements(xmlDocGetRootElement(rels.get()), "Relationship")) {
      std::string id, target, type;
      Attribute(r, "Type", type);
      bool worksheet = type.size() >= 10 && type.compare(type.size() - 10, 10, "/worksheet") == 0;
      if (worksheet && Attribute(r, "Id", id) && Attribute(r, "Target", target) && !target.empty())
        targets[id] = target[0] == '/' ? target.substr(1) : "xl/" + target;
    }
  }
  XmlDocPtr doc = package.Xml("xl/workbook.xml");
  xmlNode* root = xmlDocGetRootElement(doc.get());
  if (xmlNode* pr = FindDescendant(root, "workbookPr")) book.date1904 = TrueAttribute(pr, "date1904");
  for (xmlNode* s : ChildElements(FindDescendant(root, "sheets"), "sheet")) {
    std::string name, id;
    Attribute(s, "name", name);
    Attribute(s, "id", id);  // r:id, by local name
    auto target = targets.find(id);
    if (target != targets.end()) book.sheets.push_back({name, target->second});
  }
  return book;
}

std::vector<std::string> SharedStrings(const Package& package) {
  std::vector<std::string> strings;
  if (!package.Part("xl/sharedStrings.xml")) return strings;
  XmlDocPtr doc = package.Xml("xl/sharedStrings.xml");
  for (xmlNode* si : ChildElements(xmlDocGetRootElement(doc.get()), "si")) {
    std::string text;
    for (xmlNode* child = si->children; child; child = child->next) {
      if (IsElement(child, "t")) text += TextContent(child);
      if (IsElement(child, "r"))
        for (xmlNode* t : ChildElements(child, "t")) text += TextContent(t);
    }
    strings.push_back(std::move(text));
  }
  return strings;
}

// For each cell style, whether its number format shows dates.
std::vector<bool> DateStyles(const Package& package) {
  std::vector<bool> styles;
  if (!package.Part("xl/styles.xml")) return styles;
  XmlDocPtr doc = package.Xml("xl/styles.xml");
  xmlNode* root = xmlDocGetRootElement(doc.get());
  std::map<int, std::string> codes;
  for (xmlNode* f : ChildElements(FindDescendant(root, "numFmts"), "numFmt")) {
    std::string id, code;
    if (Attribute(f, "numFmtId", id) && Attribute(f, "formatCode", code)) codes[std::atoi(id.c_str())] = code;
  }
  for (xmlNode* xf : ChildElements(FindDescendant(root, "cellXfs"), "xf")) {
    std::string id;
    int number = Attribute(xf, "numFmtId", id) ? std::atoi(id.c_str()) : 0;
    styles.push_back(IsDateFormat(number, codes.count(number) ? codes[number] : ""));
  }
  return styles;
}

// "B12" -> column 1, row 11; false when malformed.
bool ParseReference(const std::string& ref, int& row, int& column) {
  std::size_t i = 0;
  long col = 0;
  while (i < ref.size() && ref[i] >= 'A' && ref[i] <= 'Z' && col <= SheetGrid::kMaxColumns) col = col * 26 + (ref[i++] - 'A' + 1);
  long r = 0;
  auto [end, ec] = std::from_chars(ref.data() + i, ref.data() + ref.size(), r);
  if (col == 0 || ec != std::errc() || end != ref.data() + ref.size() || r < 1 || r > SheetGrid::kMaxRows ||
      col > SheetGrid::kMaxColumns)
    return false;
  row = static_cast<int>(r - 1);
  column = static_cast<int>(col - 1);
  return true;
}

class SheetReader {
 public:
  SheetReader(const std::string& path, const std::string& sheet, const Workbook& book,
              std::vector<std::string> strings, std::vector<bool> date_styles)
      : path_(path), sheet_(sheet), book_(book), strings_(std::move(strings)), date_styles_(std::move(date_styles)) {}

  SheetGrid Read(const xmlNode* root) {
    SheetGrid grid;
    int row = -1;
    for (xmlNode* r : ChildElements(FindDescendant(const_cast<xmlNode*>(root), "sheetData"), "row")) {
      std::string number;
      row = Attribute(r, "r", number) ? std::atoi(number.c_str()) - 1 : row + 1;
      int column = -1;
      for (xmlNode* c : ChildElements(r, "c")) {
        std::string ref;
        int ref_row = row;
        if (Attribute(c, "r", ref)) {
          if (!ParseReference(ref, ref_row, column)) Bad("cell reference " + ref);
        } else {
          ++column;
        }
        SheetCell cell = Cell(c);
        if (cell.kind != SheetCell::kEmpty) grid.Set(ref_row, column, std::move(cell), path_);
      }
    }
    return grid;
  }

 private:
  [[noreturn]] void Bad(const std::string& what) const {
    ThrowFileError(path_, "sheet " + sheet_ + " has a bad " + what);
  }

  SheetCell Cell(const xmlNode* c) const {
    std::string type = "n", style, value;
    Attribute(c, "t", type);
    xmlNode* v = ChildElements(c, "v").empty() ? nullptr : ChildElements(c, "v")[0];
    if (v) value = TextContent(v);
    SheetCell cell;
    if (type == "inlineStr") {
      xmlNode* is = ChildElements(c, "is").empty() ? nullptr : ChildElements(c, "is")[0];
      cell.kind = SheetCell::kText;
      if (is) cell.text = TextContent(is);
      return cell;
    }
    if (!v) return cell;
    if (type == "s") {
      std::size_t index = 0;
      auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), index);
      if (ec != std::errc() || end != value.data() + value.size() || index >= strings_.size())
        Bad("shared string number " + value);
      cell.kind = SheetCell::kText;
      cell.text = strings_[index];
    } else if (type == "str") {
      cell.kind = SheetCell::kText;
      cell.text = value;
    } else if (type == "b") {
      cell.kind = SheetCell::kBool;
      cell.number = value == "1" || value == "true";
    } else if (type == "e") {
      cell.kind = SheetCell::kError;
    } else if (type == "d") {
      auto date = com::parseIsoDate(value.substr(0, 19));
      if (!date) Bad("date " + value);
      cell.kind = SheetCell::kDate;
      cell.number = *date;
    } else {
      auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), cell.number);
      if (ec != std::errc() || end != value.data() + value.size()) Bad("number " + value);
      cell.kind = SheetCell::kNumber;
      std::size_t s = Attribute(c, "s", style) ? std::strtoul(style.c_str(), nullptr, 10) : 0;
      if (s < date_styles_.size() && date_styles_[s]) {
        cell.kind = SheetCell::kDate;
        cell.number = OleDateFromExcelSerial(cell.number, book_.date1904);
      }
    }
    return cell;
  }

  std::string path_;
  std::string sheet_;
  const Workbook& book_;
  std::vector<std::string> strings_;
  std::vector<bool> date_styles_;
};

}  // namespace

std::vector<std::string> XlsxSheetNames(const std::string& path) {
  std::vector<std::string> names;
  for (const auto& s : ReadWorkbook(Package(path)).sheets) names.push_back(s.name);
  return names;
}

SheetGrid ReadXlsxGrid(const std::string& path, const std::string& sheet) {
  Package package(path);
  Workbook book = ReadWorkbook(package);
  for (const auto& entry : book.sheets) {
    if (entry.name != sheet) continue;
    XmlDocPtr doc = package.Xml(entry.part);
    SheetReader reader(path, sheet, book, SharedStrings(package), DateStyles(package));
    return reader.Read(xmlDocGetRootElement(doc.get()));
  }
  ThrowFileError(path, "has no sheet " + sheet);
}

}  // namespace orlix::ado
