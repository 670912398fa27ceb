// orlix: the desktop program.
#include "app/startup.h"

int main(int argc, char** argv) { return orlix::app::runProgram(argc, argv); }
