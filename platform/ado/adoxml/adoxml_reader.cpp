#include <libxml/parser.h>
#include <libxml/tree.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>

#include "platform/ado/adoxml/adoxml.h"
#include "platform/ado/adoxml/adoxml_types.h"
#include "platform/ado/connection_string.h"
#include "platform/ado/error.h"

namespace orlix::ado {

namespace {

const char* const kNsRowset = "urn:schemas-microsoft-com:rowset";
const char* const kNsSchema = "uuid:BDC6E3F0-6DA3-11d1-A2A3-00AA00C14882";
const char* const kNsDataType = "uuid:C2F41010-65B3-11d1-A29F-00AA00C14882";
const char* const kNsRow = "#RowsetSchema";

struct DocFree {
  void operator()(xmlDoc* d) const { xmlFreeDoc(d); }
};
struct CtxtFree {
  void operator()(xmlParserCtxt* c) const { xmlFreeParserCtxt(c); }
};

std::string_view str(const xmlChar* s) {
  return s ? std::string_view(reinterpret_cast<const char*>(s)) : std::string_view();
}

bool is(const xmlNode* n, const char* ns, const char* name) {
  return n->type == XML_ELEMENT_NODE && n->ns && str(n->ns->href) == ns && str(n->name) == name;
}

// An attribute's value (in namespace `ns`, or without one when ns is null).
std::optional<std::string> attr(const xmlNode* n, const char* name, const char* ns = nullptr) {
  for (const xmlAttr* a = n->properties; a; a = a->next) {
    if (str(a->name) != name) continue;
    if ((ns == nullptr) != (a->ns == nullptr)) continue;
    if (ns && str(a->ns->href) != ns) continue;
    xmlChar* v = xmlNodeListGetString(n->doc, a->children, 1);
    std::string out(str(v));
    xmlFree(v);
    return out;
  }
  return std::nullopt;
}

struct SchemaField {
  FieldInfo info;
  std::string xmlName;  // the attribute name rows use
  long long number = 0;
};

class XmlReader {
 public:
  XmlReader(std::string_view bytes, std::string source) : bytes_(bytes), source_(std::move(source)) {}

  std::shared_ptr<Table> read() {
    xmlInitParser();
    std::unique_ptr<xmlParserCtxt, CtxtFree> ctxt(xmlNewParserCtxt());
    if (!ctxt) throw DataError(source_, "out of memory");
    if (bytes_.size() > static_cast<size_t>(INT32_MAX)) throw DataError(source_, "the file is too large");
    std::unique_ptr<xmlDoc, DocFree> doc(xmlCtxtReadMemory(
        ctxt.get(), bytes_.data(), static_cast<int>(bytes_.size()), nullptr, nullptr,
        XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING));
    if (!doc) {
      const xmlError* e = xmlCtxtGetLastError(ctxt.get());
      std::string why = e && e->message ? e->message : "not well-formed XML";
      while (!why.empty() && (why.back() == '\n' || why.back() == ' ')) why.pop_back();
      throw DataError(source_, "line " + std::to_string(e ? e->line : 0) + ": " + why);
    }
    if (doc->intSubset || doc->extSubset)
      throw DataError(source_, "a document type declaration is not allowed in a saved record set");
    const xmlNode* root = xmlDocGetRootElement(doc.get());
    if (!root || str(root->name) != "xml" || root->ns)
      throw DataError(source_, "not a saved record set: the root element is not <xml>");
    const xmlNode* schema = child(root, kNsSchema, "Schema");
    const xmlNode* data = child(root, kNsRowset, "data");
    if (!schema) throw DataError(source_, "not a saved record set: no s:Schema");
    readSchema(schema);
    TableBuilder builder(source_);
    for (const SchemaField& f : fields_) builder.addField(f.info);
    table_ = builder.finish();
    if (data) readData(data);
    return std::move(table_);
  }

 private:
  static const xmlNode* child(const xmlNode* parent, const char* ns, const char* name) {
    for (const xmlNode* n = parent->children; n; n = n->next)
      if (is(n, ns, name)) return n;
    return nullptr;
  }

  [[noreturn]] void fail(const xmlNode* n, const std::string& why) {
    throw DataError(source_, "line " + std::to_string(xmlGetLineNo(n)) + ": " + why);
  }

  static bool flag(const xmlNode* n, const char* name) {
    auto v = attr(n, name, kNsRowset);
    return v && (*v == "true" || *v == "1");
  }

  long long number(const xmlNode* n, const std::optional<std::string>& v, const char* what) {
    if (!v) return 0;
    long long out = 0;
    auto [end, ec] = std::from_chars(v->data(), v->data() + v->size(), out);
    if (ec != std::errc() || end != v->data() + v->size() || out < 0)
      fail(n, std::string("bad ") + what + " \"" + *v + "\"");
    return out;
  }

