#include "app/mdi_main.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

#include "app/child_windows.h"
#include "app/decision_map.h"
#include "app/dlg_tree_options.h"
#include "app/frm_about.h"
#include "app/frm_convert.h"
#include "app/frm_tip.h"
#include "app/help_window.h"
#include "app/menu_bar.h"
#include "app/orl_flex_grid.h"
#include "app/printing.h"
#include "app/project_commands.h"
#include "app/result_windows.h"
#include "app/shortcut_bar.h"
#include "app/tree_run.h"
#include "app/user_settings.h"

namespace orlix::app {

MdiMain::MdiMain(ProgramFiles files, QWidget* parent)
    : QMainWindow(parent), files_(std::move(files)), registry_(this) {
  state_.gCancelRequested = false;
  setObjectName(QStringLiteral("mdiMain"));
  setWindowTitle(QStringLiteral("Wendmoor Decision Trees"));
  setAcceptDrops(true);
  registerMainActions(registry_);
  buildWindow();
  windows_ = std::make_unique<ChildWindows>(area_, state_);
  projectCommands_ = std::make_unique<ProjectCommands>(state_, *windows_, this, [this]() -> DlgTreeOptions& {
    return treeOptions();
  });
  connect(windows_.get(), &ChildWindows::rawDataBound, this, [this] { treeOptions().Load_Lists(); });
  connect(&projectCommands_->treeRun(), &TreeRun::runningChanged, this, &MdiMain::enableRunCommands);
  connectCommands();
  treeOptions();  // loaded at start-up, hidden

  // Main window load: centred, every short-cut visible and laid out.
  shortCuts_->showAllButtons();
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect available = screen->availableGeometry();
    resize(available.size() * 4 / 5);
    move(available.center() - rect().center());
  }
}

MdiMain::~MdiMain() { unloadAll(); }

void MdiMain::buildWindow() {
  windowMenu_ = buildMenuBar(menuBar(), registry_);
  connect(windowMenu_, &QMenu::aboutToShow, this, &MdiMain::fillWindowList);

  auto* toolbar = addToolBar(QStringLiteral("Toolbar1"));
  toolbar->setObjectName(QStringLiteral("Toolbar1"));
  toolbar->setMovable(false);
  buildToolbar(toolbar, registry_);
  connect(toolbar, &QToolBar::actionTriggered, this, [this](QAction* button) { dispatchToolbarKey(toolbarKey(button)); });

  area_ = new QMdiArea(this);
  area_->setObjectName(QStringLiteral("mdiArea"));
  area_->setAccessibleName(QStringLiteral("Windows"));
  area_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  area_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  shortCuts_ = new ShortCutBar(this);
  connect(shortCuts_, &ShortCutBar::buttonClicked, this, &MdiMain::showShortCut);
  auto* central = new QWidget(this);
  auto* row = new QHBoxLayout(central);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(0);
  row->addWidget(shortCuts_);
  row->addWidget(area_, 1);
  setCentralWidget(central);

  QStatusBar* status = statusBar();
  status->setObjectName(QStringLiteral("StatusBar1"));
  status->setAccessibleName(QStringLiteral("StatusBar1"));
  statusPanel_ = new QLabel(QStringLiteral("Status"), status);
  statusPanel_->setObjectName(QStringLiteral("StatusBar1Panel1"));
  auto* date = new QLabel(QLocale().toString(QDate::currentDate(), QLocale::ShortFormat), status);
  date->setObjectName(QStringLiteral("StatusBar1Panel2"));
  status->addWidget(statusPanel_, 1);
  status->addPermanentWidget(date);
}

