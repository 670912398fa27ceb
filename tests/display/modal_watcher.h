// Answers the modal dialogs that code under test opens: a watcher polls for
// the active modal widget and hands each new one to a callback, which reads
// it and closes it, so exec() returns and the test goes on.
#pragma once

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <vector>

namespace orlix::display::testing {

class ModalWatcher {
 public:
  // `answer` gets every modal widget once; by default message boxes are
  // accepted and input dialogs cancelled.
  explicit ModalWatcher(std::function<void(QWidget*)> answer = {}) : answer_(std::move(answer)) {
    QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
    timer_.start(10);
  }

  // "title | text" of every dialog seen, in order.
  const std::vector<QString>& seen() const { return seen_; }

 private:
  void poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || modal == last_) return;
    last_ = modal;
    QString text;
    if (auto* box = qobject_cast<QMessageBox*>(modal)) text = box->text();
    if (auto* input = qobject_cast<QInputDialog*>(modal)) text = input->labelText();
    seen_.push_back(modal->windowTitle() + " | " + text);
    if (answer_) {
      answer_(modal);
    } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
      box->accept();
    } else if (auto* dialog = qobject_cast<QDialog*>(modal)) {
      dialog->reject();
    }
  }

  std::function<void(QWidget*)> answer_;
  QTimer timer_;
  QPointer<QWidget> last_;
  std::vector<QString> seen_;
};

}  // namespace orlix::display::testing
