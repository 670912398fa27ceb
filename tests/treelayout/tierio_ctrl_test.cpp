// The layout control's properties: validation, truncation, change marking and
// persistence by name.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <tuple>
#include <vector>

#include "treelayout/tierio_ctrl.h"
#include "tests/support/scoped_locale.h"
#include "treelayout/tierio_ids.h"

namespace orlix {
namespace {

using treelayout::ControlError;
using treelayout::MemoryPropertyBag;
using treelayout::TierioCtrl;

void expect380(const std::function<void()>& call) {
  try {
    call();
    FAIL() << "the value was taken";
  } catch (const ControlError& e) {
    EXPECT_EQ(e.number(), 380);
    EXPECT_EQ(e.code(), 0x800A017Cu);
  }
}

TEST(TierioProperties, Defaults) {
  TierioCtrl ctrl;
  EXPECT_EQ(ctrl.Orientation(), treelayout::North);
  EXPECT_EQ(ctrl.LayerDistance(), 500.0f);
  EXPECT_EQ(ctrl.VertexDistance(), 500.0f);
  EXPECT_FALSE(ctrl.IsModified());
}

TEST(TierioProperties, OrientationOutsideZeroToThreeIsRefused) {
  TierioCtrl ctrl;
  ctrl.SetOrientation(treelayout::West);
  for (int bad : {4, -1, 65536 + 1}) expect380([&] { ctrl.SetOrientation(bad); });
  EXPECT_EQ(ctrl.Orientation(), treelayout::West);
}

TEST(TierioProperties, EveryValidOrientationNotifiesAndMarksModified) {
  TierioCtrl ctrl;
  std::vector<std::int32_t> notified;
  ctrl.OnPropertyChanged([&](std::int32_t id) { notified.push_back(id); });
  ctrl.SetOrientation(treelayout::North);
  EXPECT_TRUE(ctrl.IsModified());
  EXPECT_EQ(notified, std::vector<std::int32_t>{treelayout::dispid::Orientation});
}

TEST(TierioProperties, DistancesAreTruncatedTowardZero) {
  TierioCtrl ctrl;
  ctrl.SetLayerDistance(250.9f);
  EXPECT_EQ(ctrl.LayerDistance(), 250.0f);
  ctrl.SetVertexDistance(-12.7f);
  EXPECT_EQ(ctrl.VertexDistance(), -12.0f);
  EXPECT_EQ(ctrl.settings().layerDistance, 250);
}

TEST(TierioProperties, OnlyARealChangeOfADistanceMarksModified) {
  TierioCtrl ctrl;
  int notified = 0;
  ctrl.OnPropertyChanged([&](std::int32_t) { ++notified; });
  ctrl.SetVertexDistance(500.0f);
  ctrl.SetVertexDistance(500.99f);  // truncates to the stored 500
  ctrl.SetLayerDistance(500.5f);
  EXPECT_FALSE(ctrl.IsModified());
  EXPECT_EQ(notified, 0);
  ctrl.SetLayerDistance(501.0f);
  EXPECT_TRUE(ctrl.IsModified());
  EXPECT_EQ(notified, 1);
}

TEST(TierioProperties, DistancesWithoutAWholeNumberAreRefused) {
  TierioCtrl ctrl;
  for (float bad : {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
                    3.0e9f, -3.0e9f}) {
    expect380([&] { ctrl.SetLayerDistance(bad); });
    expect380([&] { ctrl.SetVertexDistance(bad); });
  }
  EXPECT_EQ(ctrl.LayerDistance(), 500.0f);
  EXPECT_FALSE(ctrl.IsModified());
}

TEST(TierioPersistence, SavedPropertiesLoadBack) {
  TierioCtrl saved;
  saved.SetOrientation(treelayout::South);
  saved.SetLayerDistance(321.0f);
  saved.SetVertexDistance(123.0f);
  MemoryPropertyBag bag;
  saved.Save(bag);
  EXPECT_EQ(std::get<std::int16_t>(*bag.read("Orientation")), 2);
  EXPECT_EQ(std::get<float>(*bag.read("LayerDistance")), 321.0f);
  EXPECT_EQ(std::get<float>(*bag.read("VertexDistance")), 123.0f);
  TierioCtrl loaded;
  loaded.Load(bag);
  EXPECT_EQ(loaded.settings().orientation, 2);
  EXPECT_EQ(loaded.settings().layerDistance, 321);
  EXPECT_EQ(loaded.settings().vertexDistance, 123);
}

TEST(TierioPersistence, MissingEntriesKeepTheCurrentValues) {
  MemoryPropertyBag bag;
  bag.write("VertexDistance", 99.75f);
  TierioCtrl ctrl;
  ctrl.SetOrientation(treelayout::East);
  ctrl.Load(bag);
  EXPECT_EQ(ctrl.LayerDistance(), 500.0f);
  EXPECT_EQ(ctrl.VertexDistance(), 99.0f);
  EXPECT_EQ(ctrl.Orientation(), treelayout::East);
}

TEST(TierioPersistence, ABadEntryIsNamedAndNothingIsTaken) {
  TierioCtrl ctrl;
  struct Bad {
    const char* name;
    treelayout::PropertyValue value;
  };
  for (const Bad& bad : {Bad{"Orientation", std::int16_t{7}}, Bad{"Orientation", 1.5},
                         Bad{"LayerDistance", std::string("wide")},
                         Bad{"VertexDistance", 1.0e12}, Bad{"VertexDistance", std::nan("")}}) {
    MemoryPropertyBag bag;
    bag.write("LayerDistance", 10.0f);
    bag.write(bad.name, bad.value);
    try {
      ctrl.Load(bag);
      FAIL() << bad.name << " was taken";
    } catch (const ControlError& e) {
      EXPECT_EQ(e.number(), 380);
      EXPECT_NE(e.description().find(bad.name), std::string::npos) << e.description();
    }
    EXPECT_EQ(ctrl.LayerDistance(), 500.0f);
  }
}

// Numbers stored as text are read in the C locale, and what is saved is the
// same, whatever the process locale.
TEST(TierioPersistence, PropertiesLoadAndSaveTheSameInAnyLocale) {
  auto loadAndSave = [] {
    MemoryPropertyBag bag;
    bag.write("LayerDistance", std::string(" 250.9 "));
    bag.write("VertexDistance", std::string("1234.5"));
    bag.write("Orientation", std::string("3"));
    TierioCtrl ctrl;
    ctrl.Load(bag);
    MemoryPropertyBag saved;
    ctrl.Save(saved);
    return std::make_tuple(ctrl.Orientation(), ctrl.LayerDistance(), ctrl.VertexDistance(),
                           std::get<std::int16_t>(*saved.read("Orientation")),
                           std::get<float>(*saved.read("LayerDistance")),
                           std::get<float>(*saved.read("VertexDistance")));
  };
  auto [inC, inOther] = test::InBothLocales(loadAndSave);
  EXPECT_EQ(inC, std::make_tuple(treelayout::West, 250.0f, 1234.0f, std::int16_t{3}, 250.0f, 1234.0f));
  EXPECT_EQ(inOther, inC);
  test::ScopedLocale decimalComma;
  MemoryPropertyBag comma;
  comma.write("LayerDistance", std::string("250,9"));  // a comma is never a decimal point
  TierioCtrl ctrl;
  EXPECT_THROW(ctrl.Load(comma), ControlError);
}

TEST(TierioProperties, ResetRestoresTheDefaults) {
  TierioCtrl ctrl;
  ctrl.SetOrientation(treelayout::West);
  ctrl.SetLayerDistance(1.0f);
  ctrl.ResetProperties();
  EXPECT_EQ(ctrl.Orientation(), treelayout::North);
  EXPECT_EQ(ctrl.LayerDistance(), 500.0f);
  EXPECT_EQ(TierioCtrl::OrientationEntries()[3], std::string("3 - West"));
}

}  // namespace
}  // namespace orlix
