#pragma once
// Building the decision map from a tree list record set: a node per record
// (the record set sorted on Parent, ties in record order), a link from each
// parent, the texts of a numeric or a character target, then the layout.
#include <memory>
#include <string>

#include "display/map/flow_map.h"

namespace orlix::ado {
class Recordset;
}

namespace orlix::display {

// What a map of a tree list needs to know about the run.
struct TreeListKind {
  bool characterTarget = false;  // category map: class counts from field 4 on
  int targetValueCount = 0;      // how many count fields the records have
};

// Geometry and shape of every new node, in twips.
inline constexpr float kNodeWidth = 2500;
inline constexpr float kNodeHeight = 1000;
inline constexpr std::int32_t kNodeShape = 10;  // RectEdgeEtched

// Builds the map of `treeList` into `map` (meant to be empty) and lays it out
// with the map's layout settings. Works on a clone of the record set and
// returns it (the map window keeps it as long as it lives). An empty record
// set gives an empty map. Errors of the record set (a missing field, a value
// that is not a number) propagate; the nodes added before stay. A layout that
// fails leaves the nodes where they were added.
std::shared_ptr<ado::Recordset> buildTreeMap(const ado::Recordset& treeList, const TreeListKind& kind, FlowMap& map);

}  // namespace orlix::display
