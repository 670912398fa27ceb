// The diagram's window: selection by click, Ctrl+click and rubber band,
// dragging nodes when the diagram allows it, tool tips, scroll bars, zoom and
// the redraw switch.
#include <gtest/gtest.h>

#include <QMenu>
#include <QScrollBar>
#include <QToolTip>

#include "tests/display/widget_test_support.h"

namespace orlix::display {
namespace {

using namespace testing;

class DiagramViewTest : public ::testing::Test {
 protected:
  DiagramViewTest() {
    control.resize(900, 500);
    smallMap(control);
    control.show();
    QApplication::processEvents();
  }
  DiagramView& view() { return control.view(); }
  graphon::Node& node(int i) { return control.Nodes().item(i); }
  std::vector<bool> nodeSelection() {
    std::vector<bool> s;
    for (graphon::Node& n : control.Nodes()) s.push_back(n.selected());
    return s;
  }

  OrlFlowControl control;
};

TEST_F(DiagramViewTest, ClickCtrlClickAndEmptyClicksSelect) {
  click(view(), at(view(), centre(node(2))));
  EXPECT_EQ(nodeSelection(), std::vector<bool>({false, true, false, false, false}));
  click(view(), at(view(), centre(node(4))));
  EXPECT_EQ(nodeSelection(), std::vector<bool>({false, false, false, true, false}));
  click(view(), at(view(), centre(node(1))), Qt::ControlModifier);
  EXPECT_EQ(nodeSelection(), std::vector<bool>({true, false, false, true, false}));
  click(view(), at(view(), centre(node(1))), Qt::ControlModifier);  // Ctrl+click again takes it out
  EXPECT_EQ(nodeSelection(), std::vector<bool>({false, false, false, true, false}));
  // A link between the root and its second child.
  const QPointF middle = (centre(node(1)) + centre(node(3))) / 2;
  click(view(), at(view(), middle));
  ASSERT_EQ(control.SelLinks().size(), 1u);
  EXPECT_EQ(&control.SelLinks()[0]->destination(), &node(3));
  EXPECT_EQ(control.SelNodes().size(), 0u);
  click(view(), at(view(), QPointF(20000, 20000)));
  EXPECT_EQ(control.SelLinks().size(), 0u);
}

TEST_F(DiagramViewTest, ARubberBandSelectsWhatItTouches) {
  // Around the first child's two children only.
  const QPointF from(node(4).left() - 100, node(4).top() - 100);
  const QPointF to(node(5).left() + node(5).width() + 100, node(5).top() + node(5).height() + 100);
  drag(view(), at(view(), from), at(view(), to));
  EXPECT_EQ(nodeSelection(), std::vector<bool>({false, false, false, true, true}));
  EXPECT_EQ(control.SelLinks().size(), 2u);  // the ends of the links into them
  // With Ctrl a second band adds to the selection.
  drag(view(), at(view(), QPointF(node(3).left() - 50, node(3).top() - 50)),
       at(view(), QPointF(node(3).left() + 50, node(3).top() + 50)), Qt::ControlModifier);
  EXPECT_EQ(nodeSelection(), std::vector<bool>({false, false, true, true, true}));
}

TEST_F(DiagramViewTest, DraggingMovesTheSelectedNodesInWholeTwipsOnlyWhenAllowed) {
  const QPointF start(node(3).left(), node(3).top());
  const float other = node(2).left();
  click(view(), at(view(), centre(node(3))));
  drag(view(), at(view(), centre(node(3))), at(view(), centre(node(3))) + QPoint(30, 15));
  EXPECT_NEAR(node(3).left() - start.x(), 30 * 15, 16);
  EXPECT_NEAR(node(3).top() - start.y(), 15 * 15, 16);
  EXPECT_EQ(node(3).left(), std::round(node(3).left()));
  EXPECT_EQ(node(2).left(), other);  // others stay
  control.SetCanMoveNode(false);
  const QPointF now(node(3).left(), node(3).top());
  drag(view(), at(view(), centre(node(3))), at(view(), centre(node(3))) + QPoint(40, 40));
  EXPECT_EQ(QPointF(node(3).left(), node(3).top()), now);
}

TEST_F(DiagramViewTest, ToolTipsShowTheNodesTipWhenAllowed) {
  node(2).setTipText("the tip of node 2");
  const QPoint pos = at(view(), centre(node(2)));
  QHelpEvent help(QEvent::ToolTip, pos, view().viewport()->mapToGlobal(pos));
  QApplication::sendEvent(view().viewport(), &help);
  EXPECT_EQ(QToolTip::text(), "the tip of node 2");
  QToolTip::hideText();
  control.SetShowToolTip(false);
  control.SetToolTipText("Decision map");
  QApplication::sendEvent(view().viewport(), &help);
  EXPECT_EQ(QToolTip::text(), "Decision map");
  QToolTip::hideText();
}

TEST_F(DiagramViewTest, ScrollBarsFollowTheSetting) {
  view().setZoom(4);
  EXPECT_EQ(view().horizontalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
  EXPECT_GT(view().horizontalScrollBar()->maximum(), 0);
  control.SetScrollBars(0);
  EXPECT_EQ(view().horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
  EXPECT_EQ(view().verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
  control.SetScrollBars(2);
  EXPECT_EQ(view().horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
  EXPECT_EQ(view().verticalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
  EXPECT_THROW(control.SetScrollBars(4), std::out_of_range);
}

TEST_F(DiagramViewTest, CtrlWheelZoomsAroundThePointerAndFitShowsTheWholeMap) {
  view().setZoom(3);  // larger than the window, so there is room to scroll
  const QPoint pointer = view().viewport()->rect().center();
  const QPointF under = view().toTwips(pointer);
  QWheelEvent wheel(QPointF(pointer), view().viewport()->mapToGlobal(QPointF(pointer)), QPoint(), QPoint(0, 120),
                    Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(view().viewport(), &wheel);
  EXPECT_NEAR(view().zoom(), 3.75, 1e-9);
  EXPECT_LE((view().toTwips(pointer) - under).manhattanLength(), 10);
  view().setZoom(100);
  EXPECT_EQ(view().zoom(), 8);
  view().fitToWindow();
  const QPoint bottomRight = at(view(), QPointF(node(5).left() + node(5).width(), node(5).top() + node(5).height()));
  EXPECT_TRUE(view().viewport()->rect().contains(bottomRight));
  EXPECT_TRUE(view().viewport()->rect().contains(at(view(), QPointF(node(3).left() + node(3).width(), 0))));
}

TEST_F(DiagramViewTest, MovesWithTheRedrawSwitchOffRepaintOnceWhenItComesOn) {
  const int before = view().repaintRequests();
  control.diagram().setRedraw(false);
  for (int i = 1; i <= 5; ++i) node(i).setLeft(node(i).left() + 100);
  EXPECT_EQ(view().repaintRequests(), before);
  control.diagram().setRedraw(true);
  EXPECT_EQ(view().repaintRequests(), before + 1);
  node(1).setTop(500);
  EXPECT_EQ(view().repaintRequests(), before + 2);
}

TEST_F(DiagramViewTest, TheRightButtonOpensTheEditMenu) {
  int button = 0;
  QObject::connect(&view(), &DiagramView::mouseButtonReleased, [&](int b, int, int, int) { button = b; });
  click(view(), at(view(), centre(node(1))), Qt::NoModifier, Qt::RightButton);
  EXPECT_EQ(button, 2);
  EXPECT_TRUE(control.editMenu()->isVisible());
  control.editMenu()->hide();
  EXPECT_FALSE(node(1).selected());  // the right button leaves the selection alone
}

}  // namespace
}  // namespace orlix::display
