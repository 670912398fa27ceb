// The main of the tests that draw or show windows: a Qt application of the
// kind the code needs (widgets or only painting), then every test.
#include <gtest/gtest.h>

#if ORLIX_TEST_WIDGETS
#include <QApplication>
using TestApplication = QApplication;
#else
#include <QGuiApplication>
using TestApplication = QGuiApplication;
#endif

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  // CTest lists the tests without the test's environment: no application then.
  if (::testing::GTEST_FLAG(list_tests)) return RUN_ALL_TESTS();
  TestApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
