// Coordinates of one tree of mixed node sizes in each orientation, kept in
// files so that any change to the numbers shows. Run with ORLIX_UPDATE_GOLDEN=1
// to write the files afresh after a deliberate change.
#include <gtest/gtest.h>

#include <charconv>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/graphon/diagram.h"
#include "treelayout/tierio_ctrl.h"
#include "tests/support/test_files.h"
#include "tree_builders.h"

namespace orlix {
namespace {

const treelayout::testing::TreeShape& mixedTree() {
  static const treelayout::testing::TreeShape shape{
      {-1, 0, 0, 0, 1, 1, 1, 2, 3, 3, 4, 4, 8, 8, 9, 14},
      {{2500, 1000},
       {800.5f, 300},
       {1200, 1500.25f},
       {300, 300},
       {1800.75f, 700},
       {50, 50},
       {2501, 999},
       {1000, 1000},
       {640, 480},
       {3333, 17},
       {0, 0},
       {20123.5f, 4567},
       {900, 200},
       {901, 201},
       {77, 1200},
       {2500, 1000}}};
  return shape;
}

std::string number(float value) {
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

std::string laidOut(int orientation) {
  graphon::Diagram d;
  treelayout::testing::buildDiagram(d, mixedTree());
  int i = 0;
  for (graphon::Node& n : d.nodes()) {  // start from scattered places
    n.setLeft(static_cast<float>(i * 37 % 500) + 0.5f);
    n.setTop(static_cast<float>(i++ * 91 % 700));
  }
  treelayout::TierioCtrl ctrl;
  ctrl.SetOrientation(orientation);
  ctrl.Layout(&d);
  std::string text = "# node left top width height\n";
  i = 1;
  for (const graphon::Node& n : d.nodes())
    text += std::to_string(i++) + " " + number(n.left()) + " " + number(n.top()) + " " +
            number(n.width()) + " " + number(n.height()) + "\n";
  return text;
}

class Golden : public ::testing::TestWithParam<int> {};

TEST_P(Golden, MixedSizesMatchTheStoredCoordinates) {
  static const char* names[] = {"north", "east", "south", "west"};
  const std::string path = test::repositoryFile("tests/treelayout/golden") + "/mixed_" + names[GetParam()] + ".txt";
  const std::string actual = laidOut(GetParam());
  if (std::getenv("ORLIX_UPDATE_GOLDEN") != nullptr) {
    std::ofstream(path, std::ios::binary) << actual;
    GTEST_SKIP() << "wrote " << path;
  }
  EXPECT_EQ(actual, test::readFile(path)) << path;
}

INSTANTIATE_TEST_SUITE_P(Orientations, Golden, ::testing::Values(0, 1, 2, 3));

}  // namespace
}  // namespace orlix
