#pragma once
// A saved decision map opened for printing without its window: the map of a
// diagram file and the print messages of its diagram, as the print control
// reaches a diagram. The batch front end's print command uses it.
#include <QString>

#include "diagramprint/print_record.h"
#include "display/map/flow_map.h"
#include "platform/graphon/view/diagram_print.h"

namespace orlix::display {

class PrintableMap : public diagramprint::PrintMessageTarget {
 public:
  // Loads `fileName`; throws graphon::view::DiagramFileError naming it.
  explicit PrintableMap(const QString& fileName);

  const FlowMap& map() const { return map_; }
  long printMessage(unsigned message, diagramprint::PrintRecord& record) override;

 private:
  FlowMap map_;
  graphon::view::DiagramPrintTarget target_;
};

}  // namespace orlix::display
