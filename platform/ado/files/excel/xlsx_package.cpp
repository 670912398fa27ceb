#include "platform/ado/files/excel/xlsx_package.h"

#include <strings.h>

#include "platform/ado/files/file_table.h"

namespace orlix::ado {

namespace {

constexpr zip_uint64_t kMaxPartSize = 512u << 20;
constexpr zip_uint64_t kMaxStreamedPartSize = zip_uint64_t{16} << 30;

int ReadZip(void* file, char* buffer, int length) {
  const zip_int64_t got = zip_fread(static_cast<zip_file_t*>(file), buffer, static_cast<zip_uint64_t>(length));
  return got < 0 ? -1 : static_cast<int>(got);
}

}  // namespace

Package::Package(const std::string& path) : path_(path) {
  int error = 0;
  zip_.reset(zip_open(path.c_str(), ZIP_RDONLY, &error));
  if (!zip_) ThrowFileError(path, "is no Excel workbook: neither an .xls nor a readable .xlsx (zip) file");
}

std::optional<PackagePart> Package::Find(std::string name) const {
  if (!name.empty() && name[0] == '/') name.erase(0, 1);
  const zip_int64_t index = zip_name_locate(zip_.get(), name.c_str(), ZIP_FL_NOCASE);
  if (index < 0) return std::nullopt;
  zip_stat_t stat;
  zip_stat_init(&stat);
  if (zip_stat_index(zip_.get(), index, 0, &stat) != 0 || !(stat.valid & ZIP_STAT_SIZE))
    ThrowFileError(path_, "part " + name + " of the workbook cannot be read");
  return PackagePart{name, static_cast<zip_uint64_t>(index), stat.size};
}

std::unique_ptr<zip_file_t, ZipFileCloser> Package::Open(const PackagePart& part) const {
  if (part.size > kMaxStreamedPartSize) ThrowFileError(path_, "part " + part.name + " of the workbook is too large");
  std::unique_ptr<zip_file_t, ZipFileCloser> file(zip_fopen_index(zip_.get(), part.index, 0));
  if (!file) ThrowFileError(path_, "part " + part.name + " of the workbook cannot be read");
  return file;
}

std::optional<std::string> Package::Part(const std::string& name) const {
  const auto found = Find(name);
  if (!found) return std::nullopt;
  if (found->size > kMaxPartSize) ThrowFileError(path_, "part " + name + " of the workbook is too large");
  auto file = Open(*found);
  std::string bytes(found->size, '\0');
  const zip_int64_t got = found->size ? zip_fread(file.get(), bytes.data(), found->size) : 0;
  if (got < 0 || static_cast<zip_uint64_t>(got) != found->size)
    ThrowFileError(path_, "part " + name + " of the workbook is damaged");
  return bytes;
}

XmlDocPtr Package::Xml(const std::string& name) const {
  auto bytes = Part(name);
  if (!bytes) ThrowFileError(path_, "is no Excel workbook: it has no part " + name);
  return ParseXml(*bytes, path_, name);
}

XmlStream::XmlStream(const Package& package, const PackagePart& part)
    : path_(package.path()), part_(part.name), file_(package.Open(part)) {
  reader_ = xmlReaderForIO(&ReadZip, nullptr, file_.get(), part.name.c_str(), nullptr,
                           XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
  if (!reader_) ThrowFileError(path_, part_ + " cannot be read");
}

XmlStream::~XmlStream() { xmlFreeTextReader(reader_); }

bool XmlStream::Next() {
  const int rc = xmlTextReaderRead(reader_);
  if (rc < 0) ThrowFileError(path_, part_ + " is not well-formed XML");
  return rc == 1;
}

int XmlStream::Depth() const { return xmlTextReaderDepth(reader_); }
bool XmlStream::IsStart() const { return xmlTextReaderNodeType(reader_) == XML_READER_TYPE_ELEMENT; }
bool XmlStream::IsEnd() const { return xmlTextReaderNodeType(reader_) == XML_READER_TYPE_END_ELEMENT; }
bool XmlStream::IsEmpty() const { return xmlTextReaderIsEmptyElement(reader_) == 1; }

bool XmlStream::NameIs(const char* name) const {
  const xmlChar* local = xmlTextReaderConstLocalName(reader_);
  return local && strcasecmp(reinterpret_cast<const char*>(local), name) == 0;
}

void XmlStream::AppendText(std::string& out) {
  if (IsEmpty()) return;
  const int depth = Depth();
  while (Next()) {
    const int type = xmlTextReaderNodeType(reader_);
    if (type == XML_READER_TYPE_END_ELEMENT && Depth() == depth) return;
    if (type == XML_READER_TYPE_TEXT || type == XML_READER_TYPE_CDATA || type == XML_READER_TYPE_WHITESPACE ||
        type == XML_READER_TYPE_SIGNIFICANT_WHITESPACE) {
      const xmlChar* value = xmlTextReaderConstValue(reader_);
      if (value) out += reinterpret_cast<const char*>(value);
    }
  }
}

void XmlStream::Skip() {
  if (IsEmpty()) return;
  const int depth = Depth();
  while (Next())
    if (IsEnd() && Depth() == depth) return;
}

}  // namespace orlix::ado
