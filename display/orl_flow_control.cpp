#include "display/orl_flow_control.h"

#include <cmath>
#include <stdexcept>

#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QMouseEvent>

#include "display/diagram_view.h"
#include "display/dlg_dmap_cust.h"
#include "display/edit_menu.h"
#include "display/printing/map_print_command.h"
#include "platform/graphon/view/diagram_picture.h"
#include "treelayout/control_error.h"
#include "treelayout/page/tierio_prop_page.h"

namespace orlix::display {
namespace {

// The control's border: the diagram leaves 15 twips of it free on the right and at the bottom.
constexpr double kBorderTwips = 15;

}  // namespace

OrlFlowControl::OrlFlowControl(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("Graphon1"));
  view_ = new DiagramView(map_.diagram(), this);
  menu_ = buildEditMenu(*this);
  connect(view_, &DiagramView::mouseButtonReleased, this, &OrlFlowControl::diagramMouseReleased);
  connect(view_, &DiagramView::menuRequested, this,
          [this](QPoint at) { menu_->popup(view_->viewport()->mapToGlobal(at)); });
  setFocusProxy(view_);
}

// The view watches the map's diagram: it goes first, before the map does.
OrlFlowControl::~OrlFlowControl() { delete view_; }

void OrlFlowControl::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  const int borderX = static_cast<int>(std::lround(kBorderTwips * logicalDpiX() / 1440.0));
  const int borderY = static_cast<int>(std::lround(kBorderTwips * logicalDpiY() / 1440.0));
  view_->setGeometry(0, 0, std::max(0, width() - borderX), std::max(0, height() - borderY));
}

void OrlFlowControl::mouseReleaseEvent(QMouseEvent* event) {
  const int button = event->button() == Qt::LeftButton ? 1 : event->button() == Qt::RightButton ? 2 : 4;
  const Qt::KeyboardModifiers m = event->modifiers();
  const int shift = (m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) | (m & Qt::AltModifier ? 4 : 0);
  emit MouseDown(button, shift, static_cast<int>(std::lround(event->position().x() * 1440.0 / logicalDpiX())),
                 static_cast<int>(std::lround(event->position().y() * 1440.0 / logicalDpiY())));
}

void OrlFlowControl::diagramMouseReleased(int button, int, int, int) {
  if (button == 2 || button == 3) menu_->popup(QCursor::pos());
}

void OrlFlowControl::Refresh() { map_.diagram().refresh(); }
void OrlFlowControl::Layout() { map_.Layout(); }

void OrlFlowControl::orient(int orientation) {
  view_->cancelInteraction();
  map_.orient(orientation);
}

void OrlFlowControl::SetSelLinks(const std::vector<graphon::Link*>& links) {
  const graphon::RedrawPause pause(map_.diagram());
  for (graphon::Link& link : map_.diagram().links()) link.setSelected(false);
  for (graphon::Link* link : links) link->setSelected(true);
}

void OrlFlowControl::setDefaults(const std::function<void(graphon::ItemDefaults&)>& change) {
  graphon::ItemDefaults defaults = map_.diagram().defaults();
  change(defaults);
  map_.diagram().setDefaults(defaults);
}

void OrlFlowControl::SetFillColor(graphon::Color color) {
  setDefaults([color](graphon::ItemDefaults& d) { d.fillColor = color; });
}
void OrlFlowControl::SetFont(const graphon::Font& font) {
  setDefaults([&font](graphon::ItemDefaults& d) { d.font = font; });
}
void OrlFlowControl::SetShape(std::int32_t shape) {
  setDefaults([shape](graphon::ItemDefaults& d) { d.shape = shape; });
}
void OrlFlowControl::SetDrawColor(graphon::Color color) {
  setDefaults([color](graphon::ItemDefaults& d) { d.drawColor = color; });
}
void OrlFlowControl::SetDrawStyle(std::int32_t style) {
  setDefaults([style](graphon::ItemDefaults& d) { d.drawStyle = style; });
}
void OrlFlowControl::SetDrawWidth(std::int32_t width) {
  setDefaults([width](graphon::ItemDefaults& d) { d.drawWidth = width; });
}

