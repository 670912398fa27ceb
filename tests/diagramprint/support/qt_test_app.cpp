// The application object the print tests need, made once per test process
// on the offscreen platform, with the system's print server out of reach so
// that "no printer" holds on any machine (tests that need a printer start a
// private CUPS scheduler in their own executable).
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <cstdlib>
#include <memory>

namespace {

class QtTestApplication : public ::testing::Environment {
 public:
  void SetUp() override {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("ORLIX_TEST_CUPS_SERVER"))
      qputenv("CUPS_SERVER", QDir::current().absoluteFilePath("no-print-server.sock").toLocal8Bit());
    else
      qputenv("CUPS_SERVER", qgetenv("ORLIX_TEST_CUPS_SERVER"));
    app_ = std::make_unique<QApplication>(argc_, argv_);
  }
  void TearDown() override { app_.reset(); }

 private:
  int argc_ = 1;
  char name_[16] = "orlix-test";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QApplication> app_;
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new QtTestApplication);

}  // namespace