void MdiMain::connectCommands() {
  using Slot = std::function<void()>;
  const QList<std::pair<const char*, Slot>> commands{
      {"mnuFileNew", [this] { fileNew(); }},
      {"mnuFileOpen", [this] { fileOpen(); }},
      {"mnuFileSave", [this] { projectCommands_->saveAll(); }},
      {"mnuFileSaveAll", [this] { projectCommands_->saveAll(); }},
      {"mnuFileSaveAs", [this] { projectCommands_->saveAs(); }},
      {"mnuFileProperties", [this] { projectCommands_->showProperties(); }},
      {"mnuFilePrintSetup", [this] { printSetup(state_, this); }},
      {"mnuFilePrintPreview", [this] { printPreview(activeChild(), state_, *windows_, this); }},
      {"mnuFilePrint", [this] { filePrint(); }},
      {"mnuFileExit", [this] { close(); }},
      {"mnuEditCopy", [this] { editCopy(); }},
      {"mnuViewRaw", [this] { viewRaw(); }},
      {"mnuViewDescrip", [this] { viewDescrip(); }},
      {"mnuViewTerminal", [this] { showShortCut(3); }},
      {"mnuViewTree", [this] { showShortCut(4); }},
      {"mnuViewScoring", [this] { showShortCut(5); }},
      {"mnuViewRefresh", [this] { viewRefresh(); }},
      {"mnuViewOptions", [this] { projectCommands_->showViewOptions(); }},
      {"mnuToolsRunTree", [this] { projectCommands_->RunNumericTree(); }},
      {"mnuWindowCascade", [this] { area_->cascadeSubWindows(); }},
      {"mnuWindowTileHorizontal", [this] { tileWindows(Qt::Vertical); }},
      {"mnuWindowTileVertical", [this] { tileWindows(Qt::Horizontal); }},
      {"mnuHelpContents", [this] { showHelp(false); }},
      {"mnuHelpSearch", [this] { showHelp(true); }},
      {"mnuHelpAbout", [this] { showAbout(); }},
  };
  for (const auto& [name, slot] : commands)
    connect(registry_.action(QString::fromLatin1(name)), &QAction::triggered, this, slot);

  QAction* shortCutBar = registry_.action(QStringLiteral("mnuViewToolbar"));
  shortCutBar->setChecked(true);
  connect(shortCutBar, &QAction::toggled, shortCuts_, &QWidget::setVisible);
  QAction* statusBarItem = registry_.action(QStringLiteral("mnuViewStatusBar"));
  statusBarItem->setChecked(true);
  connect(statusBarItem, &QAction::toggled, statusBar(), &QWidget::setVisible);
  connect(registry_.action(QStringLiteral("mnuHelpTips")), &QAction::triggered, this,
          [](bool checked) { setShowTipsAtStartup(checked ? 1 : 0); });
}

DlgTreeOptions& MdiMain::treeOptions() {
  if (!treeOptions_) {
    treeOptions_ = new DlgTreeOptions(state_, this);
    treeOptions_->setRawGridRows([this] {
      const auto* raw = qobject_cast<FrmRawD*>(windows_->find(QStringLiteral("frmRawD")));
      return raw ? raw->grid()->Rows() : -1;
    });
  }
  return *treeOptions_;
}

FrmTip* MdiMain::tipWindow() const { return tip_; }

HelpWindow* MdiMain::helpWindow() const { return help_; }

QWidget* MdiMain::activeChild() const { return windows_->active(); }

void MdiMain::dispatchToolbarKey(const QString& key) {
  static const QHash<QString, QString> commands{
      {QStringLiteral("New"), QStringLiteral("mnuFileNew")},
      {QStringLiteral("Open"), QStringLiteral("mnuFileOpen")},
      {QStringLiteral("Save"), QStringLiteral("mnuFileSave")},
      {QStringLiteral("Print"), QStringLiteral("mnuFilePrint")},
      {QStringLiteral("RunTree"), QStringLiteral("mnuToolsRunTree")},
      {QStringLiteral("Help"), QStringLiteral("mnuHelpContents")},
  };
  // "Copy", "Cut" and "Paste" have no function on the tool bar.
  const QString command = commands.value(key);
  if (!command.isEmpty()) registry_.action(command)->trigger();
}

