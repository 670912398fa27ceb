#include "treelayout/tierio_ctrl.h"

#include <cmath>
#include <optional>
#include <string>

#include "treelayout/graphon_binding.h"
#include "treelayout/tierio_ids.h"
#include "treelayout/tree_layout.h"

namespace orlix::treelayout {
namespace {

constexpr const char* kOrientationName = "Orientation";
constexpr const char* kLayerDistanceName = "LayerDistance";
constexpr const char* kVertexDistanceName = "VertexDistance";

bool isOrientation(double value) { return value == 0 || value == 1 || value == 2 || value == 3; }

// Whole units toward zero; empty when the value has no 32-bit integer part.
std::optional<std::int32_t> wholeUnits(double value) {
  if (!std::isfinite(value) || value <= -2147483649.0 || value >= 2147483648.0) return std::nullopt;
  return static_cast<std::int32_t>(value);
}

std::optional<std::int32_t> storedDistance(const PropertyBag& bag, const char* name) {
  const std::optional<double> number = readNumber(bag, name);
  if (!number) return std::nullopt;
  const std::optional<std::int32_t> units = wholeUnits(*number);
  if (!units)
    throw ControlError::invalidPropertyValue(std::string("the stored \"") + name +
                                             "\" is out of range");
  return units;
}

}  // namespace

OrientationConstants TierioCtrl::Orientation() const {
  return static_cast<OrientationConstants>(settings_.orientation);
}

void TierioCtrl::SetOrientation(std::int32_t value) {
  if (!isOrientation(value)) throw ControlError::invalidPropertyValue();
  settings_.orientation = static_cast<std::int16_t>(value);
  changed(dispid::Orientation);
}

float TierioCtrl::LayerDistance() const { return static_cast<float>(settings_.layerDistance); }
float TierioCtrl::VertexDistance() const { return static_cast<float>(settings_.vertexDistance); }

void TierioCtrl::SetLayerDistance(float value) {
  setDistance(settings_.layerDistance, value, dispid::LayerDistance);
}

void TierioCtrl::SetVertexDistance(float value) {
  setDistance(settings_.vertexDistance, value, dispid::VertexDistance);
}

void TierioCtrl::setDistance(std::int32_t& stored, float value, std::int32_t dispid) {
  const std::optional<std::int32_t> units = wholeUnits(value);
  if (!units) throw ControlError::invalidPropertyValue();
  if (*units == stored) return;
  stored = *units;
  changed(dispid);
}

void TierioCtrl::changed(std::int32_t dispid) {
  modified_ = true;
  if (changed_) changed_(dispid);
}

void TierioCtrl::Layout(graphon::Object* Control) {
  const std::unique_ptr<GraphonBinding> diagram = bindDiagram(Control);
  if (diagram) Layout(*diagram);
}

void TierioCtrl::Layout(LayoutDiagram& diagram) { layoutTree(diagram, settings_); }

void TierioCtrl::ResetProperties() { settings_ = LayoutSettings{}; }

void TierioCtrl::Save(PropertyBag& bag) const {
  bag.write(kOrientationName, settings_.orientation);
  bag.write(kLayerDistanceName, static_cast<float>(settings_.layerDistance));
  bag.write(kVertexDistanceName, static_cast<float>(settings_.vertexDistance));
}

void TierioCtrl::Load(const PropertyBag& bag) {
  LayoutSettings loaded = settings_;
  if (const std::optional<double> orientation = readNumber(bag, kOrientationName)) {
    if (!isOrientation(*orientation))
      throw ControlError::invalidPropertyValue("the stored \"Orientation\" is not 0 to 3");
    loaded.orientation = static_cast<std::int16_t>(*orientation);
  }
  if (const auto layer = storedDistance(bag, kLayerDistanceName)) loaded.layerDistance = *layer;
  if (const auto vertex = storedDistance(bag, kVertexDistanceName)) loaded.vertexDistance = *vertex;
  settings_ = loaded;
}

const std::array<const char*, 4>& TierioCtrl::OrientationEntries() {
  static const std::array<const char*, 4> entries{"0 - North", "1 - East", "2 - South",
                                                   "3 - West"};
  return entries;
}

}  // namespace orlix::treelayout
