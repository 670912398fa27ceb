#include "display/map/printable_map.h"

namespace orlix::display {

PrintableMap::PrintableMap(const QString& fileName) : target_(map_.diagram()) { map_.LoadFile(fileName); }

long PrintableMap::printMessage(unsigned message, diagramprint::PrintRecord& record) {
  return target_.printMessage(message, record);
}

}  // namespace orlix::display
