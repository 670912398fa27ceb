#pragma once
// The 16 colours the customisation dialog offers: strong colours that print
// well for outlines and links, pale ones that keep text readable as fills,
// and the tree list's default white. Automation colours, 0x00BBGGRR.
#include <array>

#include "platform/graphon/style.h"

namespace orlix::display {

inline constexpr std::array<graphon::Color, 16> kSwatchColors = {
    0x000000,  // black
    0xFFFFFF,  // white, the default fill
    0x505050,  // dark grey
    0xC8C8C8,  // light grey
    0x1C1C9B,  // dark red
    0x3D3DE0,  // red
    0x2A8CF2,  // orange
    0xA8F2FF,  // pale yellow
    0x347B1E,  // dark green
    0xB0E0B8,  // pale green
    0x908D13,  // teal
    0xF5D4B3,  // pale blue
    0xBF5F1F,  // blue
    0x5C2A1B,  // navy
    0xA03F6B,  // purple
    0xEEC8D9,  // lavender
};

}  // namespace orlix::display
