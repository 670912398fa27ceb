// ChildWindows: the main window's MDI children by name. Each result window
// is loaded on first use (created hidden, as its load prescribes: the raw
// data window reads the raw data, the descriptives window binds
// gDescriptives, the text windows take the current texts) and lives until
// the user closes it or the program unloads it.
#pragma once

#include <QObject>
#include <QPointer>

class QMdiArea;
class QMdiSubWindow;

namespace orlix::app {

struct AppState;
class FrmRawD;
class GridWindow;
class TextWindow;

class ChildWindows : public QObject {
  Q_OBJECT

 public:
  ChildWindows(QMdiArea* area, AppState& state);

  // `readData` false: a newly loaded raw data window starts empty, for data
  // read elsewhere (an opened project).
  FrmRawD* rawData(bool readData = true);
  GridWindow* descriptives();
  GridWindow* treeList();
  TextWindow* rules();
  TextWindow* code();
  // Adds a window made elsewhere (the decision map) as a child, hidden.
  void adopt(QWidget* window);

  // The loaded child named `name`; nullptr when none is.
  QWidget* find(const QString& name) const;
  // The active child's window; nullptr when none is active.
  QWidget* active() const;
  QList<QWidget*> loaded() const;

  // Shows a loaded child and makes it the active one.
  void show(QWidget* window);
  // Every other child gets its normal size (neither minimised nor maximised).
  void restoreOthers(QWidget* except);
  // Unloads one loaded child (its frame goes with it).
  void unload(QWidget* window);
  // Unloads every child, the last loaded first.
  void unloadAll();
  // Repaints every child.
  void refreshAll();

 signals:
  void rawDataBound();

 private:
  template <class Window, class Make>
  Window* loadOnce(const QString& name, Make make);
  QMdiSubWindow* frameOf(QWidget* window) const;

  QMdiArea* area_;
  AppState& state_;
};

}  // namespace orlix::app
