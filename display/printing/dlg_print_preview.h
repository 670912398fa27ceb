#pragma once
// The print preview form: the print control Pagrix1 with its zoom and page
// lists, menus and tool bar. Every action ends with a fresh preview. The
// form is also loaded without being shown to print a map. Errors of the
// print control are shown in a message box.
#include <QDialog>
#include <QImage>
#include <functional>

#include "diagramprint/print_record.h"

class QAction;
class QComboBox;
class QLabel;
class QMenuBar;
class QToolBar;

namespace orlix::diagramprint {
class PagrixCtrl;
class PagrixWidget;
}  // namespace orlix::diagramprint

namespace orlix::display {

class dlgPrintPreview : public QDialog {
  Q_OBJECT

 public:
  // The map's picture for the tool bar's Copy, from the diagram whose
  // "window" the print control holds.
  using PictureExport = std::function<QImage(diagramprint::PrintMessageTarget*)>;

  explicit dlgPrintPreview(QWidget* parent = nullptr);

  diagramprint::PagrixWidget* Pagrix1() const { return pagrix_; }
  diagramprint::PagrixCtrl& printControl() const;
  void setPictureExport(PictureExport exportPicture) { exportPicture_ = std::move(exportPicture); }

  // Preview true, PrintDoc, then the page list rebuilt.
  void preview();
  // The numbers 1 ... PageCount and "of N pages".
  void rebuildPageList();

  // The menu and tool bar commands.
  void chooseZoom(const QString& text);
  void choosePage(const QString& text);
  void setLandscape(bool landscape);
  void toggleFitToPage();
  void zoomIn();
  void zoomOut();
  void printDocument();
  void printSetup();
  void copyPicture();

 protected:
  bool event(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void buildMenus();
  void buildToolBar(QToolBar* bar);
  // Runs `command`, showing a print control error instead of passing it on.
  void guarded(const std::function<void()>& command);
  void showZoom(int zoom);

  diagramprint::PagrixWidget* pagrix_;
  QComboBox* cboZoom_;
  QComboBox* cboPage_;
  QLabel* lblPages_;
  QAction* landscape_ = nullptr;
  QAction* portrait_ = nullptr;
  QAction* toPage_ = nullptr;
  PictureExport exportPicture_;
  QMenuBar* menuBar_;
};

// The zoom list's entries.
const QStringList& zoomListEntries();

}  // namespace orlix::display
