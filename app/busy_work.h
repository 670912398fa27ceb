// Runs long work (reading a data source) on a worker thread while the
// windows keep painting. Input is held back for a moment; if the work takes
// longer, a modal busy dialog with a Cancel button appears. A cancelled
// work item finishes unseen and its result is dropped.
#pragma once

#include <QApplication>
#include <QEventLoop>
#include <QFutureWatcher>
#include <QProgressDialog>
#include <QTimer>
#include <QtConcurrent/QtConcurrentRun>
#include <functional>
#include <optional>

namespace orlix::app {

constexpr int kBusyDialogDelayMs = 400;

// The result of `work`, or nullopt when the user cancelled. `work` must not
// touch widgets; it is run on a worker thread.
template <class T>
std::optional<T> runWhileBusy(QWidget* parent, const QString& label, std::function<T()> work) {
  QFuture<T> future = QtConcurrent::run(std::move(work));
  QFutureWatcher<T> watcher;
  QEventLoop loop;
  QObject::connect(&watcher, &QFutureWatcherBase::finished, &loop, &QEventLoop::quit);
  watcher.setFuture(future);

  QTimer delay;
  delay.setSingleShot(true);
  QObject::connect(&delay, &QTimer::timeout, &loop, &QEventLoop::quit);
  delay.start(kBusyDialogDelayMs);
  QApplication::setOverrideCursor(Qt::WaitCursor);
  if (!future.isFinished()) loop.exec(QEventLoop::ExcludeUserInputEvents);
  QApplication::restoreOverrideCursor();

  if (!future.isFinished()) {
    QProgressDialog dialog(label, QStringLiteral("Cancel"), 0, 0, parent);
    dialog.setObjectName(QStringLiteral("frmBusy"));
    dialog.setWindowTitle(QApplication::applicationDisplayName());
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.setMinimumDuration(0);
    QObject::connect(&dialog, &QProgressDialog::canceled, &loop, &QEventLoop::quit);
    dialog.show();
    if (!future.isFinished()) loop.exec();
    if (!future.isFinished()) return std::nullopt;
  }
  return future.result();
}

}  // namespace orlix::app
