#include "platform/graphon/view/diagram_file.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include <QFile>
#include <QSaveFile>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include "platform/graphon/view/diagram_file_error.h"

namespace orlix::graphon::view {
namespace {

constexpr auto kRoot = QLatin1String("diagramfile");
constexpr auto kVersion = QLatin1String("1");

// ---- writing ----

// XML 1.0 cannot hold most control characters, even as references: they are
// written as U+FFFD so the file always reads back.
QString xmlText(const std::string& text) {
  QString s = QString::fromStdString(text);
  for (QChar& c : s) {
    const char16_t u = c.unicode();
    if ((u < 0x20 && u != '\t' && u != '\n' && u != '\r') || u == 0xFFFE || u == 0xFFFF) c = QChar(0xFFFD);
  }
  return s;
}

QString flag(bool on) { return on ? QStringLiteral("1") : QStringLiteral("0"); }
QString number(float value) { return QString::number(static_cast<double>(value), 'g', 9); }
// Geometry is stored as whole twips, within the range a reader takes.
QString whole(float value) {
  const double clamped = std::clamp(static_cast<double>(value), -2147483648.0, 2147483647.0);
  return QString::number(static_cast<qint64>(std::llround(clamped)));
}
QString colour(Color c) { return QStringLiteral("0x") + QStringLiteral("%1").arg(c, 8, 16, QLatin1Char('0')).toUpper(); }

const char* typeName(StoredProperty::Type type) {
  switch (type) {
    case StoredProperty::Type::Int16: return "i16";
    case StoredProperty::Type::Int32: return "i32";
    case StoredProperty::Type::Single: return "single";
    case StoredProperty::Type::Double: return "double";
    case StoredProperty::Type::Text: return "text";
  }
  return "text";
}

void writeFont(QXmlStreamWriter& w, const Font& font) {
  w.writeEmptyElement(QStringLiteral("font"));
  w.writeAttribute(QStringLiteral("name"), xmlText(font.name));
  w.writeAttribute(QStringLiteral("size"), number(font.size));
  w.writeAttribute(QStringLiteral("bold"), flag(font.bold));
  w.writeAttribute(QStringLiteral("italic"), flag(font.italic));
  w.writeAttribute(QStringLiteral("underline"), flag(font.underline));
  w.writeAttribute(QStringLiteral("strikethrough"), flag(font.strikethrough));
}

void writeSettings(QXmlStreamWriter& w, const DiagramState& d) {
  w.writeStartElement(QStringLiteral("defaults"));
  w.writeAttribute(QStringLiteral("drawColor"), colour(d.defaults.drawColor));
  w.writeAttribute(QStringLiteral("fillColor"), colour(d.defaults.fillColor));
  w.writeAttribute(QStringLiteral("drawStyle"), QString::number(d.defaults.drawStyle));
  w.writeAttribute(QStringLiteral("drawWidth"), QString::number(d.defaults.drawWidth));
  w.writeAttribute(QStringLiteral("shape"), QString::number(d.defaults.shape));
  writeFont(w, d.defaults.font);
  w.writeEndElement();
  const Permissions& p = d.permissions;
  w.writeEmptyElement(QStringLiteral("permissions"));
  w.writeAttribute(QStringLiteral("canDrawNode"), flag(p.canDrawNode));
  w.writeAttribute(QStringLiteral("canMoveNode"), flag(p.canMoveNode));
  w.writeAttribute(QStringLiteral("canReflexLink"), flag(p.canReflexLink));
  w.writeAttribute(QStringLiteral("canMultiLink"), flag(p.canMultiLink));
  w.writeAttribute(QStringLiteral("canFireError"), flag(p.canFireError));
  w.writeAttribute(QStringLiteral("showToolTip"), flag(p.showToolTip));
  w.writeAttribute(QStringLiteral("canDrawLink"), flag(p.canDrawLink));
  w.writeAttribute(QStringLiteral("canSizeNode"), flag(p.canSizeNode));
  w.writeAttribute(QStringLiteral("canStretchLink"), flag(p.canStretchLink));
  w.writeAttribute(QStringLiteral("canUndoRedo"), flag(p.canUndoRedo));
  w.writeEmptyElement(QStringLiteral("view"));
  w.writeAttribute(QStringLiteral("scrollBars"), QString::number(d.viewOptions.scrollBars));
  w.writeAttribute(QStringLiteral("shapeOrientation"), QString::number(d.viewOptions.shapeOrientation));
  w.writeAttribute(QStringLiteral("drawMethod"), QString::number(d.viewOptions.drawMethod));
}

void writeNode(QXmlStreamWriter& w, const NodeState& n) {
  w.writeStartElement(QStringLiteral("node"));
  w.writeAttribute(QStringLiteral("left"), whole(n.left));
  w.writeAttribute(QStringLiteral("top"), whole(n.top));
  w.writeAttribute(QStringLiteral("width"), whole(n.width));
  w.writeAttribute(QStringLiteral("height"), whole(n.height));
  w.writeAttribute(QStringLiteral("text"), xmlText(n.text));
  w.writeAttribute(QStringLiteral("tipText"), xmlText(n.tipText));
  w.writeAttribute(QStringLiteral("shape"), QString::number(n.shape));
  w.writeAttribute(QStringLiteral("fillColor"), colour(n.fillColor));
  w.writeAttribute(QStringLiteral("borderColor"), colour(n.borderColor));
  w.writeAttribute(QStringLiteral("borderWidth"), QString::number(n.borderWidth));
  w.writeAttribute(QStringLiteral("borderStyle"), QString::number(n.borderStyle));
  w.writeAttribute(QStringLiteral("selected"), flag(n.selected));
  w.writeAttribute(QStringLiteral("included"), flag(n.included));
  w.writeAttribute(QStringLiteral("flag49"), flag(n.flag49));
  w.writeAttribute(QStringLiteral("scratch"), QString::number(n.scratchNumber));
  writeFont(w, n.font);
  w.writeEndElement();
}

void writeLink(QXmlStreamWriter& w, const LinkState& l) {
  w.writeStartElement(QStringLiteral("link"));
  w.writeAttribute(QStringLiteral("from"), QString::number(l.from));
  w.writeAttribute(QStringLiteral("to"), QString::number(l.to));
  w.writeAttribute(QStringLiteral("color"), colour(l.color));
  w.writeAttribute(QStringLiteral("width"), QString::number(l.width));
  w.writeAttribute(QStringLiteral("style"), QString::number(l.style));
  w.writeAttribute(QStringLiteral("styleNumber"), QString::number(l.styleNumber));
  w.writeAttribute(QStringLiteral("selected"), flag(l.selected));
  w.writeAttribute(QStringLiteral("included"), flag(l.included));
  for (const Point& p : l.points) {
    w.writeEmptyElement(QStringLiteral("point"));
    w.writeAttribute(QStringLiteral("x"), number(p.x));
    w.writeAttribute(QStringLiteral("y"), number(p.y));
  }
  w.writeEndElement();
}

// ---- reading ----

// Reads one element's attributes, throwing a message that names the element
// and its line for anything missing or malformed.
class Attributes {
 public:
  Attributes(const QXmlStreamReader& reader)
      : attributes_(reader.attributes()), element_(reader.name().toString()), line_(reader.lineNumber()) {}

