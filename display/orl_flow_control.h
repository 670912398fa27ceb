#pragma once
// OrlFlowControl: the program's diagram control through which every decision
// map is shown and handled. It holds the map (FlowMap: the diagram, the tree
// layout control and its own persisted values), shows the diagram in a
// DiagramView named "Graphon1" that fills it, forwards most members to the
// diagram, runs the layout and offers the right-button menu "Edit" (mnuEdit).
//
// Errors: property setters and Layout throw as the diagram and the layout
// control do (std::invalid_argument / std::out_of_range, ControlError);
// SaveFile, LoadFile, SaveImage throw graphon::view::DiagramFileError naming
// the file. Commands run from the menu report their errors in a message box,
// except the orientation commands, which ignore them.
#include <QByteArray>
#include <QImage>
#include <QString>
#include <QWidget>
#include <functional>
#include <vector>

#include "diagramprint/print_record.h"
#include "display/map/flow_map.h"
#include "treelayout/property_bag.h"

class QMenu;
class QAction;

namespace orlix::display {

class DiagramView;

class OrlFlowControl : public QWidget {
  Q_OBJECT

 public:
  explicit OrlFlowControl(QWidget* parent = nullptr);
  ~OrlFlowControl() override;

  FlowMap& map() { return map_; }
  const FlowMap& map() const { return map_; }
  graphon::Diagram& diagram() { return map_.diagram(); }
  DiagramView& view() { return *view_; }

  // Forwarded to the diagram and the layout control.
  void Refresh();
  void Layout();
  graphon::NodeList Nodes() { return map_.diagram().nodes(); }
  std::vector<graphon::Node*> SelNodes() { return map_.diagram().selectedNodes(); }
  std::vector<graphon::Link*> SelLinks() const { return map_.diagram().selectedLinks(); }
  // Exactly these links become the selected ones.
  void SetSelLinks(const std::vector<graphon::Link*>& links);
  void SelectAll() { map_.diagram().selectAll(); }

  bool CanSizeNode() const { return permissions().canSizeNode; }
  void SetCanSizeNode(bool on) { permissions().canSizeNode = on; }
  bool CanStretchLink() const { return permissions().canStretchLink; }
  void SetCanStretchLink(bool on) { permissions().canStretchLink = on; }
  bool CanUndoRedo() const { return permissions().canUndoRedo; }
  void SetCanUndoRedo(bool on) { permissions().canUndoRedo = on; }
  bool CanDrawLink() const { return permissions().canDrawLink; }
  void SetCanDrawLink(bool on) { permissions().canDrawLink = on; }
  bool CanDrawNode() const { return permissions().canDrawNode; }
  void SetCanDrawNode(bool on) { permissions().canDrawNode = on; }
  bool CanFireError() const { return permissions().canFireError; }
  void SetCanFireError(bool on) { permissions().canFireError = on; }
  bool CanMoveNode() const { return permissions().canMoveNode; }
  void SetCanMoveNode(bool on) { permissions().canMoveNode = on; }
  bool CanMultiLink() const { return permissions().canMultiLink; }
  void SetCanMultiLink(bool on) { permissions().canMultiLink = on; }
  bool CanReflexLink() const { return permissions().canReflexLink; }
  void SetCanReflexLink(bool on) { permissions().canReflexLink = on; }
  bool ShowToolTip() const { return permissions().showToolTip; }
  void SetShowToolTip(bool on) { permissions().showToolTip = on; }

