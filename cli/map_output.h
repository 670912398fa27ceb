// The decision map of a batch run: built from the tree list and laid out by
// the map window's own code, saved as "flowdiag.afl" and drawn as the map
// picture into the project folder, with no display and no window system.
#pragma once

#include <string>

namespace orlix::ado {
class Recordset;
}

namespace orlix::cli {

struct RunOptions;

// Throws CliFailure when the picture's name ends in an extension that no
// picture format has (checked before the run, so nothing is wasted).
void checkMapPicture(const std::string& pictureName);

// Writes "flowdiag.afl" and the picture (options.mapPicture, format by its
// extension, relative to the folder) into options.projectDir, the map laid out
// in options.orientation. Throws CliFailure naming the file that failed.
void writeMapFiles(const RunOptions& options, const ado::Recordset& treeList, bool characterTarget,
                   int targetValueCount);

}  // namespace orlix::cli
