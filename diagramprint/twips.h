#pragma once
// Twips (1440 per inch) and device units: every stored length is in twips and
// only drawing converts, per axis, with the device's pixels per inch.
#include <QRect>
#include <cstdint>

namespace orlix::diagramprint {

inline constexpr int kTwipsPerInch = 1440;

// n * numerator / denominator rounded half away from zero, in 64 bits, as a
// multiply-divide that neither overflows nor truncates. 0 when denominator is 0.
inline int mulDivRound(int n, int numerator, int denominator) {
  if (denominator == 0) return 0;
  const std::int64_t product = static_cast<std::int64_t>(n) * numerator;
  const std::int64_t half = (denominator > 0 ? denominator : -denominator) / 2;
  const bool negative = (product < 0) != (denominator < 0);
  const std::int64_t magnitude =
      ((product < 0 ? -product : product) + half) / (denominator > 0 ? denominator : -denominator);
  return static_cast<int>(negative ? -magnitude : magnitude);
}

inline int twipsToDevice(int twips, int pixelsPerInch) {
  return mulDivRound(twips, pixelsPerInch, kTwipsPerInch);
}

inline int deviceToTwips(int pixels, int pixelsPerInch) {
  return mulDivRound(pixels, kTwipsPerInch, pixelsPerInch);
}

// A rectangle given by its edges (left, top, right, bottom) in twips, converted
// edge by edge, so that adjacent rectangles stay adjacent on the device.
inline QRect twipsRectToDevice(int left, int top, int right, int bottom, int dpiX, int dpiY) {
  const int l = twipsToDevice(left, dpiX);
  const int t = twipsToDevice(top, dpiY);
  return QRect(l, t, twipsToDevice(right, dpiX) - l, twipsToDevice(bottom, dpiY) - t);
}

}  // namespace orlix::diagramprint