void OrlFlowControl::SetScrollBars(std::int32_t bars) {
  if (bars < 0 || bars > 3) throw std::out_of_range("ScrollBars " + std::to_string(bars) + " is outside 0..3");
  map_.diagram().viewOptions().scrollBars = bars;
  viewSettingsChanged();
}

void OrlFlowControl::SetToolTipText(const QString& text) {
  map_.setToolTipText(text.toStdString());
  viewSettingsChanged();
}

void OrlFlowControl::viewSettingsChanged() {
  view_->setFallbackToolTip(ToolTipText());
  map_.diagram().refresh();
}

diagramprint::PrintMessageTarget* OrlFlowControl::hWnd() { return view_; }

QImage OrlFlowControl::ExportPicture(int ItemSet, bool IncludeBackColor, bool) const {
  return map_.ExportPicture(ItemSet, IncludeBackColor);
}

QByteArray OrlFlowControl::SaveMemory(int) const { return map_.SaveMemory(); }
void OrlFlowControl::SaveFile(const QString& file) const { map_.SaveFile(file); }
void OrlFlowControl::SaveImage(int, int, const QString& file) const { map_.SaveImage(file); }

void OrlFlowControl::LoadFile(const QString& file) {
  view_->cancelInteraction();
  map_.LoadFile(file);
  viewSettingsChanged();
}

void OrlFlowControl::LoadMemory(const QByteArray& bytes) {
  view_->cancelInteraction();
  map_.LoadMemory(bytes);
  viewSettingsChanged();
}

void OrlFlowControl::PopupMenu(QMenu* Menu, int, int X, int Y, QAction* DefaultMenu) {
  if (!Menu) return;
  Menu->setDefaultAction(DefaultMenu);
  Menu->popup(mapToGlobal(QPoint(X, Y)));
}

void OrlFlowControl::command(const std::function<void()>& action) {
  try {
    action();
  } catch (const treelayout::ControlError& e) {
    QMessageBox::warning(this, QStringLiteral("Decision Tree"), QString::fromStdString(e.description()));
  } catch (const std::exception& e) {
    QMessageBox::warning(this, QStringLiteral("Decision Tree"), QString::fromStdString(e.what()));
  }
}

void OrlFlowControl::CopyContents() {
  command([this] {
    QClipboard* clipboard = QApplication::clipboard();
    clipboard->clear();
    auto* data = new QMimeData;
    data->setImageData(ExportPicture(AllItems, false, false));
    // Drawing programs and word processors take the vector picture.
    data->setData(QStringLiteral("image/svg+xml"), graphon::view::renderSvg(map_.diagram()));
    clipboard->setMimeData(data);
  });
}

void OrlFlowControl::PrintContents() { print(false); }
void OrlFlowControl::PrintPreviewContents() { print(true); }

// The title prompt, then the print preview form's control prints the map or
// shows its preview; the form's Copy takes the map's picture.
void OrlFlowControl::print(bool preview) {
  command([this, preview] {
    printMap(this, hWnd(), preview, [this](diagramprint::PrintMessageTarget*) {
      return ExportPicture(AllItems, false, false);
    });
  });
}

void OrlFlowControl::Customize() {
  command([this] {
    MapCustomizationDialog dialog(*this, this);
    dialog.exec();
  });
}

void OrlFlowControl::showLayoutProperties() {
  if (treelayout::DisplayPropertyPage(map_.layoutControl(), this)) {
    view_->cancelInteraction();
    map_.orient(map_.layoutControl().Orientation());
  }
}

void OrlFlowControl::showLayoutAbout() { treelayout::AboutBox(this); }

void OrlFlowControl::InitProperties() {
  map_.InitProperties();
  viewSettingsChanged();
}

void OrlFlowControl::WriteProperties(treelayout::PropertyBag& bag) const { map_.Save(bag); }

void OrlFlowControl::ReadProperties(const treelayout::PropertyBag& bag) {
  map_.Load(bag);
  viewSettingsChanged();
}

}  // namespace orlix::display