  bool has(QLatin1String name) const { return attributes_.hasAttribute(name); }

  QString text(QLatin1String name) const {
    if (!has(name)) fail(QStringLiteral("has no attribute \"%1\"").arg(name));
    return attributes_.value(name).toString();
  }
  std::string string(QLatin1String name, const std::string& otherwise) const {
    return has(name) ? text(name).toStdString() : otherwise;
  }
  std::int32_t integer(QLatin1String name) const {
    bool ok = false;
    const int value = text(name).toInt(&ok);
    if (!ok) bad(name);
    return value;
  }
  std::int32_t integer(QLatin1String name, std::int32_t otherwise) const { return has(name) ? integer(name) : otherwise; }
  float real(QLatin1String name) const {
    bool ok = false;
    const float value = text(name).toFloat(&ok);
    if (!ok || !std::isfinite(value)) bad(name);
    return value;
  }
  float real(QLatin1String name, float otherwise) const { return has(name) ? real(name) : otherwise; }
  bool boolean(QLatin1String name, bool otherwise) const {
    if (!has(name)) return otherwise;
    const QString v = text(name);
    if (v != QLatin1String("0") && v != QLatin1String("1")) bad(name);
    return v == QLatin1String("1");
  }
  Color color(QLatin1String name, Color otherwise) const {
    if (!has(name)) return otherwise;
    const QString v = text(name);
    bool ok = v.size() == 10 && v.startsWith(QLatin1String("0x"));
    const uint value = ok ? v.mid(2).toUInt(&ok, 16) : 0;
    if (!ok) bad(name);
    return value;
  }

