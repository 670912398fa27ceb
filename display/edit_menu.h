#pragma once
// The flow view control's right-button menu "Edit" (mnuEdit): selections,
// copy, the four orientations, customisation, print and print preview, and
// the view's zoom and the layout control's property page and about box.
// Every item has an object name of the form mnuEdit... for tests and scripts.
class QMenu;

namespace orlix::display {

class OrlFlowControl;

// The menu, owned by `control`; its actions call the control's commands.
QMenu* buildEditMenu(OrlFlowControl& control);

}  // namespace orlix::display