  graphon::Color FillColor() const { return map_.diagram().defaults().fillColor; }
  void SetFillColor(graphon::Color color);
  graphon::Font Font() const { return map_.diagram().defaults().font; }
  void SetFont(const graphon::Font& font);
  std::int32_t Shape() const { return map_.diagram().defaults().shape; }
  void SetShape(std::int32_t shape);
  graphon::Color DrawColor() const { return map_.diagram().defaults().drawColor; }
  void SetDrawColor(graphon::Color color);
  std::int32_t DrawStyle() const { return map_.diagram().defaults().drawStyle; }
  void SetDrawStyle(std::int32_t style);
  std::int32_t DrawWidth() const { return map_.diagram().defaults().drawWidth; }
  void SetDrawWidth(std::int32_t width);
  // 0 none, 1 horizontal, 2 vertical, 3 both; others throw std::out_of_range.
  std::int32_t ScrollBars() const { return map_.diagram().viewOptions().scrollBars; }
  void SetScrollBars(std::int32_t bars);
  std::int32_t ShapeOrientation() const { return map_.diagram().viewOptions().shapeOrientation; }
  void SetShapeOrientation(std::int32_t value) { map_.diagram().viewOptions().shapeOrientation = value; }
  std::int32_t DrawMethod() const { return map_.diagram().viewOptions().drawMethod; }
  void SetDrawMethod(std::int32_t value) { map_.diagram().viewOptions().drawMethod = value; }
  // The layout control's orientation, 0..3 (else ControlError 380).
  std::int32_t Orientation() const { return map_.layoutControl().Orientation(); }
  void SetOrientation(std::int32_t value) { map_.layoutControl().SetOrientation(value); }
  // The diagram's "window": where the print control sends its print messages.
  diagramprint::PrintMessageTarget* hWnd();
  QString ToolTipText() const { return QString::fromStdString(map_.toolTipText()); }
  void SetToolTipText(const QString& text);
  // FontBold, FontItalic, FontName, FontSize, FontStrikethru, FontTransparent,
  // FontUnderline, FillStyle, ForeColor, DrawMode: plain values kept here.
  FlowOwnProperties& own() { return map_.own(); }

  bool CanUndo() const { return false; }
  bool CanRedo() const { return false; }
  bool CanPaste() const { return false; }
  bool CanPropertyChange(const QString&) const { return false; }
  // ItemSet 0 every item, 1 the selected ones; the white background unless
  // IncludeBackColor is false; the diagram has no background picture.
  QImage ExportPicture(int ItemSet, bool IncludeBackColor, bool IncludeBackPic) const;
  // The map as its diagram file holds it (ItemSet is accepted; the whole map is kept).
  QByteArray SaveMemory(int ItemSet) const;
  void SaveFile(const QString& file) const;
  // The picture in the format of the file's extension; tymed and format are
  // accepted as the platform's picture service took them and do not matter.
  void SaveImage(int tymed, int format, const QString& file) const;
  // Loads a file written by SaveFile (or SaveMemory's bytes) into the map.
  void LoadFile(const QString& file);
  void LoadMemory(const QByteArray& bytes);
  void Size(int Width, int Height) {}
  // Shows `menu` at (X, Y) in pixels of this control; `DefaultMenu` in bold.
  void PopupMenu(QMenu* Menu, int Flags, int X, int Y, QAction* DefaultMenu);

  // The menu commands.
  void PrintContents();
  void PrintPreviewContents();
  void CopyContents();
  void Customize();
  // The layout control's property page (re-laying the map out when it changed) and about box.
  void showLayoutProperties();
  void showLayoutAbout();

  // Persistence with the container: defaults, writing, reading (a bad entry
  // raises ControlError 380 and changes nothing).
  void InitProperties();
  void WriteProperties(treelayout::PropertyBag& bag) const;
  void ReadProperties(const treelayout::PropertyBag& bag);

  // The right-button menu "Edit".
  QMenu* editMenu() { return menu_; }

  // The menu's orientation command: refresh, set, lay out; errors ignored.
  void orient(int orientation);

 signals:
  // A mouse button was released over the control's own surface, outside the diagram.
  void MouseDown(int Button, int Shift, int X, int Y);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  graphon::Permissions& permissions() { return map_.diagram().permissions(); }
  const graphon::Permissions& permissions() const { return map_.diagram().permissions(); }
  void setDefaults(const std::function<void(graphon::ItemDefaults&)>& change);
  void diagramMouseReleased(int button, int shift, int x, int y);
  // Runs a menu command, showing its error to the user.
  void command(const std::function<void()>& action);
  void print(bool preview);
  void viewSettingsChanged();

  FlowMap map_;
  DiagramView* view_ = nullptr;
  QMenu* menu_ = nullptr;
};

}  // namespace orlix::display
