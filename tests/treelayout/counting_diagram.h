#pragma once
// A diagram binding that passes every call on to a graphon diagram and counts
// the calls that change it; it can also fail the n-th node move, as a diagram
// that raises an error mid-way would.
#include <map>
#include <stdexcept>

#include "treelayout/graphon_binding.h"

namespace orlix::treelayout::testing {

class CountingDiagram : public treelayout::LayoutDiagram {
 public:
  explicit CountingDiagram(graphon::Diagram& diagram) : inner_(diagram) {}

  int redrawOff = 0;
  int redrawOn = 0;
  int moves = 0;
  int failOnMove = -1;  // the 0-based move that throws, or -1
  std::map<treelayout::LinkRef, int> routeResets;
  std::map<treelayout::LinkRef, int> styleSets;

  static treelayout::LinkRef ref(graphon::Link& link) {
    return reinterpret_cast<treelayout::LinkRef>(&link);
  }

  bool filterFlag() override { return inner_.filterFlag(); }
  void setRedraw(bool on) override {
    ++(on ? redrawOn : redrawOff);
    inner_.setRedraw(on);
  }
  std::int32_t nodeCount() override { return inner_.nodeCount(); }
  treelayout::NodeRef node(std::int32_t i) override { return inner_.node(i); }
  float left(treelayout::NodeRef n) override { return inner_.left(n); }
  float top(treelayout::NodeRef n) override { return inner_.top(n); }
  float width(treelayout::NodeRef n) override { return inner_.width(n); }
  float height(treelayout::NodeRef n) override { return inner_.height(n); }
  void setLeft(treelayout::NodeRef n, float v) override {
    if (moves++ == failOnMove) throw std::runtime_error("the diagram refused the move");
    inner_.setLeft(n, v);
  }
  void setTop(treelayout::NodeRef n, float v) override { inner_.setTop(n, v); }
  std::int32_t scratchNumber(treelayout::NodeRef n) override { return inner_.scratchNumber(n); }
  void setScratchNumber(treelayout::NodeRef n, std::int32_t v) override {
    inner_.setScratchNumber(n, v);
  }
  bool included(treelayout::NodeRef n) override { return inner_.included(n); }
  std::int32_t inLinkCount(treelayout::NodeRef n) override { return inner_.inLinkCount(n); }
  treelayout::LinkRef inLink(treelayout::NodeRef n, std::int32_t i) override {
    return inner_.inLink(n, i);
  }
  std::int32_t outLinkCount(treelayout::NodeRef n) override { return inner_.outLinkCount(n); }
  treelayout::LinkRef outLink(treelayout::NodeRef n, std::int32_t i) override {
    return inner_.outLink(n, i);
  }
  treelayout::NodeRef origin(treelayout::LinkRef l) override { return inner_.origin(l); }
  treelayout::NodeRef destination(treelayout::LinkRef l) override { return inner_.destination(l); }
  bool included(treelayout::LinkRef l) override { return inner_.included(l); }
  void setStyleNumber(treelayout::LinkRef l, std::int32_t v) override {
    ++styleSets[l];
    inner_.setStyleNumber(l, v);
  }
  void resetRoute(treelayout::LinkRef l) override {
    ++routeResets[l];
    inner_.resetRoute(l);
  }

 private:
  treelayout::Graphon4Binding inner_;
};

}  // namespace orlix::treelayout::testing
