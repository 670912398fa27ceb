// The decision map window: built once from the tree list of a real run of
// each kind, and refused without one.
#include <gtest/gtest.h>

#include "display/diagram_view.h"
#include "display/orl_flow_control.h"
#include "display/tree_display_window.h"
#include "tests/display/modal_watcher.h"
#include "tests/display/tree_list_support.h"

namespace orlix::display {
namespace {

TEST(TreeDisplayWindow, ARegressionRunGivesItsLaidOutMap) {
  const testing::PenguinRun run = testing::penguinRun(false);
  ASSERT_TRUE(run.treeList);
  TreeDisplayWindow window(run.treeList, false, 0);
  EXPECT_FALSE(window.isRefused());
  EXPECT_TRUE(window.buildError().isEmpty());
  EXPECT_EQ(window.objectName(), "frmTreeDisplay");
  auto* flow = window.findChild<OrlFlowControl*>("Graphon1");
  ASSERT_EQ(flow, &window.flowControl());
  EXPECT_TRUE(flow->findChild<DiagramView*>("Graphon1"));
  const int nodes = flow->Nodes().count();
  EXPECT_EQ(nodes, run.treeList->RecordCount());
  EXPECT_EQ(flow->diagram().links().count(), nodes - 1);
  EXPECT_EQ(flow->Nodes().item(1).top(), 125);
  EXPECT_EQ(flow->Nodes().item(1).text().rfind("ALL CASES N: 342 Mean: ", 0), 0u);
  // The program's record set keeps its own cursor and order.
  EXPECT_EQ(run.treeList->Sort(), "");
  window.show();
  QApplication::processEvents();
  EXPECT_TRUE(window.isVisible());
  EXPECT_GT(flow->view().viewport()->width(), 0);
}

TEST(TreeDisplayWindow, ACategoryRunShowsTheClassDistributions) {
  const testing::PenguinRun run = testing::penguinRun(true);
  ASSERT_TRUE(run.treeList);
  TreeDisplayWindow window(run.treeList, true, run.targetValueCount);
  OrlFlowControl& flow = window.flowControl();
  EXPECT_EQ(flow.Nodes().count(), run.treeList->RecordCount());
  for (graphon::Node& node : flow.Nodes()) {
    EXPECT_NE(node.text().find("\r\nDistribution:\r\nAdelie:\t"), std::string::npos);
    EXPECT_EQ(node.tipText().find('\n'), std::string::npos);
    EXPECT_EQ(node.shape(), 10);
  }
}

TEST(TreeDisplayWindow, WithoutATreeListItIsRefusedAndClosesWhenShown) {
  testing::ModalWatcher watcher;
  TreeDisplayWindow window(nullptr, false, 0);
  EXPECT_TRUE(window.isRefused());
  ASSERT_EQ(watcher.seen().size(), 1u);
  EXPECT_EQ(watcher.seen()[0], "Tree Display | Tree Display Data is not available at this time");
  EXPECT_EQ(window.flowControl().Nodes().count(), 0);
  window.show();
  for (int i = 0; i < 5 && window.isVisible(); ++i) QApplication::processEvents();
  EXPECT_FALSE(window.isVisible());

  auto closed = std::make_shared<ado::Recordset>();  // never opened
  TreeDisplayWindow refused(closed, false, 0);
  EXPECT_TRUE(refused.isRefused());
}

TEST(TreeDisplayWindow, ABrokenTreeListKeepsTheNodesMadeAndSaysWhy) {
  auto list = testing::regressionTreeList({{1, 0}, {2, 1}});
  testing::ModalWatcher watcher;
  TreeDisplayWindow window(list, true, 2);  // a category map over regression fields
  EXPECT_FALSE(window.isRefused());
  EXPECT_EQ(window.flowControl().Nodes().count(), 2);
  // Its count fields are missing: the map shows rule lines without classes.
  EXPECT_EQ(window.flowControl().Nodes().item(1).text(), "R N: 10\r\nDistribution:\r\n");
  EXPECT_TRUE(window.buildError().isEmpty());

  ado::Recordset bare;
  bare.Fields().Append("ID", ado::adInteger);
  bare.Open();
  bare.AddNew();
  bare.Fields().Item(0L).SetValue(1);
  bare.Update();
  auto shared = bare.Clone();
  TreeDisplayWindow broken(shared, false, 0);
  EXPECT_FALSE(broken.buildError().isEmpty());
  ASSERT_EQ(watcher.seen().size(), 1u);
  EXPECT_TRUE(watcher.seen()[0].startsWith("Tree Display | The decision map could not be built completely: "));
}

}  // namespace
}  // namespace orlix::display
