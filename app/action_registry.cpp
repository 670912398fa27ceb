#include "app/action_registry.h"

#include <QAction>
#include <QIcon>

namespace orlix::app {

QAction* ActionRegistry::add(const QString& name, const QString& caption) {
  Q_ASSERT_X(!byName_.contains(name), "ActionRegistry::add", qPrintable(name));
  auto* action = new QAction(caption, owner_);
  action->setObjectName(name);
  byName_.insert(name, action);
  ordered_.append(action);
  return action;
}

QAction* ActionRegistry::action(const QString& name) const {
  QAction* found = byName_.value(name);
  Q_ASSERT_X(found, "ActionRegistry::action", qPrintable(name));
  return found;
}

QIcon programIcon(const QString& name) { return QIcon(QStringLiteral(":/icons/%1.svg").arg(name)); }

}  // namespace orlix::app
