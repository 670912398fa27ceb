// AppState: what the program's windows share — the current data source, the
// raw data, the results of the last run or opened project, and the printer
// chosen for this session. One object, owned by the main window and handed
// by reference to the windows that read it; the record sets are shared with
// the grids that show them.
#pragma once

#include <atomic>
#include <memory>
#include <string>

#include "diagramprint/printer_access.h"

namespace orlix::ado {
class Recordset;
}

namespace orlix::app {

struct AppState {
  std::string gConnectString;  // connection string of the data source
  std::string gSourceTable;    // its table expression, "[penguins.csv]"
  std::shared_ptr<ado::Recordset> gRawData;
  std::shared_ptr<ado::Recordset> gDescriptives;
  std::shared_ptr<ado::Recordset> gTreeList;
  std::string gRulesText;  // segment summary report of the last run
  std::string gCodeText;   // scoring code of the last run
  std::string gProjectDir;
  bool gCharacterTarget = false;  // the last run grew a category map
  int gTargetValueCount = 0;      // its number of target classes
  // Where File > Print sends the windows' printouts: File > Print Setup's
  // choice for this session, the system's default printer until then.
  diagramprint::PrinterSelection gPrinter;
  // Raised by a progress window's Cancel; read by work running off the window's thread.
  std::atomic<bool> gCancelRequested{false};
};

}  // namespace orlix::app
