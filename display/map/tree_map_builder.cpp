#include "display/map/tree_map_builder.h"

#include <utility>
#include <vector>

#include "display/map/node_text.h"
#include "platform/ado/recordset.h"
#include "treelayout/control_error.h"

namespace orlix::display {
namespace {

using com::Variant;

// A field's value as the map shows it: numbers without trailing zeros, NULL empty.
std::string valueText(const Variant& v) {
  if (v.isNull() || v.isEmpty()) return {};
  if (v.type() == com::VT_R4 || v.type() == com::VT_R8) return statisticText(v.toDouble());
  return v.toString();
}

double valueNumber(const Variant& v) { return v.isNull() || v.isEmpty() ? 0.0 : v.toDouble(); }

std::string trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string nodeText(const ado::Recordset& rs, const TreeListKind& kind) {
  const ado::Fields& fields = rs.Fields();
  const std::string rule = valueText(fields.Item(2L).Value());
  const Variant n = fields.Item(3L).Value();
  if (!kind.characterTarget)
    return numericNodeText(rule, valueText(n), valueNumber(fields.Item(4L).Value()),
                           valueNumber(fields.Item(5L).Value()), valueText(fields.Item(6L).Value()),
                           valueText(fields.Item(7L).Value()));
  std::vector<ClassCount> counts;
  // The count fields start at position 4; a record set with fewer than the
  // run's classes ends them at the first field that is not a count.
  for (long i = 4; i < 4L + kind.targetValueCount && i < fields.Count(); ++i) {
    const ado::Field field = fields.Item(i);
    if (field.Name().rfind("Val_", 0) != 0) break;
    counts.push_back({field.Name(), valueNumber(field.Value())});
  }
  return characterNodeText(rule, valueText(n), valueNumber(n), counts);
}

graphon::Node& addNode(FlowMap& map, const ado::Recordset& rs, const TreeListKind& kind) {
  graphon::Node& node = map.diagram().nodes().add(0, 0, kNodeWidth, kNodeHeight);
  node.setShape(kNodeShape);
  node.setText(nodeText(rs, kind));
  node.setTipText(tipText(node.text()));
  return node;
}

// The node register: the drawn nodes with their record IDs, searched in the
// order they were drawn, so a repeated ID finds its first node.
class NodeRegister {
 public:
  graphon::Node* find(const std::string& id) const {
    if (id == "0") return nullptr;
    for (const auto& [node, registered] : entries_)
      if (registered == id) return node;
    return nullptr;
  }
  void add(graphon::Node& node, std::string id) { entries_.emplace_back(&node, std::move(id)); }

 private:
  std::vector<std::pair<graphon::Node*, std::string>> entries_;
};

}  // namespace

std::shared_ptr<ado::Recordset> buildTreeMap(const ado::Recordset& treeList, const TreeListKind& kind, FlowMap& map) {
  std::shared_ptr<ado::Recordset> working = treeList.Clone();
  working->SetSort(" Parent ");
  working->MoveFirst();
  if (working->Eof()) return working;

  graphon::Node& root = addNode(map, *working, kind);
  NodeRegister nodes;
  for (working->MoveNext(); !working->Eof(); working->MoveNext()) {
    const std::string parent = trimmed(valueText(working->Fields().Item("Parent").Value()));
    graphon::Node* origin = nodes.find(parent);
    graphon::Node& node = addNode(map, *working, kind);
    if (origin) node.setFlag49(true);
    (origin ? *origin : root).outLinks().add(node);
    nodes.add(node, trimmed(valueText(working->Fields().Item("ID").Value())));
  }
  try {
    map.Layout();
  } catch (const treelayout::ControlError&) {
    // Not a tree: the nodes stay where they were added.
  }
  return working;
}

}  // namespace orlix::display
