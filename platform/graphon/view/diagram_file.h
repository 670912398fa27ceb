#pragma once
// The diagram file: XML holding a diagram's whole state (every node and link
// property, in insertion order) and, beside it, the stored properties of the
// controls that show it, so a saved map reopens exactly. The layout of the
// file is documented in docs/formats.md. Reading and writing throw
// DiagramFileError naming the file, and a file that cannot be read changes
// nothing.
#include <string>
#include <vector>

#include <QByteArray>
#include <QString>

#include "platform/graphon/diagram_state.h"

namespace orlix::graphon::view {

// One stored property of a control: its value as C-locale text and the type
// it was stored with.
struct StoredProperty {
  enum class Type { Int16, Int32, Single, Double, Text };
  std::string name;
  Type type = Type::Text;
  std::string value;

  bool operator==(const StoredProperty&) const = default;
};

// The stored properties of one control, named by `owner`.
struct PropertySection {
  std::string owner;
  std::vector<StoredProperty> properties;

  bool operator==(const PropertySection&) const = default;
};

struct DiagramFile {
  std::vector<PropertySection> sections;
  DiagramState diagram;

  bool operator==(const DiagramFile&) const = default;
};

// Files larger than this are refused before they are read.
inline constexpr qint64 kMaxDiagramFileBytes = 64 * 1024 * 1024;

QByteArray diagramFileBytes(const DiagramFile& file);
// `name` is the file's name for messages.
DiagramFile parseDiagramFile(const QByteArray& bytes, const QString& name);

// The file is replaced only once it is completely written.
void writeDiagramFile(const QString& fileName, const DiagramFile& file);
DiagramFile readDiagramFile(const QString& fileName);

}  // namespace orlix::graphon::view
