// The layout on small diagrams whose coordinates are worked out by hand, and
// on diagrams that are not trees.
#include <gtest/gtest.h>

#include <vector>

#include "counting_diagram.h"
#include "platform/graphon/diagram.h"
#include "treelayout/tierio_ctrl.h"
#include "tree_builders.h"

namespace orlix {
namespace {

using graphon::Diagram;
using graphon::Node;
using treelayout::ControlError;
using treelayout::TierioCtrl;

struct Place {
  float left;
  float top;
  bool operator==(const Place&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Place& p) {
  return out << "(" << p.left << ", " << p.top << ")";
}

std::vector<Place> places(Diagram& d) {
  std::vector<Place> out;
  for (const Node& n : d.nodes()) out.push_back({n.left(), n.top()});
  return out;
}

Node& add(Diagram& d, float width, float height, float left = 0, float top = 0) {
  return d.nodes().add(left, top, width, height);
}

graphon::Link& link(Node& from, Node& to) { return from.outLinks().add(to); }

TierioCtrl controlFacing(int orientation) {
  TierioCtrl ctrl;
  ctrl.SetOrientation(orientation);
  return ctrl;
}

void expectNotATree(TierioCtrl& ctrl, Diagram& d) {
  try {
    ctrl.Layout(&d);
    FAIL() << "a diagram that is not a tree was laid out";
  } catch (const ControlError& e) {
    EXPECT_EQ(e.code(), 0x800A03E8u);
    EXPECT_EQ(e.number(), 1000);
    EXPECT_EQ(e.description(), "The graph is not a tree.");
  }
}

TEST(LayoutEdges, EmptyDiagramIsLeftAlone) {
  Diagram d;
  TierioCtrl ctrl;
  ctrl.Layout(&d);
  EXPECT_EQ(d.repaintCount(), 0);
  EXPECT_TRUE(d.redraw());
}

TEST(LayoutEdges, OneNodeLandsAtTheMarginInEveryOrientation) {
  for (int o = 0; o < 4; ++o) {
    Diagram d;
    add(d, 1001, 401, 3000.5f, 2000.25f);
    TierioCtrl ctrl = controlFacing(o);
    ctrl.Layout(&d);
    EXPECT_EQ(places(d), (std::vector<Place>{{125, 125}})) << "orientation " << o;
  }
}

TEST(LayoutEdges, TwoWideLeavesStandOneAndAHalfWidthsApartUnderACentredRoot) {
  Diagram d;
  Node& root = add(d, 1000, 400);
  link(root, add(d, 1000, 400));
  link(root, add(d, 1000, 400));
  TierioCtrl ctrl;
  ctrl.Layout(&d);
  EXPECT_EQ(places(d), (std::vector<Place>{{875, 125}, {125, 1025}, {1625, 1025}}));
}

TEST(LayoutEdges, MapBoxesOfTheShippedSizeStand3000Apart) {
  Diagram d;
  Node& root = add(d, 2500, 1000);
  Node& first = add(d, 2500, 1000);
  Node& second = add(d, 2500, 1000);
  link(root, first);
  link(root, second);
  TierioCtrl ctrl;
  ctrl.Layout(&d);
  EXPECT_EQ(second.left() - first.left(), 3000);
  EXPECT_EQ(first.top() - root.top(), 1500);
  EXPECT_EQ(first.left(), 125);
  EXPECT_EQ(root.top(), 125);
  EXPECT_EQ(root.left(), 1625);  // centred above the two
}

TEST(LayoutEdges, LayersOfMixedHeightsShareCentreLinesAndKeepTheLayerDistance) {
  Diagram d;
  Node& root = add(d, 400, 300);
  Node& low = add(d, 400, 200);
  Node& tall = add(d, 400, 600);
  Node& grandchild = add(d, 400, 100);
  link(root, low);
  link(root, tall);
  link(tall, grandchild);
  TierioCtrl ctrl;
  ctrl.Layout(&d);
  auto centreY = [](const Node& n) { return n.top() + n.height() / 2; };
  EXPECT_EQ(centreY(low), centreY(tall));
  EXPECT_EQ(tall.top() - (root.top() + root.height()), 500);
  EXPECT_EQ(grandchild.top() - (tall.top() + tall.height()), 500);
  EXPECT_EQ(places(d), (std::vector<Place>{{575, 125}, {125, 1125}, {1025, 925}, {1025, 2025}}));
}

// Root R over A, M, B; A has two wide children, B one. B's child is pushed
// clear of A's, and M, between them, takes an equal share of the push.
TEST(LayoutEdges, CousinsArePushedApartAndTheParentsBetweenShareTheMove) {
  Diagram d;
  Node& r = add(d, 100, 100);
  Node& a = add(d, 100, 100);
  Node& m = add(d, 100, 100);
  Node& b = add(d, 100, 100);
  Node& a1 = add(d, 1000, 100);
  Node& a2 = add(d, 1000, 100);
  Node& b1 = add(d, 1000, 100);
  link(r, a);
  link(r, m);
  link(r, b);
  link(a, a1);
  link(a, a2);
  link(b, b1);
  TierioCtrl ctrl;
  ctrl.Layout(&d);
  EXPECT_EQ(places(d), (std::vector<Place>{{2512, 125},
                                           {1325, 725},
                                           {2513, 725},
                                           {3700, 725},
                                           {125, 1325},
                                           {1625, 1325},
                                           {3250, 1325}}));
  // b1 stands the subtree separation (500 * 5 / 4) clear of a2.
  EXPECT_EQ(b1.left() - (a2.left() + a2.width()), 625);
  EXPECT_EQ(m.left() - a.left(), 1188);
  EXPECT_EQ(b.left() - m.left(), 1187);
}

TEST(LayoutEdges, SouthTurnsTheDrawingHalfRoundWithTheFirstChildOnTheRight) {
  Diagram d;
  Node& root = add(d, 1000, 400);
  Node& first = add(d, 1000, 400);
  Node& second = add(d, 1000, 400);
  link(root, first);
  link(root, second);
  TierioCtrl ctrl = controlFacing(treelayout::South);
  ctrl.Layout(&d);
  EXPECT_EQ(places(d), (std::vector<Place>{{875, 1025}, {1625, 125}, {125, 125}}));
  EXPECT_GT(first.left(), second.left());
}

TEST(LayoutEdges, EastAndWestPutTheRootAtTheRightAndLeft) {
  Diagram d;
  Node& root = add(d, 1000, 400);
  link(root, add(d, 1000, 400));
  link(root, add(d, 1000, 400));
  TierioCtrl east = controlFacing(treelayout::East);
  east.Layout(&d);
  // Layers are columns; along them the heights (400) count: centres 900 apart.
  EXPECT_EQ(places(d), (std::vector<Place>{{1625, 575}, {125, 125}, {125, 1025}}));
  TierioCtrl west = controlFacing(treelayout::West);
  west.Layout(&d);
  EXPECT_EQ(places(d), (std::vector<Place>{{125, 575}, {1625, 1025}, {1625, 125}}));
}

// Cases that are not trees; every node keeps its place and scratch number.
class NotATree : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int i = 0; i < 4; ++i) {
      Node& n = add(d, 1000.5f, 300, 10.25f * i, 7.75f * i);
      n.setScratchNumber(100 + i);
    }
  }
  Node& node(int i) { return d.nodes().item(i); }
  void expectUntouched() {
    for (int i = 1; i <= 4; ++i) {
      EXPECT_EQ(node(i).left(), 10.25f * (i - 1));
      EXPECT_EQ(node(i).top(), 7.75f * (i - 1));
      EXPECT_EQ(node(i).scratchNumber(), 99 + i);
    }
  }
  Diagram d;
  TierioCtrl ctrl;
};

