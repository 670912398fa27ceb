#pragma once
// The three settings a layout runs with, and the separations derived from them.
#include <cstdint>

namespace orlix::treelayout {

// The side of the drawing on which the root lies.
enum OrientationConstants : std::int16_t { North = 0, East = 1, South = 2, West = 3 };

struct LayoutSettings {
  std::int16_t orientation = North;
  std::int32_t layerDistance = 500;
  std::int32_t vertexDistance = 500;

  // Derived with integer division toward zero, as the drawings have always been made.
  std::int64_t siblingSeparation() const { return vertexDistance; }
  std::int64_t subtreeSeparation() const { return std::int64_t{vertexDistance} * 5 / 4; }
  std::int64_t levelSeparation() const { return layerDistance; }
  std::int64_t margin() const { return layerDistance / 4; }
  // East and West lay the layers out as columns, so nodes stand along a layer by their height.
  bool layersAreColumns() const { return orientation == East || orientation == West; }
};

}  // namespace orlix::treelayout
