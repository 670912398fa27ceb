#include "app/menu_bar.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include "app/action_registry.h"

namespace orlix::app {

namespace {

struct MenuSpec {
  const char* name;
  const char* caption;
  QList<const char*> items;  // action names; "-" is a separator
};

const QList<MenuSpec>& menus() {
  static const QList<MenuSpec> list{
      {"mnuFile", "&File",
       {"mnuFileNew", "mnuFileOpen", "mnuFileClose", "-", "mnuFileSave", "mnuFileSaveAs", "mnuFileSaveAll", "-",
        "mnuFileProperties", "-", "mnuFilePrintSetup", "mnuFilePrintPreview", "mnuFilePrint", "-", "mnuFileSend", "-",
        "mnuFileExit"}},
      {"mnuEdit", "&Edit",
       {"mnuEditUndo", "-", "mnuEditCut", "mnuEditCopy", "mnuEditPaste", "mnuEditPasteSpecial", "-",
        "mnuEditDSelectAll", "mnuEditInvertSelection"}},
      {"mnuView", "&View",
       {"mnuViewToolbar", "mnuViewStatusBar", "-", "mnuViewRaw", "mnuViewDescrip", "mnuViewTerminal",
        "mnuViewScoring", "mnuViewTree", "-", "mnuViewRefresh", "-", "mnuViewOptions"}},
      {"mnuTools", "&Tools", {"mnuToolsRunTree"}},
      {"mnuWindow", "&Window", {"mnuWindowCascade", "mnuWindowTileHorizontal", "mnuWindowTileVertical"}},
      {"mnuHelp", "&Help", {"mnuHelpContents", "mnuHelpSearch", "-", "mnuHelpTips", "-", "mnuHelpAbout"}},
  };
  return list;
}

struct ButtonSpec {
  const char* key;
  const char* action;  // the command the key dispatches to; nullptr: no function
  const char* icon;
  const char* tip;
};

}  // namespace

QMenu* buildMenuBar(QMenuBar* bar, const ActionRegistry& registry) {
  QMenu* windowMenu = nullptr;
  for (const MenuSpec& spec : menus()) {
    QMenu* menu = bar->addMenu(QString::fromLatin1(spec.caption));
    menu->setObjectName(QString::fromLatin1(spec.name));
    menu->menuAction()->setObjectName(QString::fromLatin1(spec.name));
    for (const char* item : spec.items) {
      if (qstrcmp(item, "-") == 0)
        menu->addSeparator();
      else
        menu->addAction(registry.action(QString::fromLatin1(item)));
    }
    if (qstrcmp(spec.name, "mnuWindow") == 0) windowMenu = menu;
  }
  return windowMenu;
}

void buildToolbar(QToolBar* toolbar, const ActionRegistry& registry) {
  static const QList<ButtonSpec> buttons{
      {"Open", "mnuFileOpen", "document-open", "Open"},
      {"Save", "mnuFileSave", "document-save", "Save"},
      {"Print", "mnuFilePrint", "document-print", "Print"},
      {"Copy", nullptr, "edit-copy", "Copy"},
      {"RunTree", "mnuToolsRunTree", "run-tree", "Executes the Tree Algorithm based on input options"},
      {"Help", "mnuHelpContents", "help-contents", "Help"},
  };
  for (const ButtonSpec& spec : buttons) {
    const QString key = QString::fromLatin1(spec.key);
    QAction* button = toolbar->addAction(programIcon(QString::fromLatin1(spec.icon)), key);
    button->setObjectName(key);
    button->setProperty("key", key);
    button->setToolTip(QString::fromLatin1(spec.tip));
    button->setEnabled(spec.action != nullptr);
    if (spec.action) button->setStatusTip(registry.action(QString::fromLatin1(spec.action))->statusTip());
    if (qstrcmp(spec.key, "Print") == 0 || qstrcmp(spec.key, "Copy") == 0) toolbar->addSeparator();
  }
}

QString toolbarKey(const QAction* button) { return button->property("key").toString(); }

}  // namespace orlix::app
