#include "app/menu_bar.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include "app/action_registry.h"

namespace orlix::app {

namespace {

struct MenuEntry {
  const char* name;
  const char* caption;
  QList<const char*> items;  // action names; "-" is a separator
};

const QList<MenuEntry>& menus() {
  static const QList<MenuEntry> list{
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

struct ButtonEntry {
  const char* key;
  const char* action;  // the command the key dispatches to; nullptr: no function
  const char* icon;
  const char* tip;
};

}  // namespace

QMenu* buildMenuBar(QMenuBar* bar, const ActionRegistry& registry) {
  QMenu* windowMenu = nullptr;
  for (const MenuEntry& entry : menus()) {
    QMenu* menu = bar->addMenu(QString::fromLatin1(entry.caption));
    menu->setObjectName(QString::fromLatin1(entry.name));
    menu->menuAction()->setObjectName(QString::fromLatin1(entry.name));
    for (const char* item : entry.items) {
      if (qstrcmp(item, "-") == 0)
        menu->addSeparator();
      else
        menu->addAction(registry.action(QString::fromLatin1(item)));
    }
    if (qstrcmp(entry.name, "mnuWindow") == 0) windowMenu = menu;
  }
  return windowMenu;
}

void buildToolbar(QToolBar* toolbar, const ActionRegistry& registry) {
  static const QList<ButtonEntry> buttons{
      {"Open", "mnuFileOpen", "document-open", "Open"},
      {"Save", "mnuFileSave", "document-save", "Save"},
      {"Print", "mnuFilePrint", "document-print", "Print"},
      {"Copy", nullptr, "edit-copy", "Copy"},
      {"RunTree", "mnuToolsRunTree", "run-tree", "Executes the Tree Algorithm based on input options"},
      {"Help", "mnuHelpContents", "help-contents", "Help"},
  };
  for (const ButtonEntry& entry : buttons) {
    const QString key = QString::fromLatin1(entry.key);
    QAction* button = toolbar->addAction(programIcon(QString::fromLatin1(entry.icon)), key);
    button->setObjectName(key);
    button->setProperty("key", key);
    button->setToolTip(QString::fromLatin1(entry.tip));
    button->setEnabled(entry.action != nullptr);
    if (entry.action) button->setStatusTip(registry.action(QString::fromLatin1(entry.action))->statusTip());
    if (qstrcmp(entry.key, "Print") == 0 || qstrcmp(entry.key, "Copy") == 0) toolbar->addSeparator();
  }
}

QString toolbarKey(const QAction* button) { return button->property("key").toString(); }

}  // namespace orlix::app
