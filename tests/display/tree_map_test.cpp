// Building the decision map from a tree list: the sort on Parent with ties in
// record order, the node register, geometry after the shipped layout, and
// the texts of both kinds of target.
#include <gtest/gtest.h>

#include <clocale>

#include <QLocale>

#include "display/map/flow_map.h"
#include "display/map/node_text.h"
#include "display/map/tree_map_builder.h"
#include "tests/display/tree_list_support.h"

namespace orlix::display {
namespace {

using graphon::Node;
using testing::RegressionRow;

Node& node(FlowMap& map, int index) { return map.diagram().nodes().item(index); }
float centreX(const Node& n) { return n.left() + n.width() / 2; }
Node& originOf(Node& n) { return n.inLinks().item(1).origin(); }

TEST(TreeMapGeometry, OneRecordIsOneNodeAtTheMargin) {
  FlowMap map;
  buildTreeMap(*testing::regressionTreeList({{1, 0}}), {}, map);
  ASSERT_EQ(map.diagram().nodes().count(), 1);
  EXPECT_EQ(node(map, 1).left(), 125);
  EXPECT_EQ(node(map, 1).top(), 125);
  EXPECT_EQ(node(map, 1).width(), 2500);
  EXPECT_EQ(node(map, 1).height(), 1000);
  EXPECT_EQ(node(map, 1).shape(), 10);
}

TEST(TreeMapGeometry, ARootWithTwoLeaves) {
  FlowMap map;
  buildTreeMap(*testing::regressionTreeList({{1, 0}, {2, 1}, {3, 1}}), {}, map);
  ASSERT_EQ(map.diagram().nodes().count(), 3);
  Node& root = node(map, 1);
  Node& first = node(map, 2);
  Node& second = node(map, 3);
  // Linked from the root through the not-found path: no flag.
  EXPECT_EQ(&originOf(first), &root);
  EXPECT_EQ(&originOf(second), &root);
  EXPECT_FALSE(first.flag49());
  EXPECT_EQ(centreX(second) - centreX(first), 3000);
  EXPECT_EQ(first.top() - root.top(), 1500);
  EXPECT_EQ(second.top(), first.top());
  EXPECT_EQ(centreX(root), (centreX(first) + centreX(second)) / 2);
  EXPECT_EQ(first.left(), 125);
  EXPECT_EQ(root.top(), 125);
  for (int i = 1; i <= 3; ++i) EXPECT_EQ(node(map, i).shape(), 10);
}

TEST(TreeMapBuilding, SortsOnParentKeepingRecordOrderAmongSiblings) {
  FlowMap map;
  // Records out of order; 4 and 5 are children of 2, 4 first in record order.
  auto list = testing::regressionTreeList(
      {{4, 2, "four"}, {2, 1, "two"}, {1, 0, "one"}, {5, 2, "five"}, {3, 1, "three"}});
  const auto working = buildTreeMap(*list, {}, map);
  const char* order[] = {"one", "two", "three", "four", "five"};
  for (int i = 1; i <= 5; ++i) EXPECT_EQ(node(map, i).text().substr(0, 5).find(order[i - 1]), 0u) << i;
  EXPECT_EQ(&originOf(node(map, 4)), &node(map, 2));
  EXPECT_TRUE(node(map, 4).flag49());
  // A left child stays left of its right sibling.
  EXPECT_LT(node(map, 4).left(), node(map, 5).left());
  // The map keeps a clone sorted on Parent; the program's record set keeps its order.
  EXPECT_EQ(working->Sort(), " Parent ");
  list->MoveFirst();
  EXPECT_EQ(list->Fields().Item("ID").Value().toInt32(), 4);
}

TEST(TreeMapBuilding, AParentLaterInTheSortIsReplacedByTheRoot) {
  FlowMap map;
  buildTreeMap(*testing::regressionTreeList({{1, 0}, {2, 3}, {3, 9}}), {}, map);
  ASSERT_EQ(map.diagram().nodes().count(), 3);
  // Record 2 comes before record 3 (Parent 3 < 9): its parent is not drawn yet.
  EXPECT_EQ(&originOf(node(map, 2)), &node(map, 1));
  EXPECT_FALSE(node(map, 2).flag49());
  EXPECT_EQ(&originOf(node(map, 3)), &node(map, 1));
}

TEST(TreeMapBuilding, DuplicateIdsLinkToTheFirstRegistered) {
  FlowMap map;
  buildTreeMap(*testing::regressionTreeList({{1, 0}, {2, 1, "first"}, {2, 1, "second"}, {4, 2, "child"}}), {}, map);
  ASSERT_EQ(map.diagram().nodes().count(), 4);
  EXPECT_EQ(&originOf(node(map, 4)), &node(map, 2));
  EXPECT_EQ(node(map, 3).outLinks().count(), 0);
}

TEST(TreeMapBuilding, AnEmptyTreeListGivesAnEmptyMapAndAMissingFieldIsAnError) {
  FlowMap map;
  buildTreeMap(*testing::regressionTreeList({}), {}, map);
  EXPECT_EQ(map.diagram().nodes().count(), 0);
  ado::Recordset bare;
  bare.Fields().Append("ID", ado::adInteger);
  bare.Open();
  bare.AddNew();
  bare.Fields().Item(0L).SetValue(1);
  bare.Update();
  EXPECT_ANY_THROW(buildTreeMap(bare, {}, map));
}

TEST(NodeTexts, NumericTargetsShowOneLineRoundedToFourDecimals) {
  FlowMap map;
  RegressionRow root{1, 0, "ALL CASES", 342, 12.345678, 801.95454, 2700, 6300};
  RegressionRow child{2, 1, "sex = male", 168, -0.00001, 0.5, 32.099998474121094, 46.5};
  buildTreeMap(*testing::regressionTreeList({root, child}), {}, map);
  EXPECT_EQ(node(map, 1).text(), "ALL CASES N: 342 Mean: 12.3457 SD: 801.9545 Min: 2700 Max: 6300");
  EXPECT_EQ(node(map, 2).text(), "sex = male N: 168 Mean: 0 SD: 0.5 Min: 32.1 Max: 46.5");
  EXPECT_EQ(node(map, 1).tipText(), node(map, 1).text());
}

TEST(NodeTexts, CharacterTargetsShowTheDistributionInTheCLocale) {
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  std::setlocale(LC_ALL, "de_DE.UTF-8");  // where installed
  FlowMap map;
  auto list = testing::categoryTreeList({"Adelie", "Chinstrap", "Gentoo"},
                                        {{1, 0, "ALL CASES", 333, {146, 68, 119}}, {2, 1, "x < 1", 0, {0, 0, 0}}});
  buildTreeMap(*list, {true, 3}, map);
  const std::string text = node(map, 1).text();
  EXPECT_EQ(text,
            "ALL CASES N: 333\r\nDistribution:\r\nAdelie:\t146\t43.84%\r\nChinstrap:\t68\t20.42%\r\n"
            "Gentoo:\t119\t35.74%\r\n");
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 5);
  const std::string tip = node(map, 1).tipText();
  EXPECT_EQ(tip.find_first_of("\r\n\t"), std::string::npos);
  EXPECT_EQ(tip, "ALL CASES N: 333 Distribution: Adelie: 146 43.84% Chinstrap: 68 20.42% Gentoo: 119 35.74% ");
  // A node of no rows has no shares to show.
  EXPECT_NE(node(map, 2).text().find("Adelie:\t0\tn/a\r\n"), std::string::npos);
  std::setlocale(LC_ALL, "C");
  QLocale::setDefault(QLocale::c());
}

TEST(NodeTexts, ACountBeyondTheRecordSetsClassFieldsStopsAtTheFirstOtherField) {
  FlowMap map;
  auto list = testing::categoryTreeList({"No", "Yes"}, {{1, 0, "ALL CASES", 4, {1, 3}}});
  buildTreeMap(*list, {true, 5}, map);
  EXPECT_EQ(node(map, 1).text(), "ALL CASES N: 4\r\nDistribution:\r\nNo:\t1\t25.00%\r\nYes:\t3\t75.00%\r\n");
}

TEST(NodeTexts, NumberFormats) {
  EXPECT_EQ(roundedText(12.345678, 4), "12.3457");
  EXPECT_EQ(roundedText(2700, 4), "2700");
  EXPECT_EQ(roundedText(-0.00004, 4), "0");
  EXPECT_EQ(percentText(1.0 / 3), "33.33%");
  EXPECT_EQ(percentText(1), "100.00%");
  EXPECT_EQ(statisticText(static_cast<float>(32.1)), "32.1");
  EXPECT_EQ(statisticText(0.1), "0.1");  // not a single: 15 significant digits
  EXPECT_EQ(tipText("a\r\nb\tc\rd\n"), "a b c\rd\n");
}

TEST(TreeMapBuilding, RealRunsOfBothKindsGiveLaidOutTrees) {
  for (bool category : {false, true}) {
    const testing::PenguinRun run = testing::penguinRun(category);
    ASSERT_TRUE(run.treeList) << category;
    FlowMap map;
    buildTreeMap(*run.treeList, {run.characterTarget, run.targetValueCount}, map);
    const int count = map.diagram().nodes().count();
    EXPECT_EQ(count, run.treeList->RecordCount());
    EXPECT_EQ(map.diagram().links().count(), count - 1);
    EXPECT_GE(node(map, 1).left(), 125);
    EXPECT_EQ(node(map, 1).top(), 125);
    if (category) EXPECT_EQ(run.targetValueCount, 3);
    const std::string first = node(map, 1).text();
    EXPECT_EQ(first.rfind(category ? "ALL CASES N: 342\r\nDistribution:\r\nAdelie:\t151\t44.15%\r\n" : "ALL CASES N: 342 Mean: ", 0),
              0u)
        << first;
  }
}

}  // namespace
}  // namespace orlix::display
