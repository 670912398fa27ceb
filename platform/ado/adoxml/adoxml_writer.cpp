#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <set>

#include "platform/ado/adoxml/adoxml.h"
#include "platform/ado/adoxml/adoxml_types.h"
#include "platform/ado/error.h"
#include "platform/ado/utf8.h"

namespace orlix::ado {

namespace {

const char* const kHeader =
    "<xml xmlns:s='uuid:BDC6E3F0-6DA3-11d1-A2A3-00AA00C14882'\r\n"
    "\txmlns:dt='uuid:C2F41010-65B3-11d1-A29F-00AA00C14882'\r\n"
    "\txmlns:rs='urn:schemas-microsoft-com:rowset'\r\n"
    "\txmlns:z='#RowsetSchema'>\r\n"
    "<s:Schema id='RowsetSchema'>\r\n"
    "\t<s:ElementType name='row' content='eltOnly' rs:updatable='true'>\r\n";
const char* const kSchemaEnd =
    "\t\t<s:extends type='rs:rowbase'/>\r\n"
    "\t</s:ElementType>\r\n"
    "</s:Schema>\r\n"
    "<rs:data>\r\n";
const char* const kEnd = "</rs:data>\r\n</xml>";

// ADO breaks a start tag before an attribute once the line, without its
// indentation, is longer than this; the continuation is indented one blank
// further than the tag.
constexpr size_t kWrapAfter = 104;

// Writes one start tag, wrapping long ones as ADO does.
class TagWriter {
 public:
  TagWriter(std::string& out, int depth, const char* name) : out_(out), depth_(depth) {
    out_.append(static_cast<size_t>(depth), '\t');
    out_ += '<';
    out_ += name;
    width_ = std::strlen(name) + 1;
  }
  // `value` must already be escaped.
  void attribute(std::string_view name, std::string_view value) {
    if (width_ > kWrapAfter) {
      out_ += "\r\n";
      out_.append(static_cast<size_t>(depth_), '\t');
      width_ = 0;
    }
    const size_t before = out_.size();
    out_ += ' ';
    out_ += name;
    out_ += "='";
    out_ += value;
    out_ += '\'';
    width_ += characters(std::string_view(out_).substr(before));
  }
  void close(bool empty) { out_ += empty ? "/>\r\n" : ">\r\n"; }

 private:
  // UTF-16 units, as ADO counts: one per code point, two above the BMP.
  static size_t characters(std::string_view s) {
    size_t n = 0;
    for (unsigned char c : s) {
      if ((c & 0xC0) != 0x80) ++n;
      if (c >= 0xF0) ++n;
    }
    return n;
  }
  std::string& out_;
  int depth_;
  size_t width_;
};

class XmlWriter {
 public:
  explicit XmlWriter(const Table& t) : t_(t) {}

  std::string write() {
    out_ = kHeader;
    checkNames();
    for (size_t c = 0; c < t_.fieldCount(); ++c) writeField(c);
    out_ += kSchemaEnd;
    writeRows();
    out_ += kEnd;
    return std::move(out_);
  }

 private:
  // ' & < > " as ADO writes them; tab, CR and LF as references so that they
  // survive attribute normalisation; other control characters cannot be
  // carried by XML 1.0.
  std::string escape(std::string_view s, size_t row, size_t col) {
    size_t bad = invalidUtf8Offset(s);
    if (bad != std::string_view::npos && s[bad] != '\0')
      fail(row, col, "the text is not valid UTF-8");
    if (s.find("\xEF\xBF\xBE") != std::string_view::npos || s.find("\xEF\xBF\xBF") != std::string_view::npos)
      fail(row, col, "the characters U+FFFE and U+FFFF cannot be saved in XML");
    std::string e;
    e.reserve(s.size());
    for (char ch : s) {
      const auto c = static_cast<unsigned char>(ch);
      switch (ch) {
        case '\'': e += "&#x27;"; break;
        case '&': e += "&#x26;"; break;
        case '<': e += "&#x3c;"; break;
        case '>': e += "&#x3e;"; break;
        case '"': e += "&#x22;"; break;
        case '\t': e += "&#x9;"; break;
        case '\n': e += "&#xa;"; break;
        case '\r': e += "&#xd;"; break;
        default:
          if (c < 0x20)
            fail(row, col, std::string("the control character 0x") + "0123456789ABCDEF"[c >> 4] +
                               "0123456789ABCDEF"[c & 15] + " cannot be saved in XML");
          e += ch;
      }
    }
    return e;
  }

