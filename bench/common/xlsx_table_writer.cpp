#include "bench/common/xlsx_table_writer.h"

#include <zip.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <stdexcept>
#include <vector>

namespace orlix::bench {
namespace {

const char* const kMain = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
const char* const kRelations = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";

std::string columnLetters(size_t column) {
  std::string letters;
  for (size_t n = column + 1; n > 0; n = (n - 1) / 26) letters.insert(letters.begin(), char('A' + (n - 1) % 26));
  return letters;
}

// Shared strings: the names first, then each level and class name.
struct SharedStrings {
  std::vector<std::string> texts;
  std::map<std::string, size_t> index;
  size_t of(const std::string& text) {
    auto [it, added] = index.try_emplace(text, texts.size());
    if (added) texts.push_back(text);
    return it->second;
  }
};

void writeSheet(const GeneratedTable& table, SharedStrings& strings, const std::string& file) {
  std::ofstream out(file, std::ios::binary);
  out << "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<worksheet xmlns=\"" << kMain
      << "\"><sheetData>";
  std::vector<std::string> letters;
  for (size_t c = 0; c < GeneratedTable::kColumns; ++c) letters.push_back(columnLetters(c));
  std::string line;
  for (size_t r = 0; r <= table.rows(); ++r) {
    const std::string number = std::to_string(r + 1);
    line = "<row r=\"" + number + "\">";
    for (size_t c = 0; c < GeneratedTable::kColumns; ++c) {
      line += "<c r=\"" + letters[c] + number + "\"";
      if (r > 0 && table.isNumericColumn(c)) {
        line += " t=\"n\"><v>" + table.cellText(r - 1, c) + "</v></c>";
      } else {
        const std::string& text = r == 0 ? table.names[c] : table.cellText(r - 1, c);
        line += " t=\"s\"><v>" + std::to_string(strings.of(text)) + "</v></c>";
      }
    }
    line += "</row>";
    out << line;
  }
  out << "</sheetData></worksheet>";
  out.close();
  if (!out) throw std::runtime_error("cannot write " + file);
}

std::string sharedStringsXml(const SharedStrings& strings) {
  std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<sst xmlns=\"" +
                    std::string(kMain) + "\" uniqueCount=\"" + std::to_string(strings.texts.size()) + "\">";
  for (const std::string& text : strings.texts) xml += "<si><t>" + text + "</t></si>";
  return xml + "</sst>";
}

std::map<std::string, std::string> fixedParts() {
  std::map<std::string, std::string> parts;
  parts["[Content_Types].xml"] =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Types "
      "xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
      "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
      "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
      "<Override PartName=\"/xl/workbook.xml\" "
      "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\"/>"
      "<Override PartName=\"/xl/worksheets/sheet1.xml\" "
      "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/>"
      "<Override PartName=\"/xl/sharedStrings.xml\" "
      "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml\"/>"
      "<Override PartName=\"/xl/styles.xml\" "
      "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml\"/></Types>";
  parts["_rels/.rels"] =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Relationships "
      "xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\"><Relationship Id=\"rId1\" "
      "Type=\"" + std::string(kRelations) + "/officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>";
  parts["xl/workbook.xml"] = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<workbook xmlns=\"" + std::string(kMain) +
                             "\" xmlns:r=\"" + kRelations +
                             "\"><workbookPr/><sheets><sheet name=\"Data\" sheetId=\"1\" r:id=\"rId1\"/></sheets>"
                             "</workbook>";
  parts["xl/_rels/workbook.xml.rels"] =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Relationships "
      "xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
      "<Relationship Id=\"rId1\" Type=\"" + std::string(kRelations) + "/worksheet\" Target=\"worksheets/sheet1.xml\"/>"
      "<Relationship Id=\"rId2\" Type=\"" + std::string(kRelations) + "/sharedStrings\" Target=\"sharedStrings.xml\"/>"
      "<Relationship Id=\"rId3\" Type=\"" + std::string(kRelations) + "/styles\" Target=\"styles.xml\"/>"
      "</Relationships>";
  parts["xl/styles.xml"] = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<styleSheet xmlns=\"" + std::string(kMain) +
                           "\"><fonts count=\"1\"><font><sz val=\"11\"/><name val=\"Calibri\"/></font></fonts>"
                           "<fills count=\"1\"><fill><patternFill patternType=\"none\"/></fill></fills>"
                           "<borders count=\"1\"><border/></borders>"
                           "<cellStyleXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\"/>"
                           "</cellStyleXfs><cellXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" "
                           "borderId=\"0\" xfId=\"0\"/></cellXfs><cellStyles count=\"1\"><cellStyle name=\"Normal\" "
                           "xfId=\"0\" builtinId=\"0\"/></cellStyles></styleSheet>";
  return parts;
}

}  // namespace

void writeXlsx(const GeneratedTable& table, const std::string& path) {
  const std::string sheetFile = path + ".sheet.xml";
  SharedStrings strings;
  writeSheet(table, strings, sheetFile);
  std::map<std::string, std::string> parts = fixedParts();
  parts["xl/sharedStrings.xml"] = sharedStringsXml(strings);

  int error = 0;
  zip_t* zip = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
  if (!zip) throw std::runtime_error("cannot create " + path);
  auto add = [&](const std::string& name, zip_source_t* source) {
    const zip_int64_t index = source ? zip_file_add(zip, name.c_str(), source, ZIP_FL_OVERWRITE) : -1;
    if (index < 0) {
      zip_source_free(source);
      zip_discard(zip);
      std::filesystem::remove(sheetFile);
      throw std::runtime_error("cannot add " + name + " to " + path);
    }
    zip_set_file_compression(zip, static_cast<zip_uint64_t>(index), ZIP_CM_DEFLATE, 1);
  };
  for (const auto& [name, text] : parts) add(name, zip_source_buffer(zip, text.data(), text.size(), 0));
  add("xl/worksheets/sheet1.xml", zip_source_file(zip, sheetFile.c_str(), 0, -1));
  const bool written = zip_close(zip) == 0;
  if (!written) zip_discard(zip);
  std::filesystem::remove(sheetFile);
  if (!written) throw std::runtime_error("cannot write " + path);
}

}  // namespace orlix::bench
