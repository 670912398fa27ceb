// The diagram model: live ordered collections, links at both ends, checked
// property values and the redraw switch.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>
#include <stdexcept>

#include "platform/graphon/diagram.h"
#include "platform/graphon/diagram_state.h"

namespace orlix {
namespace {

using graphon::Diagram;
using graphon::Node;

TEST(DiagramCollections, AreLiveOneBasedAndInInsertionOrder) {
  Diagram d;
  auto nodes = d.nodes();
  EXPECT_EQ(nodes.count(), 0);
  Node& a = nodes.add(1, 2, 30, 40);
  Node& b = nodes.add(5, 6, 70, 80);
  EXPECT_EQ(nodes.count(), 2);
  EXPECT_EQ(&nodes.item(1), &a);
  EXPECT_EQ(&nodes.item(2), &b);
  EXPECT_THROW(nodes.item(0), std::out_of_range);
  EXPECT_THROW(nodes.item(3), std::out_of_range);
  EXPECT_EQ(b.left(), 5);
  EXPECT_EQ(b.height(), 80);

  auto out = a.outLinks();
  graphon::Link& ab = out.add(b);
  graphon::Link& aa = out.add(a);
  EXPECT_EQ(out.count(), 2);
  EXPECT_EQ(&out.item(2), &aa);
  EXPECT_EQ(&ab.origin(), &a);
  EXPECT_EQ(&ab.destination(), &b);
  EXPECT_EQ(b.inLinks().count(), 1);
  EXPECT_EQ(a.inLinks().count(), 1);
  EXPECT_EQ(d.links().count(), 2);
}

TEST(DiagramCollections, WalkingAttachedLinksOfEveryNodeReachesEveryLink) {
  Diagram d;
  Node& a = d.nodes().add(0, 0, 1, 1);
  Node& b = d.nodes().add(0, 0, 1, 1);
  a.outLinks().add(b);
  b.outLinks().add(a);
  b.outLinks().add(b);  // a loop is attached once
  EXPECT_EQ(a.attachedLinks().count(), 2);
  EXPECT_EQ(b.attachedLinks().count(), 3);
  std::set<const graphon::Link*> seen;
  for (Node& n : d.nodes())
    for (graphon::Link& l : n.attachedLinks()) seen.insert(&l);
  EXPECT_EQ(seen.size(), 3u);
}

TEST(DiagramCollections, ClearEmptiesBothCollections) {
  Diagram d;
  auto nodes = d.nodes();
  Node& a = nodes.add(0, 0, 1, 1);
  a.outLinks().add(nodes.add(0, 0, 1, 1));
  d.clear();
  EXPECT_EQ(nodes.count(), 0);
  EXPECT_EQ(d.links().count(), 0);
  EXPECT_EQ(nodes.add(0, 0, 1, 1).inLinks().count(), 0);
}

TEST(DiagramCollections, ALinkToAnotherDiagramIsRefused) {
  Diagram one, other;
  Node& a = one.nodes().add(0, 0, 1, 1);
  Node& b = other.nodes().add(0, 0, 1, 1);
  EXPECT_THROW(a.outLinks().add(b), std::invalid_argument);
  EXPECT_EQ(one.links().count(), 0);
  EXPECT_EQ(b.inLinks().count(), 0);
}

TEST(DiagramValues, BadValuesAreRefusedAndLeaveTheNodeAsItWas) {
  Diagram d;
  const float nan = std::numeric_limits<float>::quiet_NaN();
  EXPECT_THROW(d.nodes().add(nan, 0, 1, 1), std::invalid_argument);
  EXPECT_THROW(d.nodes().add(0, 0, -1, 1), std::invalid_argument);
  EXPECT_EQ(d.nodes().count(), 0);
  Node& n = d.nodes().add(0, 0, 10, 10);
  EXPECT_THROW(n.setShape(16), std::out_of_range);
  EXPECT_THROW(n.setShape(-1), std::out_of_range);
  n.setShape(15);
  EXPECT_EQ(n.shape(), 15);
  EXPECT_THROW(n.setLeft(std::numeric_limits<float>::infinity()), std::invalid_argument);
  EXPECT_THROW(n.setHeight(-0.5f), std::invalid_argument);
  EXPECT_THROW(n.setBorderWidth(-1), std::invalid_argument);
  EXPECT_EQ(n.left(), 0);
  EXPECT_EQ(n.height(), 10);
  EXPECT_THROW(n.outLinks().add(n).points().add({nan, 0}), std::invalid_argument);
}

TEST(DiagramRedraw, ChangesRepaintOnlyWhileTheRedrawIsOnAndSwitchingOnRepaintsOnce) {
  Diagram d;
  Node& n = d.nodes().add(0, 0, 10, 10);
  const auto start = d.repaintCount();
  n.setLeft(5);
  EXPECT_EQ(d.repaintCount(), start + 1);
  d.setRedraw(false);
  for (int i = 0; i < 10; ++i) n.setTop(static_cast<float>(i));
  EXPECT_EQ(d.repaintCount(), start + 1);
  d.setRedraw(true);
  EXPECT_EQ(d.repaintCount(), start + 2);
  d.setRedraw(true);  // already on
  EXPECT_EQ(d.repaintCount(), start + 2);
}

TEST(DiagramDefaults, NewNodesAndLinksTakeTheDiagramsLook) {
  Diagram d;
  EXPECT_EQ(d.viewOptions().scrollBars, 3);
  EXPECT_FALSE(d.permissions().canFireError);
  graphon::ItemDefaults look;
  look.drawColor = 0x0000FF;
  look.fillColor = 0x00FF00;
  look.drawStyle = graphon::kLineDot;
  look.drawWidth = 3;
  look.shape = graphon::kShapeRectEdgeEtched;
  look.font.bold = true;
  d.setDefaults(look);
  Node& a = d.nodes().add(0, 0, 1, 1);
  graphon::Link& l = a.outLinks().add(a);
  EXPECT_EQ(a.fillColor(), 0x00FF00u);
  EXPECT_EQ(a.borderColor(), 0x0000FFu);
  EXPECT_EQ(a.borderStyle(), graphon::kLineDot);
  EXPECT_EQ(a.borderWidth(), 3);
  EXPECT_EQ(a.shape(), 10);
  EXPECT_TRUE(a.font().bold);
  EXPECT_EQ(l.color(), 0x0000FFu);
  EXPECT_EQ(l.style(), graphon::kLineDot);
  EXPECT_EQ(l.width(), 3);
}

TEST(DiagramDefaults, BadDefaultsAndStylesAreRefused) {
  Diagram d;
  graphon::ItemDefaults look;
  look.shape = 16;
  EXPECT_THROW(d.setDefaults(look), std::out_of_range);
  look = {};
  look.drawStyle = 7;
  EXPECT_THROW(d.setDefaults(look), std::out_of_range);
  look = {};
  look.font.size = 0;
  EXPECT_THROW(d.setDefaults(look), std::invalid_argument);
  EXPECT_EQ(d.defaults().shape, graphon::kShapeEllipse);
  Node& n = d.nodes().add(0, 0, 1, 1);
  EXPECT_THROW(n.setBorderStyle(-1), std::out_of_range);
  EXPECT_THROW(n.outLinks().add(n).setStyle(7), std::out_of_range);
}

TEST(DiagramSelection, SelectAllSelectsEveryNodeAndLinkWithOneRepaint) {
  Diagram d;
  Node& a = d.nodes().add(0, 0, 1, 1);
  Node& b = d.nodes().add(0, 0, 1, 1);
  a.outLinks().add(b);
  b.setSelected(true);
  EXPECT_EQ(d.selectedNodes(), std::vector<Node*>{&b});
  EXPECT_TRUE(d.selectedLinks().empty());
  const auto before = d.repaintCount();
  d.selectAll();
  EXPECT_EQ(d.repaintCount(), before + 1);
  EXPECT_EQ(d.selectedNodes(), (std::vector<Node*>{&a, &b}));
  EXPECT_EQ(d.selectedLinks().size(), 1u);
}

TEST(DiagramRedraw, TheRepaintHandlerIsCalledForEveryRepaintAndCanBeRemoved) {
  Diagram d;
  int calls = 0;
  d.setRepaintHandler([&calls] { ++calls; });
  Node& n = d.nodes().add(0, 0, 10, 10);
  EXPECT_EQ(calls, 1);
  d.setRedraw(false);
  n.setLeft(3);
  d.refresh();  // an explicit refresh repaints even now
  EXPECT_EQ(calls, 2);
  d.setRedraw(true);
  EXPECT_EQ(calls, 3);
  d.setRepaintHandler({});
  n.setLeft(4);
  EXPECT_EQ(calls, 3);
}

TEST(DiagramState, RestoringReplacesTheContentOrRefusesAndChangesNothing) {
  Diagram source;
  Node& a = source.nodes().add(1, 2, 3, 4);
  Node& b = source.nodes().add(5, 6, 7, 8);
  a.setText("a");
  a.outLinks().add(b).setWidth(2);
  b.outLinks().add(a);
  const graphon::DiagramState state = graphon::captureState(source);
  ASSERT_EQ(state.links.size(), 2u);
  EXPECT_EQ(state.links[1].from, 1);
  EXPECT_EQ(state.links[1].to, 0);

  Diagram target;
  target.nodes().add(0, 0, 1, 1).setText("old");
  graphon::DiagramState bad = state;
  bad.links[0].to = 2;
  EXPECT_THROW(graphon::restoreState(target, bad), std::invalid_argument);
  bad = state;
  bad.nodes[1].shape = 16;
  EXPECT_THROW(graphon::restoreState(target, bad), std::invalid_argument);
  ASSERT_EQ(target.nodes().count(), 1);
  EXPECT_EQ(target.nodes().item(1).text(), "old");

  const auto repaints = target.repaintCount();
  graphon::restoreState(target, state);
  EXPECT_EQ(target.repaintCount(), repaints + 1);
  EXPECT_EQ(graphon::captureState(target), state);
  EXPECT_EQ(target.nodes().item(2).outLinks().item(1).destination().text(), "a");
}

}  // namespace
}  // namespace orlix
