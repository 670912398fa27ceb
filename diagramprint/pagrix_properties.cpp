#include "diagramprint/pagrix_properties.h"

#include <cmath>
#include <string>
#include <type_traits>

#include "diagramprint/control_error.h"
#include "treelayout/control_error.h"

namespace orlix::diagramprint {
namespace {

using treelayout::PropertyBag;

constexpr const char* kVersionName = "_Version";

std::optional<double> number(const PropertyBag& bag, const char* name) {
  try {
    return treelayout::readNumber(bag, name);
  } catch (const treelayout::ControlError& e) {
    throw ControlError(e.code(), e.description());
  }
}

[[noreturn]] void badEntry(const char* name, const char* why) {
  throw ControlError::invalidPropertyValue(std::string("the stored \"") + name + "\" " + why);
}

std::optional<QString> text(const PropertyBag& bag, const char* name) {
  const std::optional<treelayout::PropertyValue> value = bag.read(name);
  if (!value) return std::nullopt;
  return std::visit(
      [](const auto& v) -> QString {
        if constexpr (std::is_same_v<std::decay_t<decltype(v)>, std::string>)
          return QString::fromStdString(v);
        else
          return QString::number(v);
      },
      *value);
}

void takeBool(const PropertyBag& bag, const char* name, bool& target) {
  if (const auto value = number(bag, name)) target = *value != 0;
}

template <typename Rule>
void takeInt(const PropertyBag& bag, const char* name, std::int32_t& target, Rule rule) {
  const auto value = number(bag, name);
  if (!value) return;
  if (*value != std::trunc(*value) || *value < -2147483648.0 || *value > 2147483647.0 ||
      !rule(static_cast<std::int64_t>(*value)))
    badEntry(name, "is not an allowed value");
  target = static_cast<std::int32_t>(*value);
}

void takeMargin(const PropertyBag& bag, const char* name, std::int32_t& target) {
  const auto value = number(bag, name);
  if (!value) return;
  const auto twips = marginTwips(*value);
  if (!twips) badEntry(name, "is not a margin of 0 twips or more");
  target = *twips;
}

void takeText(const PropertyBag& bag, const char* name, QString& target) {
  if (auto value = text(bag, name)) target = std::move(*value);
}

void takeColor(const PropertyBag& bag, const char* name, QColor& target) {
  const auto value = number(bag, name);
  if (!value) return;
  if (*value != std::trunc(*value) || *value < -2147483648.0 || *value > 4294967295.0)
    badEntry(name, "is not a colour");
  target = fromOleColor(static_cast<std::int64_t>(*value));
}

std::int16_t boolValue(bool value) { return value ? -1 : 0; }

}  // namespace

QFont PagrixProperties::defaultFont() {
  QFont font(QStringLiteral("Arial"));
  font.setPointSize(10);
  return font;
}

bool isOrientation(std::int64_t value) { return value == OrientPortrait || value == OrientLandscape; }
bool isPageBorder(std::int64_t value) { return value >= PageBorderNone && value <= PageBorderDottedBoxDot; }
bool isZoom(std::int64_t value) { return value == 0 || (value >= 10 && value <= 400); }
bool isBorderStyle(std::int64_t value) { return value == 0 || value == 1; }

std::optional<std::int32_t> marginTwips(double value) {
  if (!std::isfinite(value) || value < 0 || value >= 2147483648.0) return std::nullopt;
  return static_cast<std::int32_t>(value);
}

std::int32_t oleColor(const QColor& color) {
  const QColor rgb = color.toRgb();
  return rgb.red() | (rgb.green() << 8) | (rgb.blue() << 16);
}

QColor fromOleColor(std::int64_t value) {
  const auto bits = static_cast<std::uint32_t>(value);
  if (bits & 0x80000000u) {
    // System colours: the window (5) is white, the button face (15) light grey,
    // every other one (window text and the like) black.
    switch (bits & 0xFFu) {
      case 5: return QColor(Qt::white);
      case 15: return QColor(240, 240, 240);
      default: return QColor(Qt::black);
    }
  }
  return QColor(bits & 0xFFu, (bits >> 8) & 0xFFu, (bits >> 16) & 0xFFu);
}

void saveProperties(const PagrixProperties& p, PropertyBag& bag) {
  bag.write(kVersionName, kPersistVersion);
  bag.write("BorderStyle", static_cast<std::int16_t>(p.borderStyle));
  bag.write("PageBorder", static_cast<std::int16_t>(p.pageBorder));
  bag.write("Preview", boolValue(p.preview));
  bag.write("PrinterSettings", boolValue(p.printerSettings));
  bag.write("MousePage", boolValue(p.mousePage));
  bag.write("MarginLeft", static_cast<float>(p.marginLeft));
  bag.write("MarginTop", static_cast<float>(p.marginTop));
  bag.write("MarginRight", static_cast<float>(p.marginRight));
  bag.write("MarginBottom", static_cast<float>(p.marginBottom));
  bag.write("MarginHeader", static_cast<float>(p.marginHeader));
  bag.write("MarginFooter", static_cast<float>(p.marginFooter));
  bag.write("Header", p.header.toStdString());
  bag.write("Footer", p.footer.toStdString());
  bag.write("DocName", p.docName.toStdString());
  bag.write("MouseZoom", boolValue(p.mouseZoom));
  bag.write("Zoom", p.zoom);
  bag.write("Orientation", p.orientation);
  bag.write("FitToPage", boolValue(p.fitToPage));
  // The stock properties, as every control keeps them with its own.
  bag.write("ForeColor", oleColor(p.foreColor));
  bag.write("BackColor", oleColor(p.backColor));
  bag.write("Font", p.font.toString().toStdString());
}

PagrixProperties loadProperties(const PropertyBag& bag, PagrixProperties p) {
  // Data without a version entry is taken as current.
  std::int32_t version = kPersistVersion;
  takeInt(bag, kVersionName, version, [](std::int64_t v) { return v >= 0; });
  takeInt(bag, "BorderStyle", p.borderStyle, isBorderStyle);
  takeInt(bag, "PageBorder", p.pageBorder, isPageBorder);
  takeBool(bag, "Preview", p.preview);
  takeBool(bag, "PrinterSettings", p.printerSettings);
  takeBool(bag, "MousePage", p.mousePage);
  takeMargin(bag, "MarginLeft", p.marginLeft);
  takeMargin(bag, "MarginTop", p.marginTop);
  takeMargin(bag, "MarginRight", p.marginRight);
  takeMargin(bag, "MarginBottom", p.marginBottom);
  takeMargin(bag, "MarginHeader", p.marginHeader);
  takeMargin(bag, "MarginFooter", p.marginFooter);
  takeText(bag, "Header", p.header);
  takeText(bag, "Footer", p.footer);
  takeText(bag, "DocName", p.docName);
  takeBool(bag, "MouseZoom", p.mouseZoom);
  takeInt(bag, "Zoom", p.zoom, isZoom);
  if (version >= kOrientationVersion) {
    takeInt(bag, "Orientation", p.orientation, isOrientation);
    takeBool(bag, "FitToPage", p.fitToPage);
  } else {
    p.orientation = OrientPortrait;
    p.fitToPage = false;
  }
  takeColor(bag, "ForeColor", p.foreColor);
  takeColor(bag, "BackColor", p.backColor);
  if (const auto font = text(bag, "Font")) {
    QFont loaded;
    if (!loaded.fromString(*font)) badEntry("Font", "is not a font description");
    p.font = loaded;
  }
  return p;
}

}  // namespace orlix::diagramprint
