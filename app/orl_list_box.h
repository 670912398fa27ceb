// OrlListBox: the program's check list (the variable selection of the tree
// options). A checked entry is what the options call selected; the context
// menu selects all entries or inverts the selection.
#pragma once

#include <QWidget>

class QListWidget;
class QMenu;

namespace orlix::app {

class OrlListBox : public QWidget {
  Q_OBJECT

 public:
  explicit OrlListBox(QWidget* parent = nullptr);

  bool Selected(int index) const;
  void setSelected(int index, bool selected);
  int SelCount() const;
  int ListCount() const;
  QString List(int index) const;
  void AddItem(const QString& item);
  void Clear();

  QListWidget* list() const { return list_; }
  QMenu* editMenu() const { return menu_; }

 public slots:
  void selectAll();
  void inverseSelection();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QListWidget* list_;
  QMenu* menu_;
};

}  // namespace orlix::app
