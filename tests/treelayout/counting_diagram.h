#pragma once
// A diagram binding that passes every call on to a graphon diagram and counts
// the calls that change it; it can also fail the n-th node move, as a diagram
// that raises an error mid-way would.
#include <map>
#include <stdexcept>

#include "treelayout/graphon_binding.h"

namespace treetest {

class CountingDiagram : public tierio::LayoutDiagram {
 public:
  explicit CountingDiagram(graphon::Diagram& diagram) : inner_(diagram) {}

  int redrawOff = 0;
  int redrawOn = 0;
  int moves = 0;
  int failOnMove = -1;  // the 0-based move that throws, or -1
  std::map<tierio::LinkRef, int> routeResets;
  std::map<tierio::LinkRef, int> styleSets;

  static tierio::LinkRef ref(graphon::Link& link) {
    return reinterpret_cast<tierio::LinkRef>(&link);
  }

  bool filterFlag() override { return inner_.filterFlag(); }
  void setRedraw(bool on) override {
    ++(on ? redrawOn : redrawOff);
    inner_.setRedraw(on);
  }
  std::int32_t nodeCount() override { return inner_.nodeCount(); }
  tierio::NodeRef node(std::int32_t i) override { return inner_.node(i); }
  float left(tierio::NodeRef n) override { return inner_.left(n); }
  float top(tierio::NodeRef n) override { return inner_.top(n); }
  float width(tierio::NodeRef n) override { return inner_.width(n); }
  float height(tierio::NodeRef n) override { return inner_.height(n); }
  void setLeft(tierio::NodeRef n, float v) override {
    if (moves++ == failOnMove) throw std::runtime_error("the diagram refused the move");
    inner_.setLeft(n, v);
  }
  void setTop(tierio::NodeRef n, float v) override { inner_.setTop(n, v); }
  std::int32_t scratchNumber(tierio::NodeRef n) override { return inner_.scratchNumber(n); }
  void setScratchNumber(tierio::NodeRef n, std::int32_t v) override {
    inner_.setScratchNumber(n, v);
  }
  bool included(tierio::NodeRef n) override { return inner_.included(n); }
  std::int32_t inLinkCount(tierio::NodeRef n) override { return inner_.inLinkCount(n); }
  tierio::LinkRef inLink(tierio::NodeRef n, std::int32_t i) override {
    return inner_.inLink(n, i);
  }
  std::int32_t outLinkCount(tierio::NodeRef n) override { return inner_.outLinkCount(n); }
  tierio::LinkRef outLink(tierio::NodeRef n, std::int32_t i) override {
    return inner_.outLink(n, i);
  }
  tierio::NodeRef origin(tierio::LinkRef l) override { return inner_.origin(l); }
  tierio::NodeRef destination(tierio::LinkRef l) override { return inner_.destination(l); }
  bool included(tierio::LinkRef l) override { return inner_.included(l); }
  void setStyleNumber(tierio::LinkRef l, std::int32_t v) override {
    ++styleSets[l];
    inner_.setStyleNumber(l, v);
  }
  void resetRoute(tierio::LinkRef l) override {
    ++routeResets[l];
    inner_.resetRoute(l);
  }

 private:
  tierio::Graphon4Binding inner_;
};

}  // namespace treetest
