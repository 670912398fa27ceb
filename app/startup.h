// The program's start-up: the splash, the help book's place, the hidden
// Tree Options dialog and the main window; then the file named on the command
// line, if any. Returns the exit status.
#pragma once

namespace orlix::app {

int runProgram(int argc, char** argv);

}  // namespace orlix::app
