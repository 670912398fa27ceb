#include "platform/ado/files/html_table_reader.h"

#include <libxml/HTMLparser.h>

#include <algorithm>
#include <climits>
#include <fstream>
#include <iterator>

#include "platform/ado/field_names.h"
#include "platform/ado/text/text_column_type.h"
#include "platform/ado/files/text_encoding.h"
#include "platform/ado/files/xml_document.h"

namespace orlix::ado {

namespace {

// Beyond this a file is no table an analyst exports to HTML.
constexpr std::size_t kMaxFileSize = 512u << 20;

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) ThrowFileError(path, "cannot be opened");
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (bytes.size() > kMaxFileSize) ThrowFileError(path, "is too large for an HTML table");
  return bytes;
}

// The charset a <meta> declares in the head of the file, lower-cased; empty if none.
std::string DeclaredCharset(const std::string& bytes) {
  std::string head = asciiLowered(std::string_view(bytes).substr(0, 4096));
  std::size_t at = head.find("charset=");
  if (at == std::string::npos) return "";
  at += 8;
  while (at < head.size() && (head[at] == '"' || head[at] == '\'' || head[at] == ' ')) ++at;
  std::size_t end = at;
  while (end < head.size() && (std::isalnum(static_cast<unsigned char>(head[end])) || head[end] == '-' || head[end] == '_')) ++end;
  return head.substr(at, end - at);
}

XmlDocPtr ParseHtml(const std::string& path) {
  std::string bytes = ReadFile(path);
  std::string charset = DeclaredCharset(bytes);
  const char* encoding = nullptr;  // a declared charset other than UTF-8: libxml2 converts it
  if (charset.empty() || charset == "utf-8" || charset == "utf8") {
    if (IsValidUtf8(bytes)) encoding = "UTF-8";
    else if (charset.empty()) encoding = "windows-1252";  // what undeclared 8-bit pages mean
    else ThrowFileError(path, "declares UTF-8 but its text is not valid UTF-8");
  }
  XmlDocPtr doc(htmlReadMemory(bytes.data(), static_cast<int>(bytes.size()), path.c_str(), encoding,
                               HTML_PARSE_RECOVER | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING | HTML_PARSE_NONET));
  if (!doc || !xmlDocGetRootElement(doc.get())) ThrowFileError(path, "cannot be read as HTML");
  return doc;
}

std::vector<xmlNode*> Tables(xmlNode* root) {
  std::vector<xmlNode*> tables = Descendants(root, "table");
  if (IsElement(root, "table")) tables.insert(tables.begin(), root);
  return tables;
}

// Cell text as a browser shows it: runs of white space (and no-break spaces) as one blank, trimmed.
std::string CellText(const xmlNode* cell) {
  std::string raw = TextContent(cell), out;
  bool space = false;
  for (std::size_t i = 0; i < raw.size(); ++i) {
    unsigned char c = raw[i];
    bool nbsp = c == 0xC2 && i + 1 < raw.size() && static_cast<unsigned char>(raw[i + 1]) == 0xA0;
    if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || nbsp) {
      space = !out.empty();
      if (nbsp) ++i;
      continue;
    }
    if (space) out.push_back(' ');
    space = false;
    out.push_back(static_cast<char>(c));
  }
  return out;
}

using Row = std::vector<std::string>;

Row ReadRow(const xmlNode* tr) {
  Row row;
  for (xmlNode* cell = tr->children; cell; cell = cell->next) {
    if (!IsElement(cell, "td") && !IsElement(cell, "th")) continue;
    row.push_back(CellText(cell));
    std::string span;
    if (Attribute(cell, "colspan", span))
      row.resize(row.size() + std::clamp(std::atoi(span.c_str()), 1, 1000) - 1);
  }
  return row;
}

// The rows of a table (not of tables nested in its cells); the thead's first row first.
std::vector<Row> TableRows(const xmlNode* table) {
  std::vector<Row> head, body;
  for (xmlNode* child = table->children; child; child = child->next) {
    if (IsElement(child, "tr")) body.push_back(ReadRow(child));
    bool section = IsElement(child, "thead") || IsElement(child, "tbody") || IsElement(child, "tfoot");
    if (!section) continue;
    auto& into = IsElement(child, "thead") ? head : body;
    for (xmlNode* tr : ChildElements(child, "tr")) into.push_back(ReadRow(tr));
  }
  head.insert(head.end(), body.begin(), body.end());
  return head;
}

}  // namespace

int countHtmlTables(const std::string& path) {
  XmlDocPtr doc = ParseHtml(path);
  return static_cast<int>(Tables(xmlDocGetRootElement(doc.get())).size());
}

void readHtmlTable(const std::string& path, int index, FileTableSink& sink) {
  XmlDocPtr doc = ParseHtml(path);
  std::vector<xmlNode*> tables = Tables(xmlDocGetRootElement(doc.get()));
  if (tables.empty()) ThrowFileError(path, "holds no HTML table");
  if (index < 0 || index >= static_cast<int>(tables.size()))
    ThrowFileError(path, "has no table " + std::to_string(index + 1));
  std::vector<Row> rows = TableRows(tables[index]);
  if (rows.empty()) ThrowFileError(path, "table " + std::to_string(index + 1) + " has no rows");
  std::size_t width = 0;
  for (const auto& row : rows) width = std::max(width, row.size());
  Row names = rows[0];
  names.resize(width);
  MakeFieldNamesUnique(names);
  std::vector<TextColumnTyper> typers(width);
  std::vector<std::int32_t> sizes(width, 255);
  for (std::size_t r = 1; r < rows.size(); ++r)
    for (std::size_t c = 0; c < rows[r].size(); ++c) {
      typers[c].See(rows[r][c]);
      sizes[c] = std::max<std::int32_t>(sizes[c], static_cast<std::int32_t>(std::min<std::size_t>(rows[r][c].size(), INT32_MAX)));
    }
  std::vector<FileField> fields;
  for (std::size_t c = 0; c < width; ++c) {
    int type = typers[c].Type();
    fields.push_back({names[c], type, type == kFileVarWChar ? sizes[c] : type == kFileInteger ? 4 : 8});
  }
  sink.SetFields(fields);
  std::vector<FileCell> cells(width);
  for (std::size_t r = 1; r < rows.size(); ++r) {
    for (std::size_t c = 0; c < width; ++c)
      cells[c] = c < rows[r].size() ? TextCellValue(rows[r][c], fields[c].type) : FileCell{};
    sink.AddRow(cells);
  }
}

}  // namespace orlix::ado