  [[noreturn]] void fail(size_t row, size_t col, const std::string& why) {
    std::string where = "field '" + t_.field(col).name + "'";
    if (row != static_cast<size_t>(-1)) where += ", row " + std::to_string(row + 1);
    throw DataError(t_.sourceName().empty() ? "Recordset" : t_.sourceName(), where + ": " + why);
  }

  void writeField(size_t col) {
    const FieldInfo& f = t_.field(col);
    const XmlType& x = xmlTypeOf(f.type);
    const long attrs = f.attributes == adFldUnspecified ? 0 : f.attributes;
    const size_t noRow = static_cast<size_t>(-1);
    {
      TagWriter tag(out_, 2, "s:AttributeType");
      tag.attribute("name", xmlName(col));
      if (xmlName(col) != f.name) tag.attribute("rs:name", escape(f.name, noRow, col));
      tag.attribute("rs:number", std::to_string(col + 1));
      if (attrs & adFldIsNullable) tag.attribute("rs:nullable", "true");
      tag.attribute("rs:write", "true");
      tag.close(false);
    }
    {
      TagWriter tag(out_, 3, "s:datatype");
      tag.attribute("dt:type", x.dtType);
      if (*x.dbType) tag.attribute("rs:dbtype", x.dbType);
      long long maxLength = x.fixedSize ? x.fixedSize : f.definedSize;
      if (f.type == adBSTR) maxLength = 4294967295LL;
      tag.attribute("dt:maxLength", std::to_string(maxLength));
      if (f.type == adNumeric || f.type == adDecimal || f.type == adVarNumeric)
        tag.attribute("rs:scale", std::to_string(f.scale));
      tag.attribute("rs:precision", std::to_string(f.precision));
      if (x.isLong || (attrs & adFldLong)) tag.attribute("rs:long", "true");
      if (x.fixedSize || f.type == adChar || f.type == adWChar || f.type == adBinary)
        tag.attribute("rs:fixedlength", "true");
      tag.attribute("rs:maybenull", (attrs & adFldMayBeNull) ? "true" : "false");
      tag.close(true);
    }
    out_ += "\t\t</s:AttributeType>\r\n";
  }

  void writeRows() {
    bool inInsert = false;
    for (size_t r = 0; r < t_.rowCount(); ++r) {
      const bool inserted = t_.rowStatus(r) == RowStatus::Inserted;
      if (inserted != inInsert) {
        out_ += inserted ? "\t<rs:insert>\r\n" : "\t</rs:insert>\r\n";
        inInsert = inserted;
      }
      writeRow(r, inserted ? 2 : 1, inserted);
    }
    if (inInsert) out_ += "\t</rs:insert>\r\n";
  }

  void writeRow(size_t r, int depth, bool inserted) {
    TagWriter tag(out_, depth, "z:row");
    std::string forceNull;
    for (size_t c = 0; c < t_.fieldCount(); ++c) {
      if (t_.isNull(r, c)) {
        if (inserted) forceNull += (forceNull.empty() ? "" : " ") + xmlName(c);
        continue;
      }
      tag.attribute(xmlName(c), cellText(r, c));
    }
    if (!forceNull.empty()) tag.attribute("rs:forcenull", forceNull);
    tag.close(true);
  }

  std::string cellText(size_t r, size_t c) {
    const FieldInfo& f = t_.field(c);
    switch (f.type) {
      case adBoolean: return t_.integerAt(r, c) ? "True" : "False";
      case adCurrency: return com::formatCurrency(t_.integerAt(r, c));
      case adDouble: return com::formatSignificant(t_.realAt(r, c), 17);
      case adSingle: return com::formatSignificant(static_cast<float>(t_.realAt(r, c)), 9);
      case adDate: case adDBTimeStamp: case adDBDate: case adDBTime: return dateText(r, c, f.type);
      case adNumeric: case adVarNumeric: return numericText(t_.textAt(r, c), f.scale);
      case adDecimal: return std::string(t_.textAt(r, c));  // canonical already
      case adBinary: case adVarBinary: case adLongVarBinary: return hexText(t_.textAt(r, c));
      default: break;
    }
    if (storageOf(f.type) == Storage::Integer) return std::to_string(t_.integerAt(r, c));
    return escape(t_.textAt(r, c), r, c);
  }

