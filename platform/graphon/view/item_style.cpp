#include "platform/graphon/view/item_style.h"

#include <algorithm>
#include <cmath>

#include "platform/graphon/view/twips.h"

namespace orlix::graphon::view {

QColor qColor(Color color) {
  if (color & 0xFF000000u) return QColor(Qt::black);
  return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                static_cast<int>((color >> 16) & 0xFF));
}

Color automationColor(const QColor& color) {
  const QColor rgb = color.toRgb();
  return static_cast<Color>(rgb.red()) | (static_cast<Color>(rgb.green()) << 8) |
         (static_cast<Color>(rgb.blue()) << 16);
}

double lineWidthTwips(std::int32_t width) { return std::max(1, width) * kTwipsPerLineUnit; }

QPen linePen(Color color, std::int32_t style, std::int32_t width) {
  if (style == kLineTransparent) return QPen(Qt::NoPen);
  QPen pen(qColor(color), lineWidthTwips(width));
  switch (style) {
    case kLineDash: pen.setStyle(Qt::DashLine); break;
    case kLineDot: pen.setStyle(Qt::DotLine); break;
    case kLineDashDot: pen.setStyle(Qt::DashDotLine); break;
    case kLineDashDotDot: pen.setStyle(Qt::DashDotDotLine); break;
    default: pen.setStyle(Qt::SolidLine); break;
  }
  pen.setCapStyle(Qt::FlatCap);
  pen.setJoinStyle(Qt::MiterJoin);
  return pen;
}

QFont qFont(const Font& font) {
  QFont f(QString::fromStdString(font.name));
  f.setPixelSize(std::max(1, static_cast<int>(std::lround(font.size * kTwipsPerPoint))));
  f.setBold(font.bold);
  f.setItalic(font.italic);
  f.setUnderline(font.underline);
  f.setStrikeOut(font.strikethrough);
  // Metrics from the outlines, not the screen's hinting, so a map breaks its
  // lines alike on screen, in pictures and on paper.
  f.setHintingPreference(QFont::PreferNoHinting);
  return f;
}

}  // namespace orlix::graphon::view
