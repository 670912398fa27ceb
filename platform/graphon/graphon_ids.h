#pragma once
// Dispatch identifiers of the diagram's members that other components name.
// Generation 4 is the current diagram; generation 3 differs only in the three
// diagram-level members listed under Generation3.
#include <cstdint>

namespace orlix::graphon::dispid {

namespace generation4 {
inline constexpr std::int32_t Nodes = 64;
inline constexpr std::int32_t FilterFlag = 13;
inline constexpr std::int32_t RedrawSwitch = 59;
}  // namespace generation4

namespace generation3 {
inline constexpr std::int32_t Nodes = 46;
inline constexpr std::int32_t FilterFlag = 61;
inline constexpr std::int32_t RedrawSwitch = 41;
}  // namespace generation3

inline constexpr std::int32_t hWnd = -515;
inline constexpr std::int32_t Refresh = -550;

namespace collection {
inline constexpr std::int32_t Item = 0;
inline constexpr std::int32_t Count = 1;
inline constexpr std::int32_t Add = 3;
}  // namespace collection

namespace node {
inline constexpr std::int32_t FillColor = 3;
inline constexpr std::int32_t BorderColor = 4;
inline constexpr std::int32_t ScratchNumber = 6;
inline constexpr std::int32_t Text = 8;
inline constexpr std::int32_t Selected = 10;
inline constexpr std::int32_t Font = 13;
inline constexpr std::int32_t BorderWidth = 14;
inline constexpr std::int32_t BorderStyle = 15;
inline constexpr std::int32_t Shape = 19;
inline constexpr std::int32_t Left = 20;
inline constexpr std::int32_t Top = 21;
inline constexpr std::int32_t Width = 22;
inline constexpr std::int32_t Height = 23;
inline constexpr std::int32_t InLinks = 25;
inline constexpr std::int32_t OutLinks = 26;
inline constexpr std::int32_t AttachedLinks = 28;
inline constexpr std::int32_t TipText = 30;
inline constexpr std::int32_t Included = 31;
inline constexpr std::int32_t Flag49 = 49;
}  // namespace node

namespace link {
inline constexpr std::int32_t Color = 2;
inline constexpr std::int32_t Selected = 12;
inline constexpr std::int32_t Width = 16;
inline constexpr std::int32_t Style = 17;
inline constexpr std::int32_t Origin = 20;
inline constexpr std::int32_t Destination = 21;
inline constexpr std::int32_t Points = 22;
inline constexpr std::int32_t PointsClear = 2;  // the method of the Points sub-object
inline constexpr std::int32_t StyleNumber = 23;
inline constexpr std::int32_t Included = 27;
}  // namespace link

}  // namespace orlix::graphon::dispid
