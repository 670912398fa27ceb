// MdiMain: the main window — menu bar, tool bar, short-cut bar, status bar
// and the area of child windows. It owns the program-wide state and hands it
// to the windows; each command goes to the class that owns its work.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <memory>

#include "app/action_registry.h"
#include "app/app_state.h"
#include "app/program_files.h"

class QLabel;
class QMdiArea;
class QMenu;

namespace orlix::app {

class ChildWindows;
class DlgTreeOptions;
class FrmTip;
class HelpWindow;
class ProjectCommands;
class ShortCutBar;

class MdiMain : public QMainWindow {
  Q_OBJECT

 public:
  explicit MdiMain(ProgramFiles files, QWidget* parent = nullptr);
  ~MdiMain() override;

  AppState& state() { return state_; }
  const ActionRegistry& actions() const { return registry_; }
  ChildWindows& windows() { return *windows_; }
  ShortCutBar* shortCutBar() const { return shortCuts_; }
  QMdiArea* mdiArea() const { return area_; }
  // The Tree Options dialog, loaded (hidden) when it is not.
  DlgTreeOptions& treeOptions();
  bool treeOptionsLoaded() const { return !treeOptions_.isNull(); }
  FrmTip* tipWindow() const;
  HelpWindow* helpWindow() const;
  const ProgramFiles& files() const { return files_; }

  // `orlix FILE` and a file dropped on the window: a project's settings file
  // opens the project; any other file opens File > New's dialog with the
  // file filled in and its format chosen.
  void openArgument(const QString& path);
  // File > New with the dialog's file name filled in (none when empty).
  void newProject(const QString& file = QString());

 public slots:
  void fileNew() { newProject(); }
  void fileOpen();
  void filePrint();
  void editCopy();
  void viewRaw();
  void viewDescrip();
  void viewRefresh();
  void showShortCut(int index);
  void showHelp(bool search);
  void showTip();
  // Disables the commands that would start a second run while one is going.
  void enableRunCommands(bool running);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void buildWindow();
  void connectCommands();
  void dispatchToolbarKey(const QString& key);
  void tileWindows(Qt::Orientation orientation);
  void fillWindowList();
  void showAbout();
  void unloadAll();
  QWidget* activeChild() const;

  AppState state_;
  ProgramFiles files_;
  ActionRegistry registry_;
  QMdiArea* area_ = nullptr;
  ShortCutBar* shortCuts_ = nullptr;
  QLabel* statusPanel_ = nullptr;
  QMenu* windowMenu_ = nullptr;
  std::unique_ptr<ChildWindows> windows_;
  std::unique_ptr<ProjectCommands> projectCommands_;
  QPointer<DlgTreeOptions> treeOptions_;
  QPointer<FrmTip> tip_;
  QPointer<HelpWindow> help_;
  bool shownOnce_ = false;
};

}  // namespace orlix::app
