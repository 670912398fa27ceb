#pragma once
// A decision map as the flow view control holds it, without any window: the
// diagram, the tree layout control with its settings, and the control's own
// persisted values. The map window shows one; the batch front end builds,
// lays out and saves one the same way.
//
// Errors: Layout raises treelayout::ControlError; the file and picture
// members throw graphon::view::DiagramFileError naming the file, and a file
// that cannot be loaded leaves the map as it was.
#include <string>

#include <QByteArray>
#include <QImage>
#include <QString>

#include "display/map/flow_properties.h"
#include "platform/graphon/diagram.h"
#include "platform/graphon/view/diagram_file.h"
#include "treelayout/tierio_ctrl.h"

namespace orlix::display {

// The diagram file the map is saved to in a project folder.
inline constexpr const char* kMapFileName = "flowdiag.afl";

// ExportPicture's ItemSet: what the picture shows.
enum ItemSet : int { AllItems = 0, SelectedItems = 1 };

class FlowMap {
 public:
  // A new map: every persisted property at its default.
  FlowMap();
  FlowMap(const FlowMap&) = delete;
  FlowMap& operator=(const FlowMap&) = delete;

  graphon::Diagram& diagram() { return diagram_; }
  const graphon::Diagram& diagram() const { return diagram_; }
  treelayout::TierioCtrl& layoutControl() { return layout_; }
  const treelayout::TierioCtrl& layoutControl() const { return layout_; }
  FlowOwnProperties& own() { return own_; }
  const FlowOwnProperties& own() const { return own_; }
  const std::string& toolTipText() const { return toolTipText_; }
  void setToolTipText(std::string text) { toolTipText_ = std::move(text); }

  // Runs the tree layout on the diagram with the layout control's settings.
  void Layout();
  // Refreshes, sets the layout's orientation (0..3) and lays out again;
  // errors (a bad value, a graph that is not a tree) are ignored.
  void orient(int orientation);

  // Persistence through a property bag (names and defaults of the control).
  void InitProperties();
  void Save(treelayout::PropertyBag& bag) const;
  void Load(const treelayout::PropertyBag& bag);

  // The diagram file: the diagram, the control's properties and the layout settings.
  void SaveFile(const QString& fileName) const;
  void LoadFile(const QString& fileName);
  QByteArray SaveMemory() const;
  void LoadMemory(const QByteArray& bytes, const QString& name = QStringLiteral("memory"));

  // The picture of every item (or only the selected ones), white behind
  // unless `includeBackColor` is false.
  QImage ExportPicture(int itemSet, bool includeBackColor) const;
  // The picture in the format of the file's extension (JPEG, PNG, BMP, SVG, PDF).
  void SaveImage(const QString& fileName) const;

  // The selection commands of the map's menu; each repaints once.
  void selectAllNodes();
  void invertSelectedNodes();
  void selectAllConnections();
  void invertSelectedConnections();
  void invertSelection();

 private:
  FlowPropertyTargets targets();
  graphon::view::DiagramFile fileContent() const;
  void apply(const graphon::view::DiagramFile& file, const QString& name);

  graphon::Diagram diagram_;
  treelayout::TierioCtrl layout_;
  FlowOwnProperties own_;
  std::string toolTipText_;
};

}  // namespace orlix::display
