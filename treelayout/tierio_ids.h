#pragma once
// The layout control's identity and the dispatch identifiers of its members:
// containers and stored forms name them, so they never change.
#include <cstdint>

namespace orlix::treelayout {

inline constexpr const char* kProgId = "TIERIO.TierioCtrl.1";
inline constexpr const char* kPropPageProgId = "TIERIO.TierioPropPage.1";
inline constexpr const char* kTypeLibrary = "TIERIOLib";

namespace dispid {
inline constexpr std::int32_t Orientation = 1;
inline constexpr std::int32_t LayerDistance = 2;
inline constexpr std::int32_t VertexDistance = 3;
inline constexpr std::int32_t Layout = 4;
inline constexpr std::int32_t DisplayPropertyPage = 5;
inline constexpr std::int32_t AboutBox = -552;
}  // namespace dispid

}  // namespace orlix::treelayout
