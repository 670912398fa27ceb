#include "cli/map_output.h"

#include <cstdio>
#include <filesystem>
#include <memory>

#include <QGuiApplication>

#include "cli/run_options.h"
#include "display/map/flow_map.h"
#include "display/map/tree_map_builder.h"
#include "platform/graphon/view/diagram_file_error.h"
#include "platform/graphon/view/diagram_picture.h"

namespace orlix::cli {
namespace {

// Text needs Qt's font database, which only a GUI application opens. The
// batch front end makes one on the offscreen platform for as long as it
// draws, whatever display the environment names, and keeps Qt's own notes
// (a missing runtime folder, say) off standard error, which carries only
// the run's failures.
class OffscreenGui {
 public:
  OffscreenGui() {
    if (QCoreApplication::instance()) {
      if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        throw CliFailure{"orlix-cli", "The map cannot be drawn: the program has no graphical application",
                         com::E_FAIL};
      return;
    }
    previous_ = qInstallMessageHandler(&OffscreenGui::quiet);
    app_ = std::make_unique<QGuiApplication>(argc_, argv_);
  }
  ~OffscreenGui() {
    if (!app_) return;
    app_.reset();
    qInstallMessageHandler(previous_);
  }
  OffscreenGui(const OffscreenGui&) = delete;
  OffscreenGui& operator=(const OffscreenGui&) = delete;

 private:
  static void quiet(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) fprintf(stderr, "%s\n", qPrintable(message));
  }

  char name_[10] = "orlix-cli";
  char option_[10] = "-platform";
  char platform_[10] = "offscreen";
  char* argv_[4] = {name_, option_, platform_, nullptr};
  int argc_ = 3;
  QtMessageHandler previous_ = nullptr;
  std::unique_ptr<QGuiApplication> app_;
};

}  // namespace

void checkMapPicture(const std::string& pictureName) {
  if (!graphon::view::pictureFormatFor(QString::fromStdString(pictureName)))
    throw CliFailure{"orlix-cli",
                     "--map-picture \"" + pictureName + "\" must end in " +
                         graphon::view::pictureFormatList().toStdString(),
                     com::E_INVALIDARG};
}

void writeMapFiles(const RunOptions& options, const ado::Recordset& treeList, bool characterTarget,
                   int targetValueCount) {
  const OffscreenGui gui;
  const std::filesystem::path folder(options.projectDir);
  try {
    display::FlowMap map;
    map.layoutControl().SetOrientation(options.orientation);
    display::buildTreeMap(treeList, {characterTarget, targetValueCount}, map);
    map.SaveFile(QString::fromStdString((folder / display::kMapFileName).string()));
    map.SaveImage(QString::fromStdString((folder / options.mapPicture).string()));
  } catch (const graphon::view::DiagramFileError& e) {
    throw CliFailure{"orlix-cli", e.what(), com::E_FAIL};
  } catch (const std::exception& e) {
    throw CliFailure{"orlix-cli", std::string("The decision map could not be built: ") + e.what(), com::E_FAIL};
  }
}

}  // namespace orlix::cli