  void readSchema(const xmlNode* schema) {
    const xmlNode* rowType = nullptr;
    for (const xmlNode* n = schema->children; n; n = n->next)
      if (is(n, kNsSchema, "ElementType") && attr(n, "name") == std::optional<std::string>("row"))
        rowType = n;
    if (!rowType) fail(schema, "the schema has no ElementType named 'row'");
    for (const xmlNode* n = rowType->children; n; n = n->next) {
      if (is(n, kNsSchema, "ElementType"))
        fail(n, "hierarchical (shaped) record sets are not supported");
      if (is(n, kNsSchema, "AttributeType")) fields_.push_back(readField(n));
    }
    std::stable_sort(fields_.begin(), fields_.end(),
                     [](const SchemaField& a, const SchemaField& b) { return a.number < b.number; });
    for (size_t i = 0; i < fields_.size(); ++i) {
      for (size_t j = 0; j < i; ++j)
        if (fields_[j].xmlName == fields_[i].xmlName)
          fail(rowType, "the field '" + fields_[i].xmlName + "' is declared twice");
      byXmlName_[fields_[i].xmlName] = i;
    }
  }

  SchemaField readField(const xmlNode* n) {
    SchemaField f;
    auto name = attr(n, "name");
    if (!name || name->empty()) fail(n, "a field without a name");
    f.xmlName = *name;
    f.info.name = attr(n, "name", kNsRowset).value_or(*name);
    f.number = number(n, attr(n, "number", kNsRowset), "rs:number");
    // The data type sits on an s:datatype child or on the AttributeType itself.
    const xmlNode* dt = child(n, kNsSchema, "datatype");
    if (!dt) dt = n;
    const std::string dtType = attr(dt, "type", kNsDataType).value_or("string");
    const std::string dbType = attr(dt, "dbtype", kNsRowset).value_or("");
    const long long maxLength = number(dt, attr(dt, "maxLength", kNsDataType), "dt:maxLength");
    const bool isLong = flag(dt, "long");
    f.info.type = dataTypeOfXml(dtType, dbType, isLong, flag(dt, "fixedlength"), maxLength);
    f.info.definedSize = static_cast<long>(std::min<long long>(maxLength, 4294967295LL));
    f.info.precision = static_cast<int>(std::min<long long>(number(dt, attr(dt, "precision", kNsRowset), "rs:precision"), 255));
    f.info.scale = static_cast<int>(std::min<long long>(number(dt, attr(dt, "scale", kNsRowset), "rs:scale"), 255));
    long a = 0;
    if (flag(n, "nullable")) a |= adFldIsNullable;
    if (flag(dt, "maybenull")) a |= adFldMayBeNull;
    if (isLong && !xmlTypeOf(f.info.type).isLong) a |= adFldLong;
    if (flag(n, "keycolumn")) a |= adFldKeyColumn;
    if (flag(n, "rowid")) a |= adFldRowID;
    f.info.attributes = a ? a : adFldUnspecified;
    return f;
  }

  void readData(const xmlNode* data) {
    for (const xmlNode* n = data->children; n; n = n->next) {
      if (n->type != XML_ELEMENT_NODE) continue;
      if (is(n, kNsRow, "row")) {
        addRow(n, nullptr, RowStatus::Unchanged);
      } else if (is(n, kNsRowset, "insert")) {
        for (const xmlNode* r = n->children; r; r = r->next)
          if (r->type == XML_ELEMENT_NODE) addRow(expectRow(r), nullptr, RowStatus::Inserted);
      } else if (is(n, kNsRowset, "update")) {
        readUpdate(n);
      } else if (is(n, kNsRowset, "delete")) {
        for (const xmlNode* r = n->children; r; r = r->next)
          if (r->type == XML_ELEMENT_NODE) expectRow(r);  // pending deletions are not shown
      } else {
        fail(n, "unexpected element <" + std::string(str(n->name)) + "> in rs:data");
      }
    }
  }

  const xmlNode* expectRow(const xmlNode* n) {
    if (!is(n, kNsRow, "row")) fail(n, "expected a z:row, found <" + std::string(str(n->name)) + ">");
    if (n->children)
      for (const xmlNode* c = n->children; c; c = c->next)
        if (c->type == XML_ELEMENT_NODE) fail(c, "hierarchical (shaped) record sets are not supported");
    return n;
  }

  // <rs:update><rs:original><z:row .../></rs:original><z:row changes/></rs:update>
  void readUpdate(const xmlNode* update) {
    const xmlNode* original = nullptr;
    const xmlNode* changes = nullptr;
    for (const xmlNode* n = update->children; n; n = n->next) {
      if (n->type != XML_ELEMENT_NODE) continue;
      if (is(n, kNsRowset, "original")) {
        for (const xmlNode* r = n->children; r; r = r->next)
          if (r->type == XML_ELEMENT_NODE) original = expectRow(r);
      } else {
        changes = expectRow(n);
      }
    }
    if (!original) fail(update, "rs:update without rs:original");
    addRow(original, changes, RowStatus::Unchanged);
  }

