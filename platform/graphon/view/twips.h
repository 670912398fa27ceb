#pragma once
// The units of the diagram's view: the model measures in twips, the view
// maps 1440 twips to one logical inch of the device it draws on.
namespace orlix::graphon::view {

inline constexpr double kTwipsPerInch = 1440.0;
inline constexpr double kTwipsPerPoint = 20.0;
// Line widths count pixels of a 96 dpi screen, so they scale with the map.
inline constexpr double kTwipsPerLineUnit = 15.0;
// A picture of the map keeps this much room around its content.
inline constexpr double kPictureMarginTwips = 120.0;

// Device units per twip on a device of `dpi` logical dots per inch.
inline constexpr double deviceUnitsPerTwip(double dpi) { return dpi / kTwipsPerInch; }

}  // namespace orlix::graphon::view
