#include "display/map/flow_properties.h"

#include <cmath>
#include <limits>
#include <optional>

#include "treelayout/control_error.h"

namespace orlix::display {
namespace {

using treelayout::ControlError;
using treelayout::PropertyBag;

// Reads entries with their defaults, refusing values outside their range.
class Reader {
 public:
  explicit Reader(const PropertyBag& bag) : bag_(bag) {}

  bool flag(const char* name, bool otherwise) const {
    const std::optional<double> v = treelayout::readNumber(bag_, name);
    return v ? *v != 0 : otherwise;
  }
  std::int32_t integer(const char* name, std::int32_t otherwise, double min, double max) const {
    const std::optional<double> v = treelayout::readNumber(bag_, name);
    if (!v) return otherwise;
    const double whole = std::trunc(*v);
    if (whole < min || whole > max)
      throw ControlError::invalidPropertyValue(std::string("the stored \"") + name + "\" is out of range");
    return static_cast<std::int32_t>(whole);
  }
  // A colour value: 32 bits, stored signed or unsigned.
  graphon::Color color(const char* name, graphon::Color otherwise) const {
    const std::optional<double> v = treelayout::readNumber(bag_, name);
    if (!v) return otherwise;
    const double whole = std::trunc(*v);
    if (whole < -2147483648.0 || whole > 4294967295.0)
      throw ControlError::invalidPropertyValue(std::string("the stored \"") + name + "\" is not a colour");
    return static_cast<graphon::Color>(static_cast<std::int64_t>(whole));
  }
  float positive(const char* name, float otherwise) const {
    const std::optional<double> v = treelayout::readNumber(bag_, name);
    if (!v) return otherwise;
    if (!(*v > 0) || *v > 16384)
      throw ControlError::invalidPropertyValue(std::string("the stored \"") + name + "\" is out of range");
    return static_cast<float>(*v);
  }
  std::string text(const char* name, const std::string& otherwise) const {
    const std::optional<treelayout::PropertyValue> v = bag_.read(name);
    if (!v) return otherwise;
    if (const std::string* s = std::get_if<std::string>(&*v)) return *s;
    throw ControlError::invalidPropertyValue(std::string("the stored \"") + name + "\" is not a text");
  }