TEST_F(NotATree, TwoLinksEnteringOneNode) {
  link(node(1), node(2));
  link(node(1), node(3));
  link(node(2), node(4));
  link(node(3), node(4));
  expectNotATree(ctrl, d);
  expectUntouched();
}

TEST_F(NotATree, TwoParentlessNodes) {
  link(node(1), node(2));
  link(node(3), node(4));
  expectNotATree(ctrl, d);
  expectUntouched();
}

TEST_F(NotATree, CycleThroughTheRoot) {
  link(node(1), node(2));
  link(node(2), node(3));
  link(node(3), node(1));
  link(node(2), node(4));
  expectNotATree(ctrl, d);
  expectUntouched();
}

TEST_F(NotATree, ALinkLeftOutByTheFilterLeavesASecondRoot) {
  link(node(1), node(2));
  link(node(1), node(3));
  link(node(1), node(4)).setIncluded(false);
  d.setFilterFlag(true);
  expectNotATree(ctrl, d);
  expectUntouched();
}

TEST_F(NotATree, NothingMovesAndTheRedrawIsNeverSwitched) {
  link(node(1), node(2));
  link(node(3), node(4));
  treelayout::testing::CountingDiagram counting(d);
  EXPECT_THROW(ctrl.Layout(counting), ControlError);
  EXPECT_EQ(counting.moves, 0);
  EXPECT_EQ(counting.redrawOff, 0);
  expectUntouched();
}

TEST(LayoutEdges, ASeparateCycleStaysWhereItWas) {
  Diagram d;
  Node& root = add(d, 1000, 400);
  link(root, add(d, 1000, 400));
  Node& c1 = add(d, 1000, 400, 5000, 6000);
  Node& c2 = add(d, 600, 200, 7000, 6000);
  Node& c3 = add(d, 4, 2, 10.25f, 20.5f);
  link(c1, c2);
  link(c2, c3);
  link(c3, c1);
  TierioCtrl ctrl;
  ctrl.Layout(&d);
  EXPECT_EQ(root.left(), 125);
  EXPECT_EQ((Place{c1.left(), c1.top()}), (Place{5000, 6000}));
  EXPECT_EQ((Place{c2.left(), c2.top()}), (Place{7000, 6000}));
  // Written back from its whole-unit centre (12, 21).
  EXPECT_EQ((Place{c3.left(), c3.top()}), (Place{10, 20}));
}

