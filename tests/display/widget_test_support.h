// Helpers of the widget tests: mouse events on the diagram's viewport at
// diagram positions, and a small laid-out map.
#pragma once

#include <QApplication>
#include <QMouseEvent>
#include <QWheelEvent>

#include "display/diagram_view.h"
#include "display/map/tree_map_builder.h"
#include "display/orl_flow_control.h"
#include "tests/display/tree_list_support.h"

namespace orlix::display::testing {

// A root with two children, the first of which has two of its own, laid out North.
inline void smallMap(OrlFlowControl& control) {
  buildTreeMap(*regressionTreeList({{1, 0}, {2, 1}, {3, 1}, {4, 2}, {5, 2}}), {}, control.map());
}

inline QPoint at(DiagramView& view, QPointF twips) { return view.toViewport(twips); }

inline QPointF centre(const graphon::Node& node) {
  return QPointF(node.left() + node.width() / 2, node.top() + node.height() / 2);
}

inline void mouse(DiagramView& view, QEvent::Type type, QPoint pos, Qt::MouseButton button,
                  Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
  QMouseEvent event(type, QPointF(pos), view.viewport()->mapToGlobal(QPointF(pos)), button, held, modifiers);
  QApplication::sendEvent(view.viewport(), &event);
}

inline void click(DiagramView& view, QPoint pos, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                  Qt::MouseButton button = Qt::LeftButton) {
  mouse(view, QEvent::MouseButtonPress, pos, button, modifiers);
  mouse(view, QEvent::MouseButtonRelease, pos, button, modifiers);
}

inline void drag(DiagramView& view, QPoint from, QPoint to, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  mouse(view, QEvent::MouseButtonPress, from, Qt::LeftButton, modifiers);
  mouse(view, QEvent::MouseMove, (from + to) / 2, Qt::LeftButton, modifiers);
  mouse(view, QEvent::MouseMove, to, Qt::LeftButton, modifiers);
  mouse(view, QEvent::MouseButtonRelease, to, Qt::LeftButton, modifiers);
}

}  // namespace orlix::display::testing