 private:
  const PropertyBag& bag_;
};

constexpr double kInt16Min = std::numeric_limits<std::int16_t>::min();
constexpr double kInt16Max = std::numeric_limits<std::int16_t>::max();
constexpr double kInt32Min = std::numeric_limits<std::int32_t>::min();
constexpr double kInt32Max = std::numeric_limits<std::int32_t>::max();

std::int16_t boolValue(bool on) { return on ? std::int16_t{-1} : std::int16_t{0}; }
std::int16_t int16(std::int32_t v) { return static_cast<std::int16_t>(v); }

// Everything the bag holds, read and checked before any of it is applied.
struct Loaded {
  graphon::Permissions permissions;
  graphon::ItemDefaults defaults;
  graphon::ViewOptions view;
  FlowOwnProperties own;
  std::string toolTipText;
  std::int32_t orientation = 0;
};

Loaded read(const PropertyBag& bag) {
  const Reader r(bag);
  Loaded l;
  graphon::Permissions& p = l.permissions;
  const graphon::Permissions none;
  p.canSizeNode = r.flag("CanSizeNode", none.canSizeNode);
  p.canStretchLink = r.flag("CanStretchLink", none.canStretchLink);
  p.canUndoRedo = r.flag("CanUndoRedo", none.canUndoRedo);
  p.canDrawLink = r.flag("CanDrawLink", none.canDrawLink);
  p.canDrawNode = r.flag("CanDrawNode", none.canDrawNode);
  p.canFireError = r.flag("CanFireError", none.canFireError);
  p.canMoveNode = r.flag("CanMoveNode", none.canMoveNode);
  p.canMultiLink = r.flag("CanMultiLink", none.canMultiLink);
  p.canReflexLink = r.flag("CanReflexLink", none.canReflexLink);
  p.showToolTip = r.flag("ShowToolTip", none.showToolTip);

  graphon::ItemDefaults& d = l.defaults;
  d.fillColor = r.color("FillColor", graphon::kWhite);
  const graphon::Font font = containerFont();
  d.font.name = r.text("Font.Name", font.name);
  d.font.size = r.positive("Font.Size", font.size);
  d.font.bold = r.flag("Font.Bold", font.bold);
  d.font.italic = r.flag("Font.Italic", font.italic);
  d.font.underline = r.flag("Font.Underline", font.underline);
  d.font.strikethrough = r.flag("Font.Strikethrough", font.strikethrough);
  d.shape = r.integer("Shape", 0, 0, 15);
  d.drawColor = r.color("DrawColor", 0);
  d.drawStyle = r.integer("DrawStyle", 0, 0, 6);
  d.drawWidth = r.integer("DrawWidth", 1, 0, kInt32Max);

  l.view.scrollBars = r.integer("ScrollBars", 3, 0, 3);
  l.view.shapeOrientation = r.integer("ShapeOrientation", 0, kInt32Min, kInt32Max);
  l.view.drawMethod = r.integer("DrawMethod", 0, kInt32Min, kInt32Max);

  FlowOwnProperties& o = l.own;
  o.FillStyle = int16(r.integer("FillStyle", 0, kInt16Min, kInt16Max));
  o.FontBold = int16(r.integer("FontBold", 0, kInt16Min, kInt16Max));
  o.FontItalic = int16(r.integer("FontItalic", 0, kInt16Min, kInt16Max));
  o.FontSize = int16(r.integer("FontSize", 0, kInt16Min, kInt16Max));
  o.FontStrikethru = int16(r.integer("FontStrikethru", 0, kInt16Min, kInt16Max));
  o.FontTransparent = int16(r.integer("FontTransparent", 0, kInt16Min, kInt16Max));
  o.FontUnderline = int16(r.integer("FontUnderline", 0, kInt16Min, kInt16Max));
  o.FontName = r.text("FontName", "");
  o.ForeColor = static_cast<std::int32_t>(r.color("ForeColor", 0));
  o.DrawMode = int16(r.integer("DrawMode", 0, kInt16Min, kInt16Max));

  l.orientation = r.integer("Orientation", 0, 0, 3);
  l.toolTipText = r.text("ToolTipText", "");
  return l;
}

void apply(FlowPropertyTargets t, const Loaded& l) {
  t.diagram.permissions() = l.permissions;
  t.diagram.setDefaults(l.defaults);
  t.diagram.viewOptions() = l.view;
  t.own = l.own;
  t.toolTipText = l.toolTipText;
  t.layout.SetOrientation(l.orientation);
}

}  // namespace

graphon::Font containerFont() { return graphon::Font{}; }

void initFlowProperties(FlowPropertyTargets targets) {
  treelayout::MemoryPropertyBag empty;
  apply(targets, read(empty));
}

void saveFlowProperties(const graphon::Diagram& diagram, const treelayout::TierioCtrl& layout,
                        const FlowOwnProperties& o, const std::string& toolTipText, PropertyBag& bag) {
  const graphon::Permissions& p = diagram.permissions();
  const graphon::ItemDefaults& d = diagram.defaults();
  const graphon::ViewOptions& v = diagram.viewOptions();
  bag.write("CanSizeNode", boolValue(p.canSizeNode));
  bag.write("CanStretchLink", boolValue(p.canStretchLink));
  bag.write("CanUndoRedo", boolValue(p.canUndoRedo));
  bag.write("CanDrawLink", boolValue(p.canDrawLink));
  bag.write("CanDrawNode", boolValue(p.canDrawNode));
  bag.write("CanFireError", boolValue(p.canFireError));
  bag.write("CanMoveNode", boolValue(p.canMoveNode));
  bag.write("CanMultiLink", boolValue(p.canMultiLink));
  bag.write("CanReflexLink", boolValue(p.canReflexLink));
  bag.write("FillColor", static_cast<std::int32_t>(d.fillColor));
  bag.write("FillStyle", o.FillStyle);
  bag.write("Font.Name", d.font.name);
  bag.write("Font.Size", d.font.size);
  bag.write("Font.Bold", boolValue(d.font.bold));
  bag.write("Font.Italic", boolValue(d.font.italic));
  bag.write("Font.Underline", boolValue(d.font.underline));
  bag.write("Font.Strikethrough", boolValue(d.font.strikethrough));
  bag.write("FontBold", o.FontBold);
  bag.write("FontItalic", o.FontItalic);
  bag.write("FontName", o.FontName);
  bag.write("FontSize", o.FontSize);
  bag.write("FontStrikethru", o.FontStrikethru);
  bag.write("FontTransparent", o.FontTransparent);
  bag.write("FontUnderline", o.FontUnderline);
  bag.write("ForeColor", o.ForeColor);
  bag.write("Orientation", static_cast<std::int16_t>(layout.Orientation()));
  bag.write("ScrollBars", int16(v.scrollBars));
  bag.write("Shape", int16(d.shape));
  bag.write("ShapeOrientation", v.shapeOrientation);
  bag.write("ShowToolTip", boolValue(p.showToolTip));
  bag.write("ToolTipText", toolTipText);
  bag.write("DrawColor", static_cast<std::int32_t>(d.drawColor));
  bag.write("DrawStyle", int16(d.drawStyle));
  bag.write("DrawWidth", d.drawWidth);
  bag.write("DrawMode", o.DrawMode);
  bag.write("DrawMethod", v.drawMethod);
}

void loadFlowProperties(FlowPropertyTargets targets, const PropertyBag& bag) { apply(targets, read(bag)); }

}  // namespace orlix::display
