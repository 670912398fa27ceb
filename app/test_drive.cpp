#include "app/test_drive.h"

#include <QApplication>
#include <QDialog>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QWindow>
#include <cstdio>

#include "app/mdi_main.h"

namespace orlix::app {

namespace {

void report(const QString& step) { std::fprintf(stderr, "test-drive: %s\n", qPrintable(step)); }

void pressKey(QWidget* target, Qt::Key key, const QString& text) {
  QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier, text));
  QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyRelease, key, Qt::NoModifier, text));
}

// Retries `step` every 100 ms until it reports success.
void retry(QObject* context, std::function<bool()> step) {
  auto* timer = new QTimer(context);
  QObject::connect(timer, &QTimer::timeout, context, [timer, step] {
    if (step()) timer->deleteLater();
  });
  timer->start(100);
}

}  // namespace

void pressKeyOnSplash(QDialog& splash) {
  retry(&splash, [&splash] {
    if (!splash.isVisible()) return false;
    report(QStringLiteral("splash shown on %1; pressing a key").arg(QGuiApplication::platformName()));
    pressKey(&splash, Qt::Key_Space, QStringLiteral(" "));
    return true;
  });
}

void exitThroughFileMenu(MdiMain& main, int delayMs) {
  QTimer::singleShot(delayMs, &main, [&main] {
    retry(&main, [&main] {
      if (!main.windowHandle() || !main.windowHandle()->isExposed()) return false;
      report(QStringLiteral("\"%1\" is exposed on %2").arg(main.windowTitle(), QGuiApplication::platformName()));
      if (QWidget* modeless = QApplication::activeWindow(); modeless && modeless != &main) modeless->close();
      auto* file = main.menuBar()->findChild<QMenu*>(QStringLiteral("mnuFile"));
      main.menuBar()->setActiveAction(file->menuAction());
      retry(file, [file] {
        if (!file->isVisible()) return false;
        report(QStringLiteral("File menu open; pressing x for E&xit"));
        pressKey(file, Qt::Key_X, QStringLiteral("x"));
        return true;
      });
      return true;
    });
  });
}

}  // namespace orlix::app
