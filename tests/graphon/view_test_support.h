// Small diagrams and file helpers for the view tests.
#pragma once

#include <QImage>
#include <QString>

#include "platform/graphon/diagram.h"

namespace orlix::graphon::testing {

// A root at (125, 125) above two children, 2500 × 1000 twips each, linked
// root → left, root → right, with texts "Root", "Left", "Right".
inline void threeNodeTree(Diagram& d) {
  Node& root = d.nodes().add(1625, 125, 2500, 1000);
  Node& left = d.nodes().add(125, 1625, 2500, 1000);
  Node& right = d.nodes().add(3125, 1625, 2500, 1000);
  root.setText("Root");
  left.setText("Left");
  right.setText("Right");
  root.outLinks().add(left);
  root.outLinks().add(right);
}

// How many pixels of two images of one size differ by more than `tolerance` in any channel.
inline int differingPixels(const QImage& a, const QImage& b, int tolerance = 48) {
  const QImage x = a.convertToFormat(QImage::Format_ARGB32);
  const QImage y = b.convertToFormat(QImage::Format_ARGB32);
  int count = 0;
  for (int row = 0; row < x.height(); ++row)
    for (int col = 0; col < x.width(); ++col) {
      const QRgb p = x.pixel(col, row), q = y.pixel(col, row);
      if (std::abs(qRed(p) - qRed(q)) > tolerance || std::abs(qGreen(p) - qGreen(q)) > tolerance ||
          std::abs(qBlue(p) - qBlue(q)) > tolerance || std::abs(qAlpha(p) - qAlpha(q)) > tolerance)
        ++count;
    }
  return count;
}

}  // namespace orlix::graphon::testing
