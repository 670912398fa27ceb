// The bookkeeping behind orlix-cli's large blocks: a freed block must join
// its free neighbours (or memory is lost to fragments), and a block is carved
// from the front of the first stretch that holds it, the rest staying free.
#include "cli/address_stretches.h"

#include <gtest/gtest.h>

namespace orlix::cli {
namespace {

TEST(AddressStretches, AddedStretchesJoinTheirNeighbours) {
  Stretches s;
  addStretch(s, 100, 10);
  addStretch(s, 130, 10);
  EXPECT_EQ(s, (Stretches{{100, 10}, {130, 10}}));
  addStretch(s, 110, 20);  // fills the gap: one stretch
  EXPECT_EQ(s, (Stretches{{100, 40}}));
  addStretch(s, 90, 10);  // before it
  addStretch(s, 140, 5);  // after it
  EXPECT_EQ(s, (Stretches{{90, 55}}));
  addStretch(s, 200, 5);  // apart
  EXPECT_EQ(s, (Stretches{{90, 55}, {200, 5}}));
}

TEST(AddressStretches, TakingCarvesTheFirstStretchThatHoldsTheBlock) {
  Stretches s{{100, 8}, {200, 30}, {300, 50}};
  EXPECT_EQ(takeStretch(s, 20), 200u);
  EXPECT_EQ(s, (Stretches{{100, 8}, {220, 10}, {300, 50}}));
  EXPECT_EQ(takeStretch(s, 8), 100u);  // an exact fit leaves nothing behind
  EXPECT_EQ(s, (Stretches{{220, 10}, {300, 50}}));
  EXPECT_EQ(takeStretch(s, 51), 0u);  // none holds it: nothing changes
  EXPECT_EQ(s, (Stretches{{220, 10}, {300, 50}}));
  // What is taken and given back whole restores the stretch.
  const auto at = takeStretch(s, 50);
  addStretch(s, at, 50);
  EXPECT_EQ(s, (Stretches{{220, 10}, {300, 50}}));
}

}  // namespace
}  // namespace orlix::cli
