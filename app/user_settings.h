// The one stored user setting, "Show Tips at Startup", in the per-user
// settings store under the executable's name, section "Options".
#pragma once

namespace orlix::app {

// 1 (the default) shows the tip window at start-up, 0 does not.
int showTipsAtStartup();
void setShowTipsAtStartup(int value);

}  // namespace orlix::app