void MdiMain::newProject(const QString& file) {
  FrmConvert dialog(state_, this);
  if (!file.isEmpty()) dialog.setFileName(file);
  if (dialog.exec() != QDialog::Accepted) return;  // Exit keeps the current analysis
  state_.gRulesText.clear();
  state_.gCodeText.clear();
  state_.gDescriptives.reset();
  state_.gTreeList.reset();
  unloadAll();
  windows_->show(windows_->rawData());
}

void MdiMain::unloadAll() {
  windows_->unloadAll();
  delete tip_;
  delete treeOptions_;
}

void MdiMain::fileOpen() {
  QFileDialog dialog(this, QStringLiteral("Select Project File..."));
  dialog.setObjectName(QStringLiteral("cmnDialog"));
  dialog.setNameFilter(QStringLiteral("Wendmoor Tree Format (*.cfg)"));
  dialog.setFileMode(QFileDialog::ExistingFile);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  const QString path = dialog.selectedFiles().constFirst().trimmed();
  if (!path.isEmpty()) projectCommands_->OpenProject(path);
}

void MdiMain::filePrint() { printWindow(activeChild(), state_, this); }

void MdiMain::editCopy() {
  QWidget* active = activeChild();
  if (auto* text = qobject_cast<TextWindow*>(active)) {
    QGuiApplication::clipboard()->clear();
    QGuiApplication::clipboard()->setText(text->text());
  } else if (auto* grid = qobject_cast<GridWindow*>(active)) {
    grid->grid()->CopyCells();
  }
}

void MdiMain::viewRaw() {
  const bool loaded = windows_->find(QStringLiteral("frmRawD")) != nullptr;
  FrmRawD* raw = windows_->rawData();  // its load reads the data
  windows_->restoreOthers(raw);
  if (loaded) raw->RefreshData();
  windows_->show(raw);
}

void MdiMain::viewDescrip() {
  GridWindow* descriptives = windows_->descriptives();
  windows_->restoreOthers(descriptives);
  windows_->show(descriptives);
}

void MdiMain::viewRefresh() {
  windows_->refreshAll();
  for (QWidget* window : QList<QWidget*>{tip_, help_, treeOptions_})
    if (window) window->update();
}

void MdiMain::showShortCut(int index) {
  switch (index) {
    case 1: windows_->show(windows_->descriptives()); break;
    case 2: windows_->show(windows_->rawData()); break;
    case 3: windows_->show(windows_->rules()); break;
    case 4: showDecisionMap(state_, *windows_, this); break;
    case 5: windows_->show(windows_->code()); break;
    case 6: windows_->show(windows_->treeList()); break;
    case 7: projectCommands_->showViewOptions(); break;
    default: break;
  }
}

void MdiMain::tileWindows(Qt::Orientation orientation) {
  QList<QMdiSubWindow*> frames;
  for (QMdiSubWindow* frame : area_->subWindowList())
    if (frame->isVisible() && !frame->isMinimized()) frames.append(frame);
  if (frames.isEmpty()) return;
  const QRect space = area_->viewport()->rect();
  const int count = static_cast<int>(frames.size());
  for (int i = 0; i < count; ++i) {
    frames[i]->showNormal();
    if (orientation == Qt::Vertical)  // one above another
      frames[i]->setGeometry(0, space.height() * i / count, space.width(), space.height() / count);
    else  // side by side
      frames[i]->setGeometry(space.width() * i / count, 0, space.width() / count, space.height());
  }
}

void MdiMain::fillWindowList() {
  // The Window menu ends with the open windows, the active one checked.
  for (QAction* action : windowMenu_->actions())
    if (action->property("windowList").toBool()) delete action;
  const QList<QMdiSubWindow*> frames = area_->subWindowList();
  int number = 0;
  for (QMdiSubWindow* frame : frames) {
    if (!frame->isVisible()) continue;
    if (number == 0) windowMenu_->addSeparator()->setProperty("windowList", true);
    QAction* item = windowMenu_->addAction(QStringLiteral("&%1 %2").arg(++number).arg(frame->windowTitle()));
    item->setProperty("windowList", true);
    item->setCheckable(true);
    item->setChecked(frame == area_->activeSubWindow());
    connect(item, &QAction::triggered, this, [this, frame] { area_->setActiveSubWindow(frame); });
  }
}

