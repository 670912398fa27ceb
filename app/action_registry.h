// ActionRegistry: every command of the main window, registered once under its
// name (mnuFileNew, mnuToolsRunTree, ...) with its caption, shortcut, icon and
// hint; the menus, the tool bar and the tests look actions up by that name.
// The registry's owner (the main window) owns the actions.
#pragma once

#include <QHash>
#include <QKeySequence>
#include <QList>
#include <QString>

class QAction;
class QIcon;
class QObject;

namespace orlix::app {

class ActionRegistry {
 public:
  explicit ActionRegistry(QObject* owner) : owner_(owner) {}

  // Registers a new action; a name registered twice is a programming error.
  QAction* add(const QString& name, const QString& caption);
  // The action registered under `name`; a missing name is a programming error.
  QAction* action(const QString& name) const;
  const QList<QAction*>& all() const { return ordered_; }

 private:
  QObject* owner_;
  QHash<QString, QAction*> byName_;
  QList<QAction*> ordered_;
};

// Registers the commands of the main window's menus, in menu order.
void registerMainActions(ActionRegistry& registry);

// The icon shipped under `name` (":/icons/<name>.svg").
QIcon programIcon(const QString& name);

}  // namespace orlix::app
