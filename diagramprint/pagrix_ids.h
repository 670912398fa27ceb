#pragma once
// The print control's identity, the dispatch identifiers of its members, its
// enumerations and its persistence version: containers and stored forms name
// them, so they never change.
#include <cstdint>

namespace orlix::diagramprint {

inline constexpr const char* kProgId = "PAGRIX.PagrixCtrl.1";
inline constexpr const char* kTypeLibrary = "Pagrix3Lib";
inline constexpr const char* kClassName = "CPagrixCtrl";

// Format version of the stored properties: major 3, minor 0, as the
// container's "_Version" entry holds it (major in the high word).
inline constexpr std::int32_t kPersistVersion = 0x00030000;
// The first version that stores "Orientation" and "FitToPage".
inline constexpr std::int32_t kOrientationVersion = 0x00030000;

enum OrientationConstants : std::int32_t {
  OrientPortrait = 1,
  OrientLandscape = 2,
};

enum PageBorderConstants : std::int32_t {
  PageBorderNone = 0,
  PageBorderTopLine = 1,
  PageBorderBottomLine = 2,
  PageBorderTopBottomLines = 3,
  PageBorderBox = 4,
  PageBorderDottedTopLine = 5,
  PageBorderDottedBottomLine = 6,
  PageBorderDottedTopBottomLines = 7,
  PageBorderDottedBoxDot = 8,
};

namespace dispid {
inline constexpr std::int32_t Footer = 1;
inline constexpr std::int32_t Header = 2;
inline constexpr std::int32_t DocName = 3;
inline constexpr std::int32_t PrinterSettings = 4;
inline constexpr std::int32_t MousePage = 5;
inline constexpr std::int32_t MouseZoom = 6;
inline constexpr std::int32_t Orientation = 7;
inline constexpr std::int32_t FitToPage = 8;
inline constexpr std::int32_t hWndFlow = 9;
inline constexpr std::int32_t PageCount = 10;
inline constexpr std::int32_t PageBorder = 11;
inline constexpr std::int32_t MarginLeft = 12;
inline constexpr std::int32_t MarginRight = 13;
inline constexpr std::int32_t MarginTop = 14;
inline constexpr std::int32_t MarginBottom = 15;
inline constexpr std::int32_t MarginFooter = 16;
inline constexpr std::int32_t MarginHeader = 17;
inline constexpr std::int32_t PreviewPage = 18;
inline constexpr std::int32_t Zoom = 19;
inline constexpr std::int32_t HorzPageCount = 20;
inline constexpr std::int32_t VertPageCount = 21;
inline constexpr std::int32_t Preview = 22;
inline constexpr std::int32_t NextPage = 23;
inline constexpr std::int32_t PriorPage = 24;
inline constexpr std::int32_t PrintDoc = 25;
inline constexpr std::int32_t UndocMethod = 26;
inline constexpr std::int32_t AboutBox = -552;

// Stock properties.
inline constexpr std::int32_t BackColor = -501;
inline constexpr std::int32_t BorderStyle = -504;
inline constexpr std::int32_t Font = -512;
inline constexpr std::int32_t ForeColor = -513;
}  // namespace dispid

// Event identifiers.
namespace eventid {
inline constexpr std::int32_t BeforeHeader = 1;
inline constexpr std::int32_t BeforeFooter = 2;
inline constexpr std::int32_t BeforePageBorder = 3;
}  // namespace eventid

}  // namespace orlix::diagramprint