TEST(LayoutEdges, EveryTreeEdgeIsRestyledOnceAndTheRedrawSwitchedOffOnce) {
  Diagram d;
  std::vector<graphon::Link*> links;
  Node& root = add(d, 100, 100);
  Node& a = add(d, 100, 100);
  Node& b = add(d, 100, 100);
  Node& hidden = add(d, 100, 100, 40, 50);
  hidden.setIncluded(false);
  links.push_back(&root.outLinks().add(a));
  links.push_back(&root.outLinks().add(b));
  graphon::Link& toHidden = a.outLinks().add(hidden);
  for (graphon::Link& l : d.links()) {
    l.setStyleNumber(7);
    l.points().add({1, 2});
  }
  d.setFilterFlag(true);
  treelayout::testing::CountingDiagram counting(d);
  TierioCtrl ctrl;
  ctrl.Layout(counting);
  for (graphon::Link* l : links) {
    EXPECT_EQ(l->styleNumber(), 0);
    EXPECT_EQ(l->points().count(), 0);
    EXPECT_EQ(counting.routeResets[treelayout::testing::CountingDiagram::ref(*l)], 1);
    EXPECT_EQ(counting.styleSets[treelayout::testing::CountingDiagram::ref(*l)], 1);
  }
  EXPECT_EQ(toHidden.styleNumber(), 7);
  EXPECT_EQ(counting.routeResets.count(treelayout::testing::CountingDiagram::ref(toHidden)), 0u);
  EXPECT_EQ((Place{hidden.left(), hidden.top()}), (Place{40, 50}));
  EXPECT_EQ(counting.redrawOff, 1);
  EXPECT_EQ(counting.redrawOn, 1);
  EXPECT_EQ(counting.moves, 3);
}

TEST(LayoutEdges, MovesDoNotRepaintUntilTheRedrawComesBackOn) {
  Diagram d;
  Node& root = add(d, 100, 100);
  link(root, add(d, 100, 100));
  link(root, add(d, 100, 100));
  d.setRedraw(false);  // restyling does not repaint either
  const auto before = d.repaintCount();
  TierioCtrl ctrl;
  ctrl.Layout(&d);
  EXPECT_EQ(d.repaintCount(), before + 1);
  EXPECT_TRUE(d.redraw());
}

TEST(LayoutEdges, ADiagramErrorWhileMovingGivesTheScratchNumbersBack) {
  Diagram d;
  Node& root = add(d, 100, 100);
  link(root, add(d, 100, 100));
  link(root, add(d, 100, 100));
  for (int i = 1; i <= 3; ++i) d.nodes().item(i).setScratchNumber(-i);
  treelayout::testing::CountingDiagram counting(d);
  counting.failOnMove = 1;
  TierioCtrl ctrl;
  EXPECT_THROW(ctrl.Layout(counting), std::runtime_error);
  for (int i = 1; i <= 3; ++i) EXPECT_EQ(d.nodes().item(i).scratchNumber(), -i);
  EXPECT_TRUE(d.redraw());
}

TEST(LayoutEdges, BothGenerationsAreLaidOutAndOtherObjectsIgnored) {
  for (auto generation : {graphon::Generation::Four, graphon::Generation::Three}) {
    Diagram d(generation);
    add(d, 100, 100, 900, 900);
    TierioCtrl ctrl;
    ctrl.Layout(&d);
    EXPECT_EQ(places(d), (std::vector<Place>{{125, 125}}));
  }
  graphon::Object other;
  TierioCtrl ctrl;
  EXPECT_NO_THROW(ctrl.Layout(&other));
  EXPECT_NO_THROW(ctrl.Layout(nullptr));
}

TEST(LayoutEdges, NodesLeftOutByTheFilterAreNotTouched) {
  Diagram d;
  Node& root = add(d, 100, 100);
  Node& out = add(d, 100, 100, 33.5f, 44.5f);
  out.setIncluded(false);
  out.setScratchNumber(77);
  link(root, out);
  link(root, add(d, 100, 100));
  d.setFilterFlag(true);
  TierioCtrl ctrl;
  ctrl.Layout(&d);
  EXPECT_EQ((Place{out.left(), out.top()}), (Place{33.5f, 44.5f}));
  EXPECT_EQ(out.scratchNumber(), 77);
  EXPECT_EQ(d.nodes().item(3).left(), 125);  // the only child, under the root
}

TEST(LayoutEdges, ADeepPathNeedsNoDeepCallStack) {
  Diagram d;
  treelayout::testing::buildDiagram(d, treelayout::testing::caterpillar(20000, 100, 100));
  TierioCtrl ctrl;
  ctrl.Layout(&d);
  EXPECT_EQ(d.nodes().item(1).top(), 125);
  EXPECT_EQ(d.nodes().item(19999).top(), 125 + 9999 * 600);
}

}  // namespace
}  // namespace orlix
