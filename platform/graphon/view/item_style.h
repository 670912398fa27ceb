#pragma once
// The model's look (automation colours, line styles and widths, fonts) turned
// into the pens, brushes and fonts of a QPainter that draws in twips.
#include <cstdint>

#include <QColor>
#include <QFont>
#include <QPen>

#include "platform/graphon/style.h"

namespace orlix::graphon::view {

// 0x00BBGGRR to a colour; a system colour (high byte set) draws black.
QColor qColor(Color color);
// The colour as an automation colour 0x00BBGGRR (alpha dropped).
Color automationColor(const QColor& color);

// A pen for a node border or a link: style 0..6 as the model numbers them
// (5, transparent, gives no pen), width in line units (0 draws as 1).
QPen linePen(Color color, std::int32_t style, std::int32_t width);
// The pen's width in twips.
double lineWidthTwips(std::int32_t width);

// The font for a painter whose units are twips: its pixel size is the
// point size times 20. "Arial" and other names go through font matching.
QFont qFont(const Font& font);

}  // namespace orlix::graphon::view
