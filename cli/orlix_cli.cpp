// orlix-cli: the batch front end. `orlix-cli run ...` runs one analysis and
// writes its report and, on request, a project folder.
#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "cli/command_line.h"

int main(int argc, char** argv) {
  return orlix::cli::runCommandLine(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr,
                                    isatty(STDERR_FILENO) == 1);
}
