#pragma once
// The persisted properties of the flow view control: its own plain values,
// and the names, types and defaults under which it stores those that live in
// its diagram and its layout control.
#include <cstdint>
#include <string>

#include "platform/graphon/diagram.h"
#include "treelayout/property_bag.h"
#include "treelayout/tierio_ctrl.h"

namespace orlix::display {

// Values the control keeps for its container and does not forward; a new
// control starts with all of them zero or empty.
struct FlowOwnProperties {
  std::int16_t FontBold = 0;
  std::int16_t FontItalic = 0;
  std::string FontName;
  std::int16_t FontSize = 0;
  std::int16_t FontStrikethru = 0;
  std::int16_t FontTransparent = 0;
  std::int16_t FontUnderline = 0;
  std::int16_t FillStyle = 0;
  std::int32_t ForeColor = 0;  // a colour value: 32 bits
  std::int16_t DrawMode = 0;

  bool operator==(const FlowOwnProperties&) const = default;
};

// Everything the control persists, reached where it lives.
struct FlowPropertyTargets {
  graphon::Diagram& diagram;
  treelayout::TierioCtrl& layout;
  FlowOwnProperties& own;
  std::string& toolTipText;
};

// The font the control's container gives a new map: the map's "Arial", 8 points.
graphon::Font containerFont();

// The defaults of a new control: every persisted property at its default.
void initFlowProperties(FlowPropertyTargets targets);
// Writes every persisted property under its name, read from where it lives.
void saveFlowProperties(const graphon::Diagram& diagram, const treelayout::TierioCtrl& layout,
                        const FlowOwnProperties& own, const std::string& toolTipText, treelayout::PropertyBag& bag);
// Reads every persisted property; a missing entry gives the default. A bad
// entry (not a number, or out of range: ScrollBars 0..3, Shape 0..15,
// DrawStyle 0..6, DrawWidth 0 or more, Orientation 0..3, font size above 0)
// raises ControlError 380 naming it, and then nothing is taken.
void loadFlowProperties(FlowPropertyTargets targets, const treelayout::PropertyBag& bag);

}  // namespace orlix::display
