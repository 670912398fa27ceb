#include "platform/ado/files/excel/xlsx_reader.h"

#include <strings.h>

#include <cstdlib>
#include <map>

#include "platform/ado/files/excel/excel_number_format.h"
#include "platform/ado/files/excel/xlsx_package.h"
#include "platform/ado/files/excel/xlsx_sheet_reader.h"
#include "platform/ado/files/xml_document.h"

namespace orlix::ado {

namespace {

// The fewest bytes of sheet XML a cell takes (<c><v>1</v></c> and its reference).
constexpr zip_uint64_t kLeastCellBytes = 24;

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
  if (package.Find("xl/_rels/workbook.xml.rels")) {
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

// The shared strings, added to the grid in order: the text of each <si>,
// from its own <t> and the <t> of its runs (<r>), not of phonetic hints.
// Returns their number.
std::uint32_t SharedStrings(const Package& package, SheetGrid& grid) {
  const std::string part = "xl/sharedStrings.xml";
  const auto found = package.Find(part);
  if (!found) return 0;
  XmlStream xml(package, *found);
  std::uint32_t count = 0;
  std::string text;
  int siDepth = -1;
  while (xml.Next()) {
    if (siDepth < 0) {
      if (!xml.Starts("si") || xml.Depth() != 1) continue;
      text.clear();
      if (xml.IsEmpty()) {
        grid.AddString(text);
        ++count;
        continue;
      }
      siDepth = xml.Depth();
    } else if (xml.IsEnd() && xml.Depth() == siDepth) {
      grid.AddString(text);
      ++count;
      siDepth = -1;
    } else if (xml.Starts("t") && xml.Depth() == siDepth + 1) {
      xml.AppendText(text);
    } else if (xml.Starts("r") && xml.Depth() == siDepth + 1) {
      // a run: its <t> children only
    } else if (xml.Starts("t") && xml.Depth() == siDepth + 2) {
      xml.AppendText(text);
    } else if (xml.IsStart() && xml.Depth() >= siDepth + 1 && !xml.NameIs("r")) {
      xml.Skip();
    }
  }
  return count;
}

// For each cell style, whether its number format shows dates: the first
// <numFmts> and the <xf> children of the first <cellXfs>.
std::vector<bool> DateStyles(const Package& package) {
  std::vector<bool> styles;
  const std::string part = "xl/styles.xml";
  const auto found = package.Find(part);
  if (!found) return styles;
  XmlStream xml(package, *found);
  std::map<int, std::string> codes;
  std::vector<int> formats;
  enum { kOutside, kInFormats, kInStyles, kDone } state = kOutside;
  bool seenFormats = false, seenStyles = false;
  int depth = 0;
  while (state != kDone && xml.Next()) {
    if (state == kOutside && xml.IsStart()) {
      if (!seenFormats && xml.NameIs("numFmts")) {
        seenFormats = true;
        if (!xml.IsEmpty()) state = kInFormats, depth = xml.Depth();
      } else if (!seenStyles && xml.NameIs("cellXfs")) {
        seenStyles = true;
        if (!xml.IsEmpty()) state = kInStyles, depth = xml.Depth();
      }
    } else if (state != kOutside && xml.IsEnd() && xml.Depth() == depth) {
      state = seenFormats && seenStyles ? kDone : kOutside;
    } else if (state == kInFormats && xml.Starts("numFmt") && xml.Depth() == depth + 1) {
      std::string id, code;
      bool hasId = false, hasCode = false;
      xml.Attributes([&](const char* name, std::string_view value) {
        if (strcasecmp(name, "numFmtId") == 0) hasId = true, id = value;
        if (strcasecmp(name, "formatCode") == 0) hasCode = true, code = value;
      });
      if (hasId && hasCode) codes[std::atoi(id.c_str())] = code;
    } else if (state == kInStyles && xml.Starts("xf") && xml.Depth() == depth + 1) {
      int number = 0;
      xml.Attributes([&](const char* name, std::string_view value) {
        if (strcasecmp(name, "numFmtId") == 0) number = std::atoi(std::string(value).c_str());
      });
      formats.push_back(number);
    }
  }
  for (int number : formats) styles.push_back(IsDateFormat(number, codes.count(number) ? codes[number] : ""));
  return styles;
}

}  // namespace

std::vector<std::string> listXlsxSheets(const std::string& path) {
  std::vector<std::string> names;
  for (const auto& s : ReadWorkbook(Package(path)).sheets) names.push_back(s.name);
  return names;
}

SheetGrid readXlsxGrid(const std::string& path, const std::string& sheet) {
  Package package(path);
  Workbook book = ReadWorkbook(package);
  for (const auto& entry : book.sheets) {
    if (entry.name != sheet) continue;
    const auto part = package.Find(entry.part);
    if (!part) ThrowFileError(path, "is no Excel workbook: it has no part " + entry.part);
    SheetGrid grid;
    SheetSettings settings;
    settings.sheet = sheet;
    settings.date1904 = book.date1904;
    settings.sharedStrings = SharedStrings(package, grid);
    settings.dateStyles = DateStyles(package);
    grid.Reserve(static_cast<std::size_t>(part->size / kLeastCellBytes));
    ReadSheetCells(package, *part, settings, grid);
    return grid;
  }
  ThrowFileError(path, "has no sheet " + sheet);
}

}  // namespace orlix::ado
