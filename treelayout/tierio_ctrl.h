#pragma once
// The tree layout control: three persistent settings and Layout, which arranges
// a diagram handed to it as a layered tree. Errors are raised as ControlError
// (380 for an invalid property value, 0x800A03E8 for a graph that is not a
// tree); the control never keeps a reference to a diagram.
#include <array>
#include <cstdint>
#include <functional>

#include "platform/graphon/object.h"
#include "treelayout/control_error.h"
#include "treelayout/layout_diagram.h"
#include "treelayout/layout_settings.h"
#include "treelayout/property_bag.h"

namespace orlix::treelayout {

class TierioCtrl {
 public:
  TierioCtrl() = default;

  OrientationConstants Orientation() const;
  // 0..3, else ControlError 380 and the value stays. Always notifies and marks modified.
  void SetOrientation(std::int32_t value);
  // Stored as whole units, truncated toward zero; a value that is not a finite
  // number within 32-bit range raises 380. Only a real change notifies and marks modified.
  float LayerDistance() const;
  void SetLayerDistance(float value);
  float VertexDistance() const;
  void SetVertexDistance(float value);

  // Lays out the diagram `Control` if it is one (generation 4 or 3); any other
  // object, or none, is left alone without error.
  void Layout(graphon::Object* Control);
  // Lays out a diagram reached through some other binding.
  void Layout(LayoutDiagram& diagram);

  LayoutSettings settings() const { return settings_; }

  // Back to the defaults: North, 500, 500.
  void ResetProperties();
  void Save(PropertyBag& bag) const;
  // Takes the entries present, keeping the current value for a missing one;
  // loading neither notifies nor marks modified. A bad entry raises 380
  // naming it, and then nothing is taken.
  void Load(const PropertyBag& bag);

  bool IsModified() const { return modified_; }
  void SetModifiedFlag(bool modified) { modified_ = modified; }
  // Called with the member's dispatch identifier after a property changed.
  void OnPropertyChanged(std::function<void(std::int32_t)> handler) {
    changed_ = std::move(handler);
  }

  // The entries of the property page's orientation list; list index = value.
  static const std::array<const char*, 4>& OrientationEntries();

 private:
  void setDistance(std::int32_t& stored, float value, std::int32_t dispid);
  void changed(std::int32_t dispid);

  LayoutSettings settings_;
  bool modified_ = false;
  std::function<void(std::int32_t)> changed_;
};

}  // namespace orlix::treelayout
