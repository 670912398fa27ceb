#include "display/edit_menu.h"

#include <QKeySequence>
#include <QMenu>

#include "display/diagram_view.h"
#include "display/orl_flow_control.h"

namespace orlix::display {
namespace {

template <typename Slot>
QAction* item(QMenu* menu, const char* name, const QString& text, Slot slot) {
  QAction* action = menu->addAction(text);
  action->setObjectName(QLatin1String(name));
  QObject::connect(action, &QAction::triggered, menu, slot);
  return action;
}

QMenu* submenu(QMenu* menu, const char* name, const QString& text) {
  QMenu* sub = menu->addMenu(text);
  sub->setObjectName(QLatin1String(name));
  return sub;
}

}  // namespace

QMenu* buildEditMenu(OrlFlowControl& c) {
  auto* menu = new QMenu(QStringLiteral("Edit"), &c);
  menu->setObjectName(QStringLiteral("mnuEdit"));
  FlowMap& map = c.map();

  QMenu* nodes = submenu(menu, "mnuEditNodes", QStringLiteral("Nodes"));
  item(nodes, "mnuEditNodesSelectAll", QStringLiteral("Select All Nodes"), [&map] { map.selectAllNodes(); });
  item(nodes, "mnuEditNodesInvert", QStringLiteral("Invert Selected Nodes"), [&map] { map.invertSelectedNodes(); });
  QMenu* links = submenu(menu, "mnuEditConnections", QStringLiteral("Connections"));
  item(links, "mnuEditConnectionsSelectAll", QStringLiteral("Select All Connections"),
       [&map] { map.selectAllConnections(); });
  item(links, "mnuEditConnectionsInvert", QStringLiteral("Invert Selected Connections"),
       [&map] { map.invertSelectedConnections(); });
  item(menu, "mnuEditSelectAll", QStringLiteral("Select All"), [&c] { c.SelectAll(); });
  item(menu, "mnuEditInvert", QStringLiteral("Invert Selection"), [&map] { map.invertSelection(); });
  menu->addSeparator();
  item(menu, "mnuEditCopy", QStringLiteral("Copy"), [&c] { c.CopyContents(); });
  menu->addSeparator();
  item(menu, "mnuEditOrientNorth", QStringLiteral("Orient North"), [&c] { c.orient(0); });
  item(menu, "mnuEditOrientSouth", QStringLiteral("Orient South"), [&c] { c.orient(2); });
  item(menu, "mnuEditOrientEast", QStringLiteral("Orient East"), [&c] { c.orient(1); });
  item(menu, "mnuEditOrientWest", QStringLiteral("Orient West"), [&c] { c.orient(3); });
  menu->addSeparator();
  item(menu, "mnuEditCustomize", QStringLiteral("Customization Dialog"), [&c] { c.Customize(); });
  menu->addSeparator();
  item(menu, "mnuEditPrint", QStringLiteral("Print"), [&c] { c.PrintContents(); });
  item(menu, "mnuEditPrintPreview", QStringLiteral("Print Preview"), [&c] { c.PrintPreviewContents(); });
  menu->addSeparator();

  // The view's zoom, with shortcuts while the map has the focus.
  DiagramView& view = c.view();
  QMenu* zoom = submenu(menu, "mnuEditZoom", QStringLiteral("Zoom"));
  const auto shortcut = [&c](QAction* action, const QKeySequence& keys) {
    action->setShortcut(keys);
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    c.addAction(action);
  };
  shortcut(item(zoom, "mnuEditZoomIn", QStringLiteral("Zoom In"), [&view] { view.zoomIn(); }), QKeySequence::ZoomIn);
  shortcut(item(zoom, "mnuEditZoomOut", QStringLiteral("Zoom Out"), [&view] { view.zoomOut(); }),
           QKeySequence::ZoomOut);
  shortcut(item(zoom, "mnuEditZoomActual", QStringLiteral("Actual Size"), [&view] { view.setZoom(1.0); }),
           QKeySequence(Qt::CTRL | Qt::Key_0));
  item(zoom, "mnuEditZoomFit", QStringLiteral("Fit to Window"), [&view] { view.fitToWindow(); });
  item(menu, "mnuEditLayoutProperties", QStringLiteral("Layout Properties..."), [&c] { c.showLayoutProperties(); });
  item(menu, "mnuEditLayoutAbout", QStringLiteral("About the Tree Layout Control..."), [&c] { c.showLayoutAbout(); });
  return menu;
}

}  // namespace orlix::display