  std::string dateText(size_t r, size_t c, DataType type) {
    com::DateParts p;
    try {
      p = com::oleDateParts(t_.realAt(r, c));
    } catch (const com::TypeMismatch& e) {
      fail(r, c, e.what());
    }
    if (type == adDBDate) return com::isoDayText(p);
    if (type == adDBTime) return com::isoTimeText(p);
    return com::isoDayText(p) + "T" + com::isoTimeText(p);
  }

  // Decimal text with exactly `scale` decimals and no zero before the point
  // (".0000", "-922337.5808"), as ADO writes numeric fields.
  static std::string numericText(std::string_view s, int scale) {
    std::string sign;
    if (!s.empty() && (s[0] == '-' || s[0] == '+')) {
      if (s[0] == '-') sign = "-";
      s.remove_prefix(1);
    }
    size_t point = s.find('.');
    std::string whole(s.substr(0, point));
    std::string frac(point == std::string_view::npos ? "" : s.substr(point + 1));
    whole.erase(0, std::min(whole.find_first_not_of('0'), whole.size()));
    // Padded to the scale; never cut, so no digit of the value is lost.
    frac.resize(std::max(frac.size(), static_cast<size_t>(std::max(scale, 0))), '0');
    if (whole.empty() && frac.empty()) return "0";
    if (whole.empty() && frac.find_first_not_of('0') == std::string::npos) sign.clear();
    return sign + whole + (frac.empty() ? "" : "." + frac);
  }

  static std::string hexText(std::string_view s) {
    static const char* digits = "0123456789abcdef";
    std::string out;
    out.reserve(s.size() * 2);
    for (unsigned char c : s) {
      out += digits[c >> 4];
      out += digits[c & 15];
    }
    return out;
  }

  // Rows name their cells by attribute: two fields with one name cannot be saved.
  void checkNames() {
    std::set<std::string> seen;
    for (size_t c = 0; c < t_.fieldCount(); ++c)
      if (!seen.insert(xmlName(c)).second)
        fail(static_cast<size_t>(-1), c, "another field has the same name; rename one to save");
  }

  // The attribute name of a field in rows: the name itself when it is an XML
  // name, otherwise "c" and the field's position, with the name in rs:name.
  std::string xmlName(size_t col) const {
    const std::string& name = t_.field(col).name;
    return isXmlName(name) ? name : "c" + std::to_string(col);
  }

  // An XML 1.0 name without a colon, for well-formed UTF-8 text.
  static bool isXmlName(std::string_view s) {
    if (s.empty() || invalidUtf8Offset(s) != std::string_view::npos) return false;
    bool first = true;
    for (size_t i = 0; i < s.size(); first = false) {
      const auto c = static_cast<unsigned char>(s[i]);
      uint32_t cp = c;
      size_t len = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
      if (len > 1) {
        cp = c & (0xFF >> (len + 1));
        for (size_t k = 1; k < len; ++k) cp = (cp << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
      }
      i += len;
      const bool start = (cp < 0x80 && (std::isalpha(static_cast<int>(cp)) || cp == '_')) ||
                         (cp >= 0xC0 && cp <= 0xD6) || (cp >= 0xD8 && cp <= 0xF6) ||
                         (cp >= 0xF8 && cp <= 0x2FF) || (cp >= 0x370 && cp <= 0x37D) ||
                         (cp >= 0x37F && cp <= 0x1FFF) || (cp >= 0x200C && cp <= 0x200D) ||
                         (cp >= 0x2070 && cp <= 0x218F) || (cp >= 0x2C00 && cp <= 0x2FEF) ||
                         (cp >= 0x3001 && cp <= 0xD7FF) || (cp >= 0xF900 && cp <= 0xFDCF) ||
                         (cp >= 0xFDF0 && cp <= 0xFFFD) || (cp >= 0x10000 && cp <= 0xEFFFF);
      const bool more = (cp < 0x80 && (std::isdigit(static_cast<int>(cp)) || cp == '.' || cp == '-')) ||
                        cp == 0xB7 || (cp >= 0x300 && cp <= 0x36F) || (cp >= 0x203F && cp <= 0x2040);
      if (!(start || (!first && more))) return false;
    }
    return true;
  }

  const Table& t_;
  std::string out_;
};

}  // namespace

std::string adoXmlText(const Table& table) { return XmlWriter(table).write(); }

}  // namespace orlix::ado
