#include "diagramprint/preview_geometry.h"

#include <algorithm>

#include "diagramprint/twips.h"

namespace orlix::diagramprint {
namespace {

ScrollAxis scrollAxis(int pageTwips, int clientTwips, int zoom, int position) {
  ScrollAxis axis;
  const long long zoomed = static_cast<long long>(pageTwips) * zoom / 100;
  axis.maximum = static_cast<int>(std::max<long long>(0, zoomed - clientTwips));
  axis.lineStep = std::max(1, pageTwips / 10);
  axis.pageStep = std::max(clientTwips, axis.lineStep);
  axis.position = std::clamp(position, 0, axis.maximum);
  return axis;
}

// Centred where the window is smaller than the client, else moved by the bar.
int windowStart(int windowPixels, int clientPixels, int scrollTwips, int dpi) {
  const int centring = windowPixels < clientPixels ? (clientPixels - windowPixels) / 2 : 0;
  return centring - twipsToDevice(scrollTwips, dpi);
}

}  // namespace

int effectiveZoom(int zoom, int controlHeightTwips, int pageHeightTwips) {
  if (zoom != 0) return zoom;
  if (pageHeightTwips <= 0) return 100;
  const long long fitting = (static_cast<long long>(controlHeightTwips) * 9 / 10) * 100 / pageHeightTwips;
  return std::max<int>(kMinZoom, static_cast<int>(kZoomStep * (fitting / kZoomStep)));
}

int zoomedIn(int effective) { return std::min(effective + kZoomStep, kMaxZoom); }

int zoomedOut(int effective) { return std::max(effective - kZoomStep, kMinZoom); }

int scrolledPosition(const ScrollAxis& axis, ScrollAction action, int position) {
  int target = axis.position;
  switch (action) {
    case ScrollAction::LineBack: target -= axis.lineStep; break;
    case ScrollAction::LineForward: target += axis.lineStep; break;
    case ScrollAction::PageBack: target -= axis.pageStep; break;
    case ScrollAction::PageForward: target += axis.pageStep; break;
    case ScrollAction::ToPosition: target = position; break;
    case ScrollAction::ToStart: target = 0; break;
    case ScrollAction::ToEnd: target = axis.maximum; break;
  }
  return std::clamp(target, 0, axis.maximum);
}

PreviewPlacement placePreview(const PreviewInputs& in) {
  PreviewPlacement placement;
  placement.horizontal = scrollAxis(in.pageTwips.width(), in.clientTwips.width(), in.zoom,
                                    in.scrollTwips.x());
  placement.vertical = scrollAxis(in.pageTwips.height(), in.clientTwips.height(), in.zoom,
                                  in.scrollTwips.y());
  const int width = static_cast<int>(
      static_cast<long long>(twipsToDevice(in.pageTwips.width(), in.dpiX)) * in.zoom / 100);
  const int height = static_cast<int>(
      static_cast<long long>(twipsToDevice(in.pageTwips.height(), in.dpiY)) * in.zoom / 100);
  placement.window = QRect(
      windowStart(width, in.clientPixels.width(), placement.horizontal.position, in.dpiX),
      windowStart(height, in.clientPixels.height(), placement.vertical.position, in.dpiY), width,
      height);
  return placement;
}

}  // namespace orlix::diagramprint
