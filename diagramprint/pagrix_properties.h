#pragma once
// The print control's persistent properties with their defaults after reset,
// the rules their values obey, and their exchange with a container's property
// bag by name (format version 3.0).
#include <QColor>
#include <QFont>
#include <QString>
#include <cstdint>
#include <optional>

#include "diagramprint/pagrix_ids.h"
#include "treelayout/property_bag.h"

namespace orlix::diagramprint {

struct PagrixProperties {
  QString footer = QStringLiteral("|<PAGE>|");
  QString header;
  QString docName;
  bool printerSettings = false;
  bool mousePage = true;
  bool mouseZoom = true;
  bool fitToPage = false;
  bool preview = false;
  std::int32_t orientation = OrientPortrait;
  std::int32_t pageBorder = PageBorderNone;
  // Twips.
  std::int32_t marginLeft = 1440;
  std::int32_t marginRight = 1440;
  std::int32_t marginTop = 1440;
  std::int32_t marginBottom = 1440;
  std::int32_t marginHeader = 0;
  std::int32_t marginFooter = 0;
  std::int32_t zoom = 0;
  // Stock properties.
  std::int32_t borderStyle = 1;
  QFont font = defaultFont();
  QColor foreColor = QColor(Qt::black);
  QColor backColor = QColor(128, 128, 128);

  static QFont defaultFont();
};

bool isOrientation(std::int64_t value);
bool isPageBorder(std::int64_t value);
bool isZoom(std::int64_t value);
bool isBorderStyle(std::int64_t value);
// A margin as whole twips toward zero; empty when negative, not finite or
// beyond 32 bits. The page limit is the caller's.
std::optional<std::int32_t> marginTwips(double value);

// A colour as the container stores it (0x00BBGGRR), and back. System colours
// (high bit set) read as the nearest plain colour.
std::int32_t oleColor(const QColor& color);
QColor fromOleColor(std::int64_t value);

// Writes every property and the "_Version" entry.
void saveProperties(const PagrixProperties& properties, treelayout::PropertyBag& bag);
// `current` with the entries present in `bag` taken over; data older than
// version 3.0 sets Orientation to portrait and FitToPage to false. A bad
// entry raises ControlError 380 naming it, and nothing is taken.
PagrixProperties loadProperties(const treelayout::PropertyBag& bag, PagrixProperties current);

}  // namespace orlix::diagramprint
