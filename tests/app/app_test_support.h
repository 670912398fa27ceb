// What the program's widget tests share: one QApplication per test process
// with the user settings kept in the test's own folder, a main window over a
// program folder of the test's own, in-memory record sets, and a watcher
// that answers the modal windows a command opens.
#pragma once

#include <gtest/gtest.h>

#include <QDialog>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>
#include <vector>

#include "app/mdi_main.h"

namespace orlix::ado {
class Recordset;
}

namespace orlix::app {
class FrmConvert;
}

namespace orlix::app::test {

QString samplePath(const QString& relative);

// A record set held in memory: a header row of field names (text fields
// unless a name ends in "#", which makes a double field) and rows of cells
// ("" is NULL).
std::shared_ptr<ado::Recordset> memoryRecordset(const QStringList& fields, const std::vector<QStringList>& rows);

// While alive, answers every modal window that appears: message boxes are
// recorded and closed with their default button; any other dialog goes to
// `onDialog`, which must close it. When watchers nest, only the newest one
// answers, so a message goes to the watcher of the step that caused it; a
// watcher made with LeaveMessages hands message boxes to an older one.
class ModalWatcher {
 public:
  struct Message {
    QString title, text;
  };
  enum Boxes { RecordMessages, LeaveMessages };
  explicit ModalWatcher(std::function<void(QDialog*)> onDialog = {}, Boxes boxes = RecordMessages);
  ~ModalWatcher();
  ModalWatcher(const ModalWatcher&) = delete;
  ModalWatcher& operator=(const ModalWatcher&) = delete;
  const std::vector<Message>& messages() const { return messages_; }
  QString allText() const;

 private:
  void poll();
  void answer(QWidget* modal);
  bool answers(QWidget* modal) const;
  std::function<void(QDialog*)> onDialog_;
  Boxes boxes_;
  QList<QPointer<QWidget>> inProgress_;
  std::vector<Message> messages_;
  QTimer timer_;
};

class AppTest : public ::testing::Test {
 protected:
  // The application exists before any widget member of a fixture is made.
  AppTest();
  void TearDown() override;
  // The program folder of this test (created empty).
  QString programFolder() const;
  // A main window over that folder, shown.
  MdiMain& mainWindow();
  // Runs File > New, answering the dialog with `fill`, which must press OK or Exit.
  void fileNew(const std::function<void(FrmConvert*)>& fill);

  std::unique_ptr<MdiMain> main_;
};

}  // namespace orlix::app::test
