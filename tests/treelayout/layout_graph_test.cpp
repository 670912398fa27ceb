// Layout over arbitrary graphs (cycles, loops, double links, filtered nodes and
// links): it either succeeds or reports "not a tree" exactly when a plain
// reading of the rules says so, and never leaves a scratch number changed.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "platform/graphon/diagram.h"
#include "treelayout/tierio_ctrl.h"

namespace orlix {
namespace {

struct Expected {
  bool tree = true;
  std::vector<bool> reached;  // per node: part of the tree that is laid out
};

// The rules, read directly off the graph: every node taken in has at most one
// link coming in through the filter; exactly one of them has no parent.
Expected expectedOutcome(graphon::Diagram& d) {
  const bool filter = d.filterFlag();
  const int count = d.nodes().count();
  auto takes = [&](const auto& item) { return !filter || item.included(); };
  auto indexOf = [&](const graphon::Node& n) {
    for (int i = 1; i <= count; ++i)
      if (&d.nodes().item(i) == &n) return i - 1;
    return -1;
  };
  Expected e;
  e.reached.assign(static_cast<std::size_t>(count), false);
  std::vector<int> roots;
  for (int i = 1; i <= count; ++i) {
    graphon::Node& n = d.nodes().item(i);
    if (!takes(n)) continue;
    int passing = 0;
    bool parent = false;
    for (graphon::Link& l : n.inLinks())
      if (takes(l) && ++passing == 1) parent = takes(l.origin());
    if (passing > 1) e.tree = false;
    if (!parent) roots.push_back(i - 1);
  }
  if (roots.empty() && count > 0) {
    bool anyTaken = false;
    for (graphon::Node& n : d.nodes()) anyTaken = anyTaken || takes(n);
    if (anyTaken) e.tree = false;
  }
  if (roots.size() > 1) e.tree = false;
  if (!e.tree || roots.empty()) return e;
  std::vector<int> pending{roots[0]};
  e.reached[static_cast<std::size_t>(roots[0])] = true;
  while (!pending.empty()) {
    graphon::Node& n = d.nodes().item(pending.back() + 1);
    pending.pop_back();
    for (graphon::Link& l : n.outLinks()) {
      const int c = indexOf(l.destination());
      if (!takes(l) || !takes(l.destination()) || e.reached[static_cast<std::size_t>(c)]) continue;
      e.reached[static_cast<std::size_t>(c)] = true;
      pending.push_back(c);
    }
  }
  return e;
}

TEST(LayoutGraphs, NotATreeExactlyWhenTheRulesSaySoAndScratchNumbersComeBack) {
  std::mt19937 rng(99);
  auto chance = [&](int percent) { return std::uniform_int_distribution<int>(0, 99)(rng) < percent; };
  int trees = 0;
  for (int round = 0; round < 4000; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    graphon::Diagram d;
    const int count = std::uniform_int_distribution<int>(0, 9)(rng);
    for (int i = 0; i < count; ++i) {
      graphon::Node& n = d.nodes().add(static_cast<float>(1000 * i), 777.0f, 200, 100);
      n.setScratchNumber(5000 + i);
      n.setIncluded(!chance(10));
    }
    auto addLink = [&](int from, int to) {
      d.nodes().item(from).outLinks().add(d.nodes().item(to)).setIncluded(!chance(10));
    };
    // Mostly a tree, then a few stray links anywhere (loops and cycles included).
    for (int i = 2; i <= count; ++i)
      if (!chance(5)) addLink(std::uniform_int_distribution<int>(1, i - 1)(rng), i);
    const int stray = count == 0 ? 0 : std::uniform_int_distribution<int>(0, 2)(rng);
    std::uniform_int_distribution<int> pick(1, count > 0 ? count : 1);
    for (int i = 0; i < stray; ++i) addLink(pick(rng), pick(rng));
    d.setFilterFlag(chance(50));
    const Expected expected = expectedOutcome(d);
    treelayout::TierioCtrl ctrl;
    bool tree = true;
    try {
      ctrl.Layout(&d);
    } catch (const treelayout::ControlError& e) {
      ASSERT_EQ(e.number(), 1000);
      tree = false;
    }
    ASSERT_EQ(tree, expected.tree);
    trees += tree && count >= 3 ? 1 : 0;
    for (int i = 0; i < count; ++i) {
      const graphon::Node& n = d.nodes().item(i + 1);
      ASSERT_EQ(n.scratchNumber(), 5000 + i);
      if (!expected.tree || !expected.reached[static_cast<std::size_t>(i)]) {
        ASSERT_EQ(n.left(), 1000.0f * i) << "node " << i + 1 << " moved";
        ASSERT_EQ(n.top(), 777.0f);
      }
    }
  }
  EXPECT_GT(trees, 500) << "too few trees of three nodes or more: the mix must exercise both outcomes";
}

}  // namespace
}  // namespace orlix
