#pragma once
// frmTreeDisplay, the decision map window: one OrlFlowControl named
// "Graphon1" filling a plain QWidget (the program puts it in a QMdiArea
// subwindow). The map is built once, in the constructor, from the tree list
// record set of the last run or opened project.
//
// For the program:
//   TreeDisplayWindow window(treeList, characterTarget, targetValueCount, parent);
//   if (window.isRefused()) ... close it: there was no tree list; the user
//   has been told "Tree Display Data is not available at this time".
//   window.flowControl().SaveFile(dir + "/flowdiag.afl");      // project save
//   window.flowControl().SaveImage(0, 0, dir + "/graphTree.jpg");
//   window.flowControl().LoadFile(dir + "/flowdiag.afl");      // project open
// A map that failed part way (a tree list with a missing field, say) keeps the
// nodes made so far; buildError() says why, and the user has been shown it.
#include <memory>
#include <QString>
#include <QWidget>

namespace orlix::ado {
class Recordset;
}

namespace orlix::display {

class OrlFlowControl;

class TreeDisplayWindow : public QWidget {
  Q_OBJECT

 public:
  // `treeList` is shared, not copied: the window works on a clone of it
  // sorted on Parent, kept as long as the window lives. Null, or a record set
  // that is not open, refuses the window.
  TreeDisplayWindow(std::shared_ptr<ado::Recordset> treeList, bool characterTarget, int targetValueCount,
                    QWidget* parent = nullptr);
  ~TreeDisplayWindow() override;

  bool isRefused() const { return refused_; }
  const QString& buildError() const { return buildError_; }
  OrlFlowControl& flowControl() { return *flow_; }

 protected:
  // A refused window closes itself as soon as it is shown.
  void showEvent(QShowEvent* event) override;

 private:
  OrlFlowControl* flow_;
  std::shared_ptr<ado::Recordset> working_;
  bool refused_ = false;
  QString buildError_;
};

}  // namespace orlix::display