  [[noreturn]] void fail(const QString& what) const {
    throw std::invalid_argument(QStringLiteral("line %1: <%2> %3").arg(line_).arg(element_, what).toStdString());
  }

 private:
  [[noreturn]] void bad(QLatin1String name) const {
    fail(QStringLiteral("has a bad \"%1\" value \"%2\"").arg(name, attributes_.value(name).toString()));
  }

  QXmlStreamAttributes attributes_;
  QString element_;
  qint64 line_;
};

class Parser {
 public:
  explicit Parser(const QByteArray& bytes) : xml_(bytes) {}

  DiagramFile parse() {
    DiagramFile file;
    if (!nextElement()) fail(QStringLiteral("it holds no XML element"));  // XML errors fail inside
    if (xml_.name() != kRoot) fail(QStringLiteral("its first element is <%1>, not <%2>").arg(xml_.name().toString(), kRoot));
    const QString version = Attributes(xml_).text(QLatin1String("version"));
    if (version != kVersion)
      fail(QStringLiteral("it is of version %1; this program reads version %2").arg(version, kVersion));
    bool haveDiagram = false;
    while (nextElement()) {
      if (xml_.name() == QLatin1String("properties") && !haveDiagram) {
        file.sections.push_back(readSection());
      } else if (xml_.name() == QLatin1String("diagram") && !haveDiagram) {
        file.diagram = readDiagram();
        haveDiagram = true;
      } else {
        unexpected();
      }
    }
    if (!haveDiagram) fail(QStringLiteral("it has no <diagram> element"));
    return file;
  }

 private:
  // Moves to the next child element start; false at the end of the current element.
  bool nextElement() {
    while (!xml_.atEnd()) {
      switch (xml_.readNext()) {
        case QXmlStreamReader::StartElement: return true;
        case QXmlStreamReader::EndElement: return false;
        case QXmlStreamReader::Characters:
          if (!xml_.isWhitespace()) fail(QStringLiteral("line %1: text outside any attribute").arg(xml_.lineNumber()));
          break;
        default: break;
      }
    }
    if (xml_.hasError()) fail(QStringLiteral("line %1: %2").arg(xml_.lineNumber()).arg(xml_.errorString()));
    return false;
  }

  [[noreturn]] void unexpected() {
    fail(QStringLiteral("line %1: unexpected element <%2>").arg(xml_.lineNumber()).arg(xml_.name().toString()));
  }
  [[noreturn]] void fail(const QString& why) { throw std::invalid_argument(why.toStdString()); }

  PropertySection readSection() {
    PropertySection section;
    section.owner = Attributes(xml_).text(QLatin1String("owner")).toStdString();
    while (nextElement()) {
      if (xml_.name() != QLatin1String("property")) unexpected();
      const Attributes a(xml_);
      StoredProperty p;
      p.name = a.text(QLatin1String("name")).toStdString();
      p.value = a.text(QLatin1String("value")).toStdString();
      const QString type = a.text(QLatin1String("type"));
      bool known = false;
      for (auto t : {StoredProperty::Type::Int16, StoredProperty::Type::Int32, StoredProperty::Type::Single,
                     StoredProperty::Type::Double, StoredProperty::Type::Text})
        if (type == QLatin1String(typeName(t))) {
          p.type = t;
          known = true;
        }
      if (!known) a.fail(QStringLiteral("has an unknown type \"%1\"").arg(type));
      section.properties.push_back(std::move(p));
      if (nextElement()) unexpected();
    }
    return section;
  }

  Font readFont(const Font& otherwise) {
    const Attributes a(xml_);
    Font f;
    f.name = a.string(QLatin1String("name"), otherwise.name);
    f.size = a.real(QLatin1String("size"), otherwise.size);
    f.bold = a.boolean(QLatin1String("bold"), otherwise.bold);
    f.italic = a.boolean(QLatin1String("italic"), otherwise.italic);
    f.underline = a.boolean(QLatin1String("underline"), otherwise.underline);
    f.strikethrough = a.boolean(QLatin1String("strikethrough"), otherwise.strikethrough);
    if (nextElement()) unexpected();
    return f;
  }

  // An element whose only child may be one <font>.
  Font fontChild(const Font& otherwise) {
    Font font = otherwise;
    bool seen = false;
    while (nextElement()) {
      if (xml_.name() != QLatin1String("font") || seen) unexpected();
      font = readFont(otherwise);
      seen = true;
    }
    return font;
  }

