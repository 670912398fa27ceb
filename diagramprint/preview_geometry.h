#pragma once
// Where the preview shows its page: the effective zoom, the page window's
// place in the control (centred where it is smaller, scrolled where it is
// larger) and the two scroll bars. Pure arithmetic on twips and pixels.
#include <QPoint>
#include <QRect>
#include <QSize>

namespace orlix::diagramprint {

inline constexpr int kZoomStep = 10;
inline constexpr int kMinZoom = 10;
inline constexpr int kMaxZoom = 400;

// `zoom` when it is not 0; with 0 the largest multiple of 10 per cent at which
// the whole page height fits into 90 per cent of the control's height (at
// least 10, and 100 while the page is not measured yet).
int effectiveZoom(int zoom, int controlHeightTwips, int pageHeightTwips);
// One step up, at most 400; one step down, at least 10.
int zoomedIn(int effective);
int zoomedOut(int effective);

// One scroll bar, in twips of the zoomed page.
struct ScrollAxis {
  int maximum = 0;   // the last position: the zoomed page less the client
  int pageStep = 0;  // the client, but at least one line
  int lineStep = 0;  // a tenth of the page
  int position = 0;
};

enum class ScrollAction { LineBack, LineForward, PageBack, PageForward, ToPosition, ToStart, ToEnd };

// The new position after `action` (ToPosition takes `position`), within 0 ... maximum.
int scrolledPosition(const ScrollAxis& axis, ScrollAction action, int position = 0);

struct PreviewInputs {
  QSize pageTwips;      // the printable page
  QSize clientTwips;    // the control's client area
  QSize clientPixels;
  int dpiX = 96;        // the screen's pixels per inch
  int dpiY = 96;
  int zoom = 100;       // effective zoom
  QPoint scrollTwips;   // the scroll bars' positions
};

struct PreviewPlacement {
  QRect window;  // the page window in the control's client pixels
  ScrollAxis horizontal;
  ScrollAxis vertical;
};

// Scroll positions are clamped to their new ranges.
PreviewPlacement placePreview(const PreviewInputs& in);

}  // namespace orlix::diagramprint
