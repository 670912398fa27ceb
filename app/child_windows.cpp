#include "app/child_windows.h"

#include <QMdiArea>
#include <QMdiSubWindow>

#include "app/action_registry.h"
#include "app/app_state.h"
#include "app/orl_flex_grid.h"
#include "app/result_windows.h"

namespace orlix::app {

namespace {

const char* iconOf(const QString& name) {
  if (name == QLatin1String("frmRawD")) return "raw-data";
  if (name == QLatin1String("frmDescrip")) return "descriptives";
  if (name == QLatin1String("frmTreeList")) return "tree-nodes";
  if (name == QLatin1String("frmRules")) return "terminal-nodes";
  if (name == QLatin1String("frmCode")) return "scoring-code";
  return "decision-tree";
}

}  // namespace

ChildWindows::ChildWindows(QMdiArea* area, AppState& state) : area_(area), state_(state) {}

template <class Window, class Make>
Window* ChildWindows::loadOnce(const QString& name, Make make) {
  if (auto* window = qobject_cast<Window*>(find(name))) return window;
  Window* window = make();
  adopt(window);
  return window;
}

void ChildWindows::adopt(QWidget* window) {
  QMdiSubWindow* frame = area_->addSubWindow(window);
  frame->setAttribute(Qt::WA_DeleteOnClose);
  frame->setWindowIcon(programIcon(QString::fromLatin1(iconOf(window->objectName()))));
  const QSize areaSize = area_->viewport()->size();
  const int offset = 24 * static_cast<int>(area_->subWindowList().size() - 1);
  frame->setGeometry(offset, offset, std::max(420, areaSize.width() * 3 / 4), std::max(300, areaSize.height() * 3 / 4));
  frame->hide();
}

FrmRawD* ChildWindows::rawData(bool readData) {
  return loadOnce<FrmRawD>(QStringLiteral("frmRawD"), [this, readData] {
    auto* window = new FrmRawD(state_);
    connect(window, &FrmRawD::rawDataBound, this, &ChildWindows::rawDataBound);
    if (readData) window->RefreshData();
    return window;
  });
}

GridWindow* ChildWindows::descriptives() {
  return loadOnce<GridWindow>(QStringLiteral("frmDescrip"), [this] {
    auto* window = new GridWindow(QStringLiteral("frmDescrip"), QStringLiteral("Descriptives"));
    if (isOpen(state_.gDescriptives)) bindResult(*window->grid(), state_.gDescriptives);
    return window;
  });
}

GridWindow* ChildWindows::treeList() {
  return loadOnce<GridWindow>(QStringLiteral("frmTreeList"), [] {
    return new GridWindow(QStringLiteral("frmTreeList"), QStringLiteral("Tree Nodes"));
  });
}

TextWindow* ChildWindows::rules() {
  return loadOnce<TextWindow>(QStringLiteral("frmRules"), [this] {
    return new TextWindow(QStringLiteral("frmRules"), QStringLiteral("Terminal Node Summaries"), state_.gRulesText);
  });
}

TextWindow* ChildWindows::code() {
  return loadOnce<TextWindow>(QStringLiteral("frmCode"), [this] {
    return new TextWindow(QStringLiteral("frmCode"), QStringLiteral("Scoring Code"), state_.gCodeText);
  });
}

QMdiSubWindow* ChildWindows::frameOf(QWidget* window) const {
  for (QMdiSubWindow* frame : area_->subWindowList())
    if (frame->widget() == window) return frame;
  return nullptr;
}

QWidget* ChildWindows::find(const QString& name) const {
  for (QMdiSubWindow* frame : area_->subWindowList())
    if (frame->widget() && frame->widget()->objectName() == name) return frame->widget();
  return nullptr;
}

QWidget* ChildWindows::active() const {
  QMdiSubWindow* frame = area_->activeSubWindow();
  return frame ? frame->widget() : nullptr;
}

QList<QWidget*> ChildWindows::loaded() const {
  QList<QWidget*> windows;
  for (QMdiSubWindow* frame : area_->subWindowList())
    if (frame->widget()) windows.append(frame->widget());
  return windows;
}

void ChildWindows::show(QWidget* window) {
  QMdiSubWindow* frame = frameOf(window);
  if (!frame) return;
  frame->show();
  area_->setActiveSubWindow(frame);
  window->setFocus();
}

void ChildWindows::restoreOthers(QWidget* except) {
  for (QMdiSubWindow* frame : area_->subWindowList())
    if (frame->widget() != except && frame->isVisible()) frame->showNormal();
}

void ChildWindows::unload(QWidget* window) {
  if (QMdiSubWindow* frame = frameOf(window)) delete frame;
}

void ChildWindows::unloadAll() {
  const QList<QMdiSubWindow*> frames = area_->subWindowList(QMdiArea::CreationOrder);
  for (auto it = frames.crbegin(); it != frames.crend(); ++it) {
    delete *it;  // its window goes with it
  }
}

void ChildWindows::refreshAll() {
  for (QWidget* window : loaded()) {
    window->update();
    if (auto* grid = window->findChild<OrlFlexGrid*>()) grid->Refresh();
  }
}

}  // namespace orlix::app