  void readDefaults(DiagramState& d) {
    const Attributes a(xml_);
    const ItemDefaults none;
    d.defaults.drawColor = a.color(QLatin1String("drawColor"), none.drawColor);
    d.defaults.fillColor = a.color(QLatin1String("fillColor"), none.fillColor);
    d.defaults.drawStyle = a.integer(QLatin1String("drawStyle"), none.drawStyle);
    d.defaults.drawWidth = a.integer(QLatin1String("drawWidth"), none.drawWidth);
    d.defaults.shape = a.integer(QLatin1String("shape"), none.shape);
    d.defaults.font = fontChild(none.font);
  }

  void readPermissions(DiagramState& d) {
    const Attributes a(xml_);
    Permissions& p = d.permissions;
    p.canDrawNode = a.boolean(QLatin1String("canDrawNode"), p.canDrawNode);
    p.canMoveNode = a.boolean(QLatin1String("canMoveNode"), p.canMoveNode);
    p.canReflexLink = a.boolean(QLatin1String("canReflexLink"), p.canReflexLink);
    p.canMultiLink = a.boolean(QLatin1String("canMultiLink"), p.canMultiLink);
    p.canFireError = a.boolean(QLatin1String("canFireError"), p.canFireError);
    p.showToolTip = a.boolean(QLatin1String("showToolTip"), p.showToolTip);
    p.canDrawLink = a.boolean(QLatin1String("canDrawLink"), p.canDrawLink);
    p.canSizeNode = a.boolean(QLatin1String("canSizeNode"), p.canSizeNode);
    p.canStretchLink = a.boolean(QLatin1String("canStretchLink"), p.canStretchLink);
    p.canUndoRedo = a.boolean(QLatin1String("canUndoRedo"), p.canUndoRedo);
    if (nextElement()) unexpected();
  }

  void readView(DiagramState& d) {
    const Attributes a(xml_);
    ViewOptions& v = d.viewOptions;
    v.scrollBars = a.integer(QLatin1String("scrollBars"), v.scrollBars);
    v.shapeOrientation = a.integer(QLatin1String("shapeOrientation"), v.shapeOrientation);
    v.drawMethod = a.integer(QLatin1String("drawMethod"), v.drawMethod);
    if (nextElement()) unexpected();
  }

  NodeState readNode(const DiagramState& d) {
    const Attributes a(xml_);
    NodeState n;
    n.left = static_cast<float>(a.integer(QLatin1String("left")));
    n.top = static_cast<float>(a.integer(QLatin1String("top")));
    n.width = static_cast<float>(a.integer(QLatin1String("width")));
    n.height = static_cast<float>(a.integer(QLatin1String("height")));
    n.text = a.text(QLatin1String("text")).toStdString();
    n.tipText = a.string(QLatin1String("tipText"), "");
    n.shape = a.integer(QLatin1String("shape"), d.defaults.shape);
    n.fillColor = a.color(QLatin1String("fillColor"), d.defaults.fillColor);
    n.borderColor = a.color(QLatin1String("borderColor"), d.defaults.drawColor);
    n.borderWidth = a.integer(QLatin1String("borderWidth"), d.defaults.drawWidth);
    n.borderStyle = a.integer(QLatin1String("borderStyle"), d.defaults.drawStyle);
    n.selected = a.boolean(QLatin1String("selected"), false);
    n.included = a.boolean(QLatin1String("included"), true);
    n.flag49 = a.boolean(QLatin1String("flag49"), false);
    n.scratchNumber = a.integer(QLatin1String("scratch"), 0);
    n.font = fontChild(d.defaults.font);
    return n;
  }

  LinkState readLink(const DiagramState& d) {
    const Attributes a(xml_);
    LinkState l;
    l.from = a.integer(QLatin1String("from"));
    l.to = a.integer(QLatin1String("to"));
    l.color = a.color(QLatin1String("color"), d.defaults.drawColor);
    l.width = a.integer(QLatin1String("width"), d.defaults.drawWidth);
    l.style = a.integer(QLatin1String("style"), d.defaults.drawStyle);
    l.styleNumber = a.integer(QLatin1String("styleNumber"), 0);
    l.selected = a.boolean(QLatin1String("selected"), false);
    l.included = a.boolean(QLatin1String("included"), true);
    while (nextElement()) {
      if (xml_.name() != QLatin1String("point")) unexpected();
      const Attributes p(xml_);
      l.points.push_back({p.real(QLatin1String("x")), p.real(QLatin1String("y"))});
      if (nextElement()) unexpected();
    }
    return l;
  }

