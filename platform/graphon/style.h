#pragma once
// Value types of the diagram's look: colours, fonts, link bend points.
#include <cstdint>
#include <string>

namespace orlix::graphon {

// An automation colour: 0x00BBGGRR.
using Color = std::uint32_t;

inline constexpr Color kBlack = 0x000000;
inline constexpr Color kWhite = 0xFFFFFF;

struct Font {
  std::string name = "Arial";
  float size = 8.0f;  // points
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikethrough = false;

  bool operator==(const Font&) const = default;
};

struct Point {
  float x = 0.0f;
  float y = 0.0f;

  bool operator==(const Point&) const = default;
};

// Node shapes, numbered as the customisation dialog lists them.
inline constexpr std::int32_t kShapeEllipse = 0;
inline constexpr std::int32_t kShapeRectangle = 1;
inline constexpr std::int32_t kShapeRectEdgeEtched = 10;
inline constexpr std::int32_t kShapeOctogon = 15;

// Line styles of node borders and links, as the customisation dialog lists them.
inline constexpr std::int32_t kLineSolid = 0;
inline constexpr std::int32_t kLineDash = 1;
inline constexpr std::int32_t kLineDot = 2;
inline constexpr std::int32_t kLineDashDot = 3;
inline constexpr std::int32_t kLineDashDotDot = 4;
inline constexpr std::int32_t kLineTransparent = 5;
inline constexpr std::int32_t kLineInsideSolid = 6;

}  // namespace orlix::graphon
