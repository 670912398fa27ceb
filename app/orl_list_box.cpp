#include "app/orl_list_box.h"

#include <QAction>
#include <QListWidget>
#include <QMenu>
#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QVBoxLayout>

namespace orlix::app {

OrlListBox::OrlListBox(QWidget* parent) : QWidget(parent) {
  list_ = new QListWidget(this);
  list_->setObjectName(QStringLiteral("List1"));
  list_->setAccessibleName(QStringLiteral("List1"));
  auto* layout = new QVBoxLayout(this);  // List1 always fills the control
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(list_);
  setFocusProxy(list_);

  menu_ = new QMenu(QStringLiteral("Edit"), this);
  menu_->setObjectName(QStringLiteral("mnuEdit"));
  QAction* all = menu_->addAction(QStringLiteral("Select All"));
  all->setObjectName(QStringLiteral("mnuEditSelAll"));
  QAction* inverse = menu_->addAction(QStringLiteral("Inverse Selection"));
  inverse->setObjectName(QStringLiteral("mnuSelInverse"));
  connect(all, &QAction::triggered, this, &OrlListBox::selectAll);
  connect(inverse, &QAction::triggered, this, &OrlListBox::inverseSelection);
  list_->viewport()->installEventFilter(this);
  list_->installEventFilter(this);  // the keyboard's menu key
}

bool OrlListBox::Selected(int index) const {
  const QListWidgetItem* item = list_->item(index);
  return item && item->checkState() == Qt::Checked;
}

void OrlListBox::setSelected(int index, bool selected) {
  if (QListWidgetItem* item = list_->item(index)) item->setCheckState(selected ? Qt::Checked : Qt::Unchecked);
}

int OrlListBox::SelCount() const {
  int count = 0;
  for (int i = 0; i < list_->count(); ++i) count += Selected(i) ? 1 : 0;
  return count;
}

int OrlListBox::ListCount() const { return list_->count(); }

QString OrlListBox::List(int index) const {
  const QListWidgetItem* item = list_->item(index);
  return item ? item->text() : QString();
}

void OrlListBox::AddItem(const QString& text) {
  auto* item = new QListWidgetItem(text, list_);
  item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
  item->setCheckState(Qt::Unchecked);
}

void OrlListBox::Clear() { list_->clear(); }

void OrlListBox::selectAll() {
  for (int i = 0; i < list_->count(); ++i) setSelected(i, true);
}

void OrlListBox::inverseSelection() {
  for (int i = 0; i < list_->count(); ++i) setSelected(i, !Selected(i));
}

bool OrlListBox::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress && static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
    menu_->popup(static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
    return true;
  }
  if (event->type() == QEvent::ContextMenu) {
    auto* menuEvent = static_cast<QContextMenuEvent*>(event);
    if (menuEvent->reason() == QContextMenuEvent::Keyboard) menu_->popup(menuEvent->globalPos());
    return true;  // the mouse's menu opened at the press already
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace orlix::app