  DiagramState readDiagram() {
    DiagramState d;
    d.filterFlag = Attributes(xml_).boolean(QLatin1String("filter"), false);
    while (nextElement()) {
      const auto name = xml_.name();
      if (name == QLatin1String("defaults") && d.nodes.empty() && d.links.empty()) readDefaults(d);
      else if (name == QLatin1String("permissions")) readPermissions(d);
      else if (name == QLatin1String("view")) readView(d);
      else if (name == QLatin1String("node") && d.links.empty()) d.nodes.push_back(readNode(d));
      else if (name == QLatin1String("link")) d.links.push_back(readLink(d));
      else unexpected();
    }
    return d;
  }

  QXmlStreamReader xml_;
};

QString quoted(const QString& name) { return QLatin1Char('"') + name + QLatin1Char('"'); }

}  // namespace

QByteArray diagramFileBytes(const DiagramFile& file) {
  QByteArray bytes;
  QXmlStreamWriter w(&bytes);
  w.setAutoFormatting(true);
  w.setAutoFormattingIndent(1);
  w.writeStartDocument();
  w.writeStartElement(kRoot);
  w.writeAttribute(QStringLiteral("version"), kVersion);
  for (const PropertySection& section : file.sections) {
    w.writeStartElement(QStringLiteral("properties"));
    w.writeAttribute(QStringLiteral("owner"), xmlText(section.owner));
    for (const StoredProperty& p : section.properties) {
      w.writeEmptyElement(QStringLiteral("property"));
      w.writeAttribute(QStringLiteral("name"), xmlText(p.name));
      w.writeAttribute(QStringLiteral("type"), QLatin1String(typeName(p.type)));
      w.writeAttribute(QStringLiteral("value"), xmlText(p.value));
    }
    w.writeEndElement();
  }
  const DiagramState& d = file.diagram;
  w.writeStartElement(QStringLiteral("diagram"));
  w.writeAttribute(QStringLiteral("filter"), flag(d.filterFlag));
  writeSettings(w, d);
  for (const NodeState& n : d.nodes) writeNode(w, n);
  for (const LinkState& l : d.links) writeLink(w, l);
  w.writeEndElement();
  w.writeEndElement();
  w.writeEndDocument();
  return bytes;
}

DiagramFile parseDiagramFile(const QByteArray& bytes, const QString& name) {
  try {
    if (bytes.trimmed().isEmpty()) throw std::invalid_argument("it is empty");
    DiagramFile file = Parser(bytes).parse();
    // The values the model would refuse are found here, before anyone applies them.
    Diagram scratch;
    restoreState(scratch, file.diagram);
    return file;
  } catch (const std::logic_error& e) {  // std::invalid_argument and std::out_of_range
    throw DiagramFileError(QStringLiteral("The file %1 is not a readable diagram file: %2")
                               .arg(quoted(name), QString::fromStdString(e.what()))
                               .toStdString());
  }
}

void writeDiagramFile(const QString& fileName, const DiagramFile& file) {
  QSaveFile out(fileName);
  const QByteArray bytes = diagramFileBytes(file);
  if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit())
    throw DiagramFileError(
        QStringLiteral("Cannot write the diagram file %1: %2").arg(quoted(fileName), out.errorString()).toStdString());
}

DiagramFile readDiagramFile(const QString& fileName) {
  QFile in(fileName);
  if (!in.open(QIODevice::ReadOnly))
    throw DiagramFileError(
        QStringLiteral("Cannot open the diagram file %1: %2").arg(quoted(fileName), in.errorString()).toStdString());
  if (in.size() > kMaxDiagramFileBytes)
    throw DiagramFileError(QStringLiteral("The file %1 is too large to be a diagram file (%2 bytes)")
                               .arg(quoted(fileName))
                               .arg(in.size())
                               .toStdString());
  const QByteArray bytes = in.read(kMaxDiagramFileBytes + 1);
  if (in.error() != QFileDevice::NoError)
    throw DiagramFileError(
        QStringLiteral("Cannot read the diagram file %1: %2").arg(quoted(fileName), in.errorString()).toStdString());
  return parseDiagramFile(bytes, fileName);
}

}  // namespace orlix::graphon::view
