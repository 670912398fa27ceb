// A test-only drive through the real program (the hidden option
// --test-exit-through-menu): the splash is closed with a key press, and once
// the main window is on the display the File menu is opened and E&xit chosen
// with its access key. Each step is reported on standard error.
#pragma once

class QDialog;

namespace orlix::app {

class MdiMain;

// Presses a key on the splash as soon as it is shown.
void pressKeyOnSplash(QDialog& splash);
// After `delayMs`, chooses File > Exit through the menus.
void exitThroughFileMenu(MdiMain& main, int delayMs);

}  // namespace orlix::app
