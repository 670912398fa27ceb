// Writes small .xlsx workbooks for the tests: the zip through libzip, the XML
// parts as given. SheetXml() wraps rows of <c> cells in a worksheet part.
#pragma once

#include <zip.h>

#include <map>
#include <stdexcept>
#include <string>

namespace orlix::ado::testing {

using Parts = std::map<std::string, std::string>;

inline void WriteZip(const std::string& path, const Parts& parts) {
  int error = 0;
  zip_t* z = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
  if (!z) throw std::runtime_error("cannot create " + path);
  for (const auto& [name, text] : parts) {
    zip_source_t* src = zip_source_buffer(z, text.data(), text.size(), 0);
    if (!src || zip_file_add(z, name.c_str(), src, ZIP_FL_OVERWRITE) < 0) {
      zip_source_free(src);
      zip_discard(z);
      throw std::runtime_error("cannot add " + name);
    }
  }
  if (zip_close(z) != 0) throw std::runtime_error("cannot write " + path);
}

inline std::string SheetXml(const std::string& rows) {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>"
         "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><sheetData>" +
         rows + "</sheetData></worksheet>";
}

// A workbook of the named sheets (sheet1.xml, sheet2.xml, ... in order), with
// shared strings, and styles 0 general, 1 a built-in date, 2 a custom date-time.
inline Parts Workbook(const std::map<int, std::pair<std::string, std::string>>& sheets,
                      const std::string& shared_strings, bool date1904 = false) {
  const std::string ns = "xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
                         "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\"";
  std::string book = "<?xml version=\"1.0\"?><workbook " + ns + ">" +
                     (date1904 ? "<workbookPr date1904=\"1\"/>" : "<workbookPr/>") + "<sheets>";
  std::string rels = "<?xml version=\"1.0\"?><Relationships "
                     "xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
  Parts parts;
  for (const auto& [n, sheet] : sheets) {
    std::string id = std::to_string(n);
    book += "<sheet name=\"" + sheet.first + "\" sheetId=\"" + id + "\" r:id=\"rId" + id + "\"/>";
    rels += "<Relationship Id=\"rId" + id +
            "\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet\" "
            "Target=\"worksheets/sheet" + id + ".xml\"/>";
    parts["xl/worksheets/sheet" + id + ".xml"] = SheetXml(sheet.second);
  }
  parts["xl/workbook.xml"] = book + "</sheets></workbook>";
  parts["xl/_rels/workbook.xml.rels"] = rels + "</Relationships>";
  parts["xl/sharedStrings.xml"] =
      "<?xml version=\"1.0\"?><sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">" +
      shared_strings + "</sst>";
  parts["xl/styles.xml"] =
      "<?xml version=\"1.0\"?><styleSheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
      "<numFmts count=\"1\"><numFmt numFmtId=\"164\" formatCode=\"yyyy\\-mm\\-dd hh:mm\"/></numFmts>"
      "<cellXfs count=\"3\"><xf numFmtId=\"0\"/><xf numFmtId=\"14\"/><xf numFmtId=\"164\"/></cellXfs></styleSheet>";
  parts["[Content_Types].xml"] = "<?xml version=\"1.0\"?><Types "
                                 "xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\"/>";
  return parts;
}

}  // namespace orlix::ado::testing