  void addRow(const xmlNode* row, const xmlNode* changes, RowStatus status) {
    const size_t r = table_->appendRow();
    table_->setRowStatus(r, status);
    setCells(row, r);
    if (changes) setCells(changes, r);
  }

  void setCells(const xmlNode* row, size_t r) {
    for (const xmlAttr* a = row->properties; a; a = a->next) {
      xmlChar* raw = xmlNodeListGetString(row->doc, a->children, 1);
      std::string value(str(raw));
      xmlFree(raw);
      if (a->ns) {
        if (str(a->ns->href) == kNsRowset && str(a->name) == "forcenull") forceNull(row, r, value);
        continue;
      }
      auto it = byXmlName_.find(std::string(str(a->name)));
      if (it == byXmlName_.end())
        fail(row, "row " + std::to_string(r + 1) + " has a value for '" + std::string(str(a->name)) +
                      "', which the schema does not declare");
      setCell(row, r, it->second, value);
    }
  }

  void forceNull(const xmlNode* row, size_t r, const std::string& names) {
    size_t i = 0;
    while (i < names.size()) {
      size_t end = names.find(' ', i);
      if (end == std::string::npos) end = names.size();
      if (end > i) {
        auto it = byXmlName_.find(names.substr(i, end - i));
        if (it == byXmlName_.end())
          fail(row, "rs:forcenull names the undeclared field '" + names.substr(i, end - i) + "'");
        table_->setNull(r, it->second);
      }
      i = end + 1;
    }
  }

  void setCell(const xmlNode* row, size_t r, size_t c, const std::string& v) {
    const DataType type = fields_[c].info.type;
    auto bad = [&]() {
      fail(row, "row " + std::to_string(r + 1) + ", field '" + fields_[c].info.name +
                    "': \"" + v + "\" is not a valid " + dataTypeName(type) + " value");
    };
    {
      switch (type) {
        case adBoolean:
          if (v == "True" || v == "true" || v == "1") table_->setBool(r, c, true);
          else if (v == "False" || v == "false" || v == "0") table_->setBool(r, c, false);
          else bad();
          return;
        case adCurrency: {
          int64_t cy;
          if (!com::parseCurrency(v, cy)) bad();
          table_->setCurrency(r, c, cy);
          return;
        }
        case adDate: case adDBTimeStamp: case adDBDate: {
          auto d = com::parseIsoDate(v);
          if (!d) bad();
          table_->setDate(r, c, *d);
          return;
        }
        case adDBTime: {
          auto d = com::parseIsoDate("1899-12-30T" + v);
          if (!d) bad();
          table_->setDate(r, c, *d);
          return;
        }
        case adBinary: case adVarBinary: case adLongVarBinary:
          table_->setText(r, c, unhex(v, bad));
          return;
        case adSingle: case adDouble: {
          double d;
          auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), d);
          if (ec != std::errc() || end != v.data() + v.size()) bad();
          table_->setDouble(r, c, d);
          return;
        }
        default:
          break;
      }
      if (storageOf(type) == Storage::Integer) {
        int64_t i;
        auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), i);
        if (ec != std::errc() || end != v.data() + v.size()) bad();
        table_->setInt64(r, c, i);
        return;
      }
      table_->setText(r, c, v);
    }
  }

  template <typename Bad>
  static std::string unhex(const std::string& v, Bad bad) {
    if (v.size() % 2) bad();
    std::string out;
    out.reserve(v.size() / 2);
    auto nibble = [&](char c) -> int {
      if (c >= '0' && c <= '9') return c - '0';
      if (c >= 'a' && c <= 'f') return c - 'a' + 10;
      if (c >= 'A' && c <= 'F') return c - 'A' + 10;
      bad();
      return 0;
    };
    for (size_t i = 0; i < v.size(); i += 2)
      out += static_cast<char>(nibble(v[i]) * 16 + nibble(v[i + 1]));
    return out;
  }

  std::string_view bytes_;
  std::string source_;
  std::vector<SchemaField> fields_;
  std::map<std::string, size_t> byXmlName_;
  std::shared_ptr<Table> table_;
};

}  // namespace

std::shared_ptr<Table> readAdoXml(std::string_view bytes, const std::string& sourceName) {
  return XmlReader(bytes, sourceName).read();
}

std::shared_ptr<Table> readAdoXmlFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw DataError(path, std::string("cannot open the file: ") + std::strerror(errno));
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) throw DataError(path, "the file cannot be read");
  return readAdoXml(bytes, path);
}

}  // namespace orlix::ado
