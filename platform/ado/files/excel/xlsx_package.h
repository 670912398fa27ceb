// The zip package of an .xlsx workbook: its parts whole (for the small ones
// parsed into a document), a part inflated a piece at a time, and a part
// read as a stream of XML nodes with libxml2's pull parser. Errors are
// DataErrors naming the file and the part.
#pragma once

#include <libxml/xmlreader.h>
#include <zip.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/ado/files/xml_document.h"

namespace orlix::ado {

struct ZipCloser {
  void operator()(zip_t* z) const { zip_discard(z); }
};
struct ZipFileCloser {
  void operator()(zip_file_t* f) const { zip_fclose(f); }
};

// A part: its index in the zip and its size once inflated.
struct PackagePart {
  std::string name;
  zip_uint64_t index = 0;
  zip_uint64_t size = 0;
};

class Package {
 public:
  explicit Package(const std::string& path);

  const std::string& path() const { return path_; }
  // nullopt when the workbook lacks the part (names ignore ASCII case).
  std::optional<PackagePart> Find(std::string name) const;
  // The part inflated; refused above 512 MiB (no part read whole comes near
  // that, a zip bomb does). nullopt when missing.
  std::optional<std::string> Part(const std::string& name) const;
  // The part parsed; throws when it is missing or not well-formed.
  XmlDocPtr Xml(const std::string& name) const;
  // The part opened for reading a piece at a time; parts read so may be as
  // large as a sheet at its row limit (refused above 16 GiB).
  std::unique_ptr<zip_file_t, ZipFileCloser> Open(const PackagePart& part) const;

 private:
  std::string path_;
  std::unique_ptr<zip_t, ZipCloser> zip_;
};

// A part read as a stream of XML nodes: only a few kilobytes are held at a time.
class XmlStream {
 public:
  XmlStream(const Package& package, const PackagePart& part);
  ~XmlStream();
  XmlStream(const XmlStream&) = delete;
  XmlStream& operator=(const XmlStream&) = delete;

  // The next node; false at the end of the part. Throws when it is not well-formed.
  bool Next();
  int Depth() const;
  bool IsStart() const;
  bool IsEnd() const;
  bool IsEmpty() const;
  // Whether the node is the start of an element of this local name (ASCII case ignored).
  bool Starts(const char* name) const { return IsStart() && NameIs(name); }
  bool NameIs(const char* name) const;

  // Calls visit(localName, value) for each attribute of the current element.
  template <typename Visit>
  void Attributes(Visit&& visit) {
    if (xmlTextReaderMoveToFirstAttribute(reader_) != 1) return;
    do {
      const auto* name = reinterpret_cast<const char*>(xmlTextReaderConstLocalName(reader_));
      const auto* value = reinterpret_cast<const char*>(xmlTextReaderConstValue(reader_));
      if (name) visit(name, value ? std::string_view(value) : std::string_view());
    } while (xmlTextReaderMoveToNextAttribute(reader_) == 1);
    xmlTextReaderMoveToElement(reader_);
  }

  // Appends the text below the current element to `out` and moves to its end.
  void AppendText(std::string& out);
  // Moves past the current element, its descendants included.
  void Skip();

 private:
  std::string path_;
  std::string part_;
  std::unique_ptr<zip_file_t, ZipFileCloser> file_;
  xmlTextReader* reader_ = nullptr;
};

}  // namespace orlix::ado
