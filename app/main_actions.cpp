// The main window's commands: captions with their access keys as the menus
// show them, standard shortcuts, icons and the hints the status bar shows.
#include <QAction>
#include <QIcon>

#include "app/action_registry.h"

namespace orlix::app {

namespace {

enum Kind { Command, NoFunction, Toggle };

struct ActionEntry {
  const char* name;
  const char* caption;
  Kind kind;
  QKeySequence shortcut;
  const char* icon;  // nullptr: none
  const char* hint;
};

const QList<ActionEntry>& actionEntries() {
  static const QList<ActionEntry> list{
      {"mnuFileNew", "&New", Command, QKeySequence::New, "document-new", "Choose a data file for a new analysis"},
      {"mnuFileOpen", "&Open", Command, QKeySequence::Open, "document-open", "Open a saved project (TreeParms.cfg)"},
      {"mnuFileClose", "&Close", NoFunction, {}, nullptr, ""},
      {"mnuFileSave", "&Save", Command, QKeySequence::Save, "document-save", "Save the project folder"},
      {"mnuFileSaveAs", "Save &As...", Command, QKeySequence::SaveAs, "document-save-as",
       "Name the project folder and the output of the active window"},
      {"mnuFileSaveAll", "Save A&ll", Command, {}, nullptr, "Save the project folder"},
      {"mnuFileProperties", "Propert&ies", Command, {}, "document-properties", "Tree options and project properties"},
      {"mnuFilePrintSetup", "Print Set&up...", Command, {}, "document-page-setup", "Choose the printer"},
      {"mnuFilePrintPreview", "Print Pre&view", Command, {}, "document-print-preview", "Preview the active window"},
      {"mnuFilePrint", "&Print...", Command, QKeySequence::Print, "document-print", "Print the active window"},
      {"mnuFileSend", "Sen&d...", NoFunction, {}, nullptr, ""},
      {"mnuFileExit", "E&xit", Command, QKeySequence::Quit, "application-exit", "Close Orlix"},
      {"mnuEditUndo", "&Undo", NoFunction, {}, "edit-undo", ""},
      {"mnuEditCut", "Cu&t", NoFunction, {}, "edit-cut", ""},
      {"mnuEditCopy", "&Copy", Command, QKeySequence::Copy, "edit-copy",
       "Copy the selected cells or the whole text of the active window"},
      {"mnuEditPaste", "&Paste", NoFunction, {}, "edit-paste", ""},
      {"mnuEditPasteSpecial", "Paste &Special...", NoFunction, {}, nullptr, ""},
      {"mnuEditDSelectAll", "Select &All", NoFunction, {}, nullptr, ""},
      {"mnuEditInvertSelection", "&Invert Selection", NoFunction, {}, nullptr, ""},
      {"mnuViewToolbar", "&Short Cut Bar", Toggle, {}, nullptr, "Show or hide the short-cut bar"},
      {"mnuViewStatusBar", "Status &Bar", Toggle, {}, nullptr, "Show or hide the status bar"},
      {"mnuViewRaw", "Raw Data", Command, {}, "raw-data", "Read the raw data again and show it"},
      {"mnuViewDescrip", "Descriptives", Command, {}, "descriptives", "Show the descriptive statistics"},
      {"mnuViewTerminal", "Terminal Node Summaries", Command, {}, "terminal-nodes", "Show the segment summary report"},
      {"mnuViewScoring", "Scoring Code", Command, {}, "scoring-code", "Show the scoring code"},
      {"mnuViewTree", "Decision Tree", Command, {}, "decision-tree", "Show the decision map"},
      {"mnuViewRefresh", "&Refresh", Command, QKeySequence::Refresh, "view-refresh", "Repaint every window"},
      {"mnuViewOptions", "&Options...", Command, {}, "tree-options", "Tree construction options"},
      {"mnuToolsRunTree", "&Run Tree", Command, {}, "run-tree", "Executes the Tree Algorithm based on input options"},
      {"mnuWindowCascade", "&Cascade", Command, {}, nullptr, "Arrange the windows overlapping"},
      {"mnuWindowTileHorizontal", "Tile &Horizontal", Command, {}, nullptr, "Arrange the windows one above another"},
      {"mnuWindowTileVertical", "Tile &Vertical", Command, {}, nullptr, "Arrange the windows side by side"},
      {"mnuHelpContents", "&Contents", Command, QKeySequence::HelpContents, "help-contents", "Open the help book"},
      {"mnuHelpSearch", "&Search For Help On...", Command, {}, "edit-find", "Search the help book"},
      {"mnuHelpTips", "Show Startup Tips", Toggle, {}, nullptr, "Show a tip each time Orlix starts"},
      {"mnuHelpAbout", "&About MyApp...", Command, {}, "help-about", "Version and maker of this program"},
  };
  return list;
}

}  // namespace

void registerMainActions(ActionRegistry& registry) {
  for (const ActionEntry& entry : actionEntries()) {
    QAction* action = registry.add(QString::fromLatin1(entry.name), QString::fromLatin1(entry.caption));
    action->setShortcut(entry.shortcut);
    if (entry.icon) action->setIcon(programIcon(QString::fromLatin1(entry.icon)));
    action->setStatusTip(QString::fromLatin1(entry.hint));
    action->setCheckable(entry.kind == Toggle);
    // Items without a function stay in the menus, visibly unavailable.
    action->setEnabled(entry.kind != NoFunction);
  }
}

}  // namespace orlix::app