void MdiMain::showHelp(bool search) {
  if (!help_) help_ = new HelpWindow(files_.helpBook(), this);
  help_->show();
  help_->raise();
  help_->activateWindow();
  if (search)
    help_->showSearch();
  else
    help_->showContents();
}

void MdiMain::showAbout() {
  FrmAbout about(this);
  about.exec();
}

void MdiMain::showTip() {
  if (!tip_) {
    auto* tip = new FrmTip(files_.tipsFile(), registry_.action(QStringLiteral("mnuHelpTips")), this);
    if (!tip->wantsToShow()) {
      delete tip;  // "Show Tips at Startup" is off: the window unloads itself
      return;
    }
    tip->setAttribute(Qt::WA_DeleteOnClose);
    tip_ = tip;
  }
  tip_->show();
  tip_->raise();
  tip_->activateWindow();
}

void MdiMain::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (shownOnce_) return;
  shownOnce_ = true;
  QTimer::singleShot(0, this, &MdiMain::showTip);
}

void MdiMain::openArgument(const QString& path) {
  const QFileInfo info(path);
  if (!info.isFile()) {
    QMessageBox::warning(this, QApplication::applicationDisplayName(),
                         QStringLiteral("Orlix cannot open %1: %2.")
                             .arg(QDir::toNativeSeparators(path),
                                  info.exists() ? QStringLiteral("it is a folder") : QStringLiteral("the file does not exist")));
    return;
  }
  if (info.fileName().compare(QStringLiteral("TreeParms.cfg"), Qt::CaseInsensitive) == 0 ||
      info.suffix().compare(QStringLiteral("cfg"), Qt::CaseInsensitive) == 0)
    projectCommands_->OpenProject(info.absoluteFilePath());
  else
    newProject(info.absoluteFilePath());
}

void MdiMain::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls() && event->mimeData()->urls().constFirst().isLocalFile()) event->acceptProposedAction();
}

void MdiMain::dropEvent(QDropEvent* event) {
  const QList<QUrl> urls = event->mimeData()->urls();
  if (urls.isEmpty() || !urls.constFirst().isLocalFile()) return;
  event->acceptProposedAction();
  const QString path = urls.constFirst().toLocalFile();
  // The dialog opens after the drop has finished, so the source is not kept waiting.
  QTimer::singleShot(0, this, [this, path] { openArgument(path); });
}

void MdiMain::enableRunCommands(bool running) {
  // One run at a time, on the data it started with: nothing that starts a
  // run or replaces the data while one is going.
  for (const char* name : {"mnuToolsRunTree", "mnuFileNew", "mnuFileOpen"})
    registry_.action(QString::fromLatin1(name))->setEnabled(!running);
  if (auto* toolbar = findChild<QToolBar*>(QStringLiteral("Toolbar1"))) {
    for (QAction* button : toolbar->actions())
      if (toolbarKey(button) == QLatin1String("RunTree") || toolbarKey(button) == QLatin1String("Open"))
        button->setEnabled(!running);
  }
}

void MdiMain::closeEvent(QCloseEvent* event) {
  if (projectCommands_->treeRun().running()) {
    // The run is stopped first; the window closes when it has ended.
    state_.gCancelRequested = true;
    connect(
        &projectCommands_->treeRun(), &TreeRun::runningChanged, this, [this] { close(); },
        static_cast<Qt::ConnectionType>(Qt::SingleShotConnection | Qt::QueuedConnection));
    event->ignore();
    return;
  }
  // The orderly end: the record sets released, every window unloaded and the
  // engine's diagnostic log removed from the program folder.
  state_.gRawData.reset();
  state_.gDescriptives.reset();
  unloadAll();
  delete help_;
  if (QFile::exists(files_.traceFile())) QFile::remove(files_.traceFile());
  event->accept();
}

}  // namespace orlix::app
