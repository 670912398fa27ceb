// The flow view control's state without its window: persisted properties with
// their defaults, the diagram file reopening a map exactly, orientation, and
// the selection commands of its menu.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "display/map/flow_map.h"
#include "display/map/ordered_property_bag.h"
#include "display/map/tree_map_builder.h"
#include "platform/graphon/diagram_state.h"
#include "platform/graphon/view/diagram_file_error.h"
#include "tests/display/tree_list_support.h"
#include "treelayout/control_error.h"

namespace orlix::display {
namespace {

using graphon::captureState;

void buildSmallTree(FlowMap& map) {
  buildTreeMap(*testing::regressionTreeList({{1, 0}, {2, 1}, {3, 1}, {4, 2}, {5, 2}}), {}, map);
}

TEST(FlowProperties, SavedUnderTheirNamesWithTheirDefaults) {
  FlowMap map;
  OrderedPropertyBag bag;
  map.Save(bag);
  std::vector<std::string> names;
  for (const auto& [name, value] : bag.entries()) names.push_back(name);
  const std::vector<std::string> expected = {
      "CanSizeNode", "CanStretchLink", "CanUndoRedo", "CanDrawLink", "CanDrawNode", "CanFireError", "CanMoveNode",
      "CanMultiLink", "CanReflexLink", "FillColor", "FillStyle", "Font.Name", "Font.Size", "Font.Bold",
      "Font.Italic", "Font.Underline", "Font.Strikethrough", "FontBold", "FontItalic", "FontName", "FontSize",
      "FontStrikethru", "FontTransparent", "FontUnderline", "ForeColor", "Orientation", "ScrollBars", "Shape",
      "ShapeOrientation", "ShowToolTip", "ToolTipText", "DrawColor", "DrawStyle", "DrawWidth", "DrawMode",
      "DrawMethod"};
  EXPECT_EQ(names, expected);
  EXPECT_EQ(std::get<std::int16_t>(*bag.read("CanFireError")), 0);
  EXPECT_EQ(std::get<std::int16_t>(*bag.read("CanMoveNode")), -1);
  EXPECT_EQ(std::get<std::int32_t>(*bag.read("FillColor")), 0xFFFFFF);
  EXPECT_EQ(std::get<std::int16_t>(*bag.read("ScrollBars")), 3);
  EXPECT_EQ(std::get<std::int32_t>(*bag.read("DrawWidth")), 1);
  EXPECT_EQ(std::get<std::string>(*bag.read("Font.Name")), "Arial");
  EXPECT_EQ(map.own(), FlowOwnProperties{});  // zero or empty
}

TEST(FlowProperties, MissingEntriesReadAsDefaultsAndBadOnesChangeNothing) {
  FlowMap map;
  map.diagram().viewOptions().scrollBars = 0;
  graphon::ItemDefaults thick;
  thick.drawWidth = 6;
  map.diagram().setDefaults(thick);
  OrderedPropertyBag bag;
  bag.write("CanMoveNode", std::int16_t{0});
  bag.write("FontName", std::string("Courier"));
  bag.write("Orientation", std::int16_t{3});
  map.Load(bag);
  EXPECT_EQ(map.diagram().viewOptions().scrollBars, 3);  // no ScrollBars entry: both bars
  EXPECT_EQ(map.diagram().defaults().drawWidth, 1);      // no DrawWidth entry: width 1
  EXPECT_FALSE(map.diagram().permissions().canMoveNode);
  EXPECT_EQ(map.own().FontName, "Courier");
  EXPECT_EQ(map.layoutControl().Orientation(), treelayout::West);

  for (const auto& [name, value] : std::vector<std::pair<std::string, treelayout::PropertyValue>>{
           {"ScrollBars", std::int16_t{4}}, {"Shape", std::int16_t{16}}, {"DrawStyle", std::int16_t{7}},
           {"DrawWidth", std::int32_t{-1}}, {"Orientation", std::int16_t{4}}, {"Font.Size", 0.0f},
           {"CanMoveNode", std::string("yes")}, {"ToolTipText", std::int16_t{1}}}) {
    OrderedPropertyBag bad;
    bad.write("FontName", std::string("Times"));
    bad.write(name, value);
    try {
      map.Load(bad);
      ADD_FAILURE() << name << " was taken";
    } catch (const treelayout::ControlError& e) {
      EXPECT_EQ(e.number(), 380) << name;
      EXPECT_NE(e.description().find(name), std::string::npos) << e.description();
    }
    EXPECT_EQ(map.own().FontName, "Courier") << name;
  }
}

TEST(FlowMapFile, ASavedMapReopensIdenticalPropertyByProperty) {
  QTemporaryDir dir;
  const QString file = dir.filePath(kMapFileName);
  FlowMap map;
  buildSmallTree(map);
  graphon::Node& root = map.diagram().nodes().item(1);
  root.setFillColor(0x00FFFF);
  root.setFont({"Liberation Serif", 12, true, true, false, false});
  root.setSelected(true);
  map.diagram().links().item(3).setStyle(graphon::kLineDash);
  map.diagram().permissions().showToolTip = false;
  map.own().ForeColor = 0xFF0000;
  map.own().FontName = "Arial";
  map.setToolTipText("Decision map");
  map.layoutControl().SetLayerDistance(800);
  map.orient(treelayout::East);
  map.SaveFile(file);

  FlowMap reopened;
  reopened.LoadFile(file);
  const graphon::DiagramState before = captureState(map.diagram());
  const graphon::DiagramState after = captureState(reopened.diagram());
  ASSERT_EQ(after.nodes.size(), before.nodes.size());
  for (std::size_t i = 0; i < before.nodes.size(); ++i) EXPECT_EQ(after.nodes[i], before.nodes[i]) << i;
  ASSERT_EQ(after.links.size(), before.links.size());
  for (std::size_t i = 0; i < before.links.size(); ++i) EXPECT_EQ(after.links[i], before.links[i]) << i;
  EXPECT_EQ(after, before);
  EXPECT_EQ(reopened.own(), map.own());
  EXPECT_EQ(reopened.toolTipText(), "Decision map");
  EXPECT_EQ(reopened.layoutControl().settings().orientation, treelayout::East);
  EXPECT_EQ(reopened.layoutControl().settings().layerDistance, 800);
  OrderedPropertyBag a, b;
  map.Save(a);
  reopened.Save(b);
  EXPECT_EQ(a.entries(), b.entries());
  EXPECT_EQ(reopened.SaveMemory(), map.SaveMemory());
}

TEST(FlowMapFile, ADamagedFileIsRefusedAndTheMapStaysAsItWas) {
  QTemporaryDir dir;
  FlowMap map;
  buildSmallTree(map);
  map.orient(treelayout::South);
  const QByteArray before = map.SaveMemory();

  QByteArray damaged = before;
  damaged.replace("name=\"ScrollBars\" type=\"i16\" value=\"3\"", "name=\"ScrollBars\" type=\"i16\" value=\"9\"");
  QByteArray truncated = before.left(before.size() - 40);
  for (const QByteArray& bytes : {damaged, truncated, QByteArray("PK\x03\x04 a zip file")}) {
    QFile out(dir.filePath("bad.afl"));
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(bytes);
    out.close();
    try {
      map.LoadFile(dir.filePath("bad.afl"));
      ADD_FAILURE() << "loaded " << bytes.left(60).toStdString();
    } catch (const graphon::view::DiagramFileError& e) {
      EXPECT_NE(std::string(e.what()).find("bad.afl"), std::string::npos) << e.what();
    }
    EXPECT_EQ(map.SaveMemory(), before);
  }
  EXPECT_THROW(map.LoadFile(dir.filePath("missing.afl")), graphon::view::DiagramFileError);
  EXPECT_EQ(map.SaveMemory(), before);
}

TEST(FlowMapOrientation, WestPlacesAOneNodeMapAtTheMarginAndErrorsAreIgnored) {
  FlowMap map;
  graphon::Node& only = map.diagram().nodes().add(4000, 3000, 2500, 1000);
  map.orient(treelayout::West);
  EXPECT_EQ(map.layoutControl().Orientation(), treelayout::West);
  EXPECT_EQ(only.left(), 125);
  EXPECT_EQ(only.top(), 125);
  // Not a tree: two parentless nodes. Nothing moves and nothing is thrown.
  graphon::Node& other = map.diagram().nodes().add(9000, 9000, 100, 100);
  map.orient(treelayout::North);
  EXPECT_EQ(other.left(), 9000);
  EXPECT_EQ(map.layoutControl().Orientation(), treelayout::North);
  map.orient(7);  // a bad value is ignored too
  EXPECT_EQ(map.layoutControl().Orientation(), treelayout::North);
}

TEST(FlowMapSelection, InvertingConnectionsTwiceRestoresThemEachFlippedOnce) {
  FlowMap map;
  buildSmallTree(map);
  map.diagram().links().item(2).setSelected(true);
  const auto repaints = map.diagram().repaintCount();
  map.invertSelectedConnections();
  EXPECT_EQ(map.diagram().repaintCount(), repaints + 1);
  std::vector<bool> once;
  for (graphon::Link& l : map.diagram().links()) once.push_back(l.selected());
  EXPECT_EQ(once, std::vector<bool>({true, false, true, true}));
  map.invertSelectedConnections();
  std::vector<bool> twice;
  for (graphon::Link& l : map.diagram().links()) twice.push_back(l.selected());
  EXPECT_EQ(twice, std::vector<bool>({false, true, false, false}));
  for (graphon::Node& n : map.diagram().nodes()) EXPECT_FALSE(n.selected());
}

TEST(FlowMapSelection, NodeConnectionAndWholeSelections) {
  FlowMap map;
  buildSmallTree(map);
  map.diagram().nodes().item(2).setSelected(true);
  map.invertSelectedNodes();
  EXPECT_FALSE(map.diagram().nodes().item(2).selected());
  EXPECT_TRUE(map.diagram().nodes().item(1).selected());
  EXPECT_EQ(map.diagram().selectedLinks().size(), 0u);
  map.selectAllConnections();
  EXPECT_EQ(map.diagram().selectedLinks().size(), 4u);
  EXPECT_EQ(map.diagram().selectedNodes().size(), 4u);
  map.invertSelection();
  EXPECT_EQ(map.diagram().selectedLinks().size(), 0u);
  ASSERT_EQ(map.diagram().selectedNodes().size(), 1u);
  EXPECT_EQ(map.diagram().selectedNodes()[0], &map.diagram().nodes().item(2));
  map.selectAllNodes();
  EXPECT_EQ(map.diagram().selectedNodes().size(), 5u);
  // The picture of the selection holds the nodes without their links.
  EXPECT_EQ(map.ExportPicture(SelectedItems, true).size(), map.ExportPicture(AllItems, true).size());
  EXPECT_EQ(map.ExportPicture(AllItems, false).pixelColor(0, 0).alpha(), 0);
}

}  // namespace
}  // namespace orlix::display
